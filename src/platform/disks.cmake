# Volumes: udisks2 over D-Bus, the mount table, the processes holding a mount.
target_sources(corvella-core PRIVATE
    MountHolders.cpp MountHolders.h
    MountWatcher.cpp MountWatcher.h
    UDisksClient.cpp UDisksClient.h
)

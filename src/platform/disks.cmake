# Volumes: udisks2 over D-Bus, the mount table, the processes holding a mount, the block devices
# the system stands on.
target_sources(corvella-core PRIVATE
    MountHolders.cpp MountHolders.h
    MountWatcher.cpp MountWatcher.h
    SystemBlockDevices.cpp SystemBlockDevices.h
    UDisksClient.cpp UDisksClient.h
)

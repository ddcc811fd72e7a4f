# Volumes: udisks2 over D-Bus, the mount table, the processes holding a mount.

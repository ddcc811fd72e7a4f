#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// One mounted volume as the disk manager lists it. Plain value; any thread.
struct DVVolumeInfo {
    // Kinds, tried in the order network, optical, external bus, removable; else internal.
    enum Kind : std::int32_t {
        KindUnclassified = -1,
        KindInternal = 0,
        KindExternalBus = 1,
        KindOptical = 2,
        KindNetwork = 3,
        KindRemovable = 4,
    };

    std::int16_t volRefNumber = 0; // stable for the program's run, see VolumesInfo
    std::int32_t volType = KindUnclassified;
    bool bIsDefaultVol = false; // mounted on "/"
    QString volumeName;
    QString freeSpace;  // nFreeSize as size text
    QString totalSpace; // nTotalSize as size text
    QString volRootDir; // the mount point
    QString volumeType; // the file-system name of the description, once someone asked for it
    bool bCanEject = false;
    std::uint16_t filesystem = 0; // the statvfs file-system identifier, folded to 16 bits
    std::uint64_t nTotalSize = 0;
    std::uint64_t nFreeSize = 0;

    // Where the volume comes from.
    QString device;          // "/dev/sdb1", or the mount source of a network volume
    QString blockObjectPath; // udisks2's block object, "" when it has none
    QString fileSystemType;  // udisks2's IdType, else the mount table's type ("ext4", "nfs4")
    QString label;           // the file-system label, "" when none

    // What the running system needs of the volume's disk, as VolumeCapabilities::readSystemFacts
    // found it; empty when nothing (or nothing was read).
    QString systemMount;      // a mount point the system needs on the device or its partitions
    QString systemDiskMount;  // one on another block of the same disk that udisks2 marks "system"
    QString systemDependency; // why the system stands on the device through LVM, LUKS or md
};

#pragma once

#include "platform/devices/UDisksClient.h"

#include <QString>
#include <QVariantMap>

// A volume's description, read from udisks2 with the keys the disk manager uses:
// "FilesystemName" ("ext4", "ExFAT", "MS-DOS FAT32", "NTFS", ...), "DiskUUID" and "VolumeUUID"
// (the file system's UUID), "DeviceNode" ("/dev/sdb1"), plus "IdType" (udisks2's own name) and
// "BlockObjectPath".
//
// The query waits for udisks2: any thread but the GUI thread.
class DiskDescription {
public:
    DiskDescription() = delete;

    // `volume` is a mount point, a device node or a file-system UUID. Empty when no block device
    // answers to it; a network mount gives only its "FilesystemName" and "DeviceNode".
    static QVariantMap GXGetDiskInfo(const QString& volume);
    static QVariantMap describe(const QString& volume, const UDisksClient::Snapshot& snapshot);

    // The block device that answers to a mount point, device node (also a symbolic link to one)
    // or UUID, or null.
    static const UDisksClient::Block* findBlock(const QString& volume,
                                                const UDisksClient::Snapshot& snapshot);

    // The name shown for a file-system type of udisks2 or of the mount table ("vfat" gives
    // "MS-DOS FAT32"); an unknown type is shown as it is.
    static QString filesystemName(const QString& type);
};

#pragma once

#include "disks/DVVolumeInfo.h"
#include "platform/devices/UDisksClient.h"
#include "platform/fs/MountTable.h"

#include <QList>
#include <QString>

#include <functional>

// The inventory of mounted volumes: the file systems that udisks2 reports mounted, plus "/" and
// network mounts from the mount table; never pseudo or system-internal mounts. Sizes come from
// statvfs, kinds from udisks2's drives and sysfs.
//
// Enumerating waits for udisks2 and for every listed file system (statvfs), so it belongs on a
// worker thread. An object is used by one thread at a time.
class VolumesInfo {
public:
    // Where the inventory reads the machine; tests point these at fixtures.
    struct Sources {
        QString mountTablePath = MountTable::standardPath();
        QString sysRoot = QStringLiteral("/sys");
        QString procRoot = QStringLiteral("/proc"); // for the devices the system stands on
        QString osReleasePath = QStringLiteral("/etc/os-release");
        QString homePath;                               // the user's home folder when empty
        std::function<UDisksClient::Snapshot()> udisks; // the system bus when empty
    };

    // Enumerates at once, so a new inventory is already filled.
    VolumesInfo();
    explicit VolumesInfo(Sources sources);

    // Empties the list, enumerates again and returns it (the same list object every time).
    const QList<DVVolumeInfo>& getAllVolsInfo();
    void enumVolumesInfo();
    const QList<DVVolumeInfo>& volsArray() const { return m_volsArray; }

    // The kind of a volume and whether it may be ejected, from its mount, its udisks2 block (may
    // be null) and drive (may be null), under a sysfs root.
    static std::int32_t getVolumeType(const MountTable::Mount& mount,
                                      const UDisksClient::Block* block,
                                      const UDisksClient::Drive* drive, const QString& sysRoot);
    static bool getVolEjectFlag(const MountTable::Mount& mount, const UDisksClient::Block* block,
                                const UDisksClient::Drive* drive, const QString& sysRoot);
    static bool isNetworkVolume(const QByteArray& fileSystemType);
    // Whether a mount point belongs to the system: "/", the home folder or a folder above it, and
    // everything outside /media, /run/media, /mnt and the home folder. Such volumes are never
    // formatted.
    static bool isSystemMountPoint(const QString& mountPoint, const QString& homePath);
    // The record of a block device udisks2 knows, mounted or not, without sizes: its device,
    // file system, label, first mount point, name, kind and eject flag as the inventory would
    // list it. Its system facts are left empty.
    static DVVolumeInfo
    volumeOfBlock(const UDisksClient::Block& block, const UDisksClient::Snapshot& snapshot,
                  const QString& sysRoot = QStringLiteral("/sys"),
                  const QString& osReleasePath = QStringLiteral("/etc/os-release"));
    // The distribution's name from an os-release file, "Linux" when it has none.
    static QString distributionName(const QString& osReleasePath);
    // The run-wide reference number of a volume, keyed by its source and mount point.
    static std::int16_t referenceNumber(const QString& source, const QString& mountPoint);

private:
    Sources m_sources;
    QList<DVVolumeInfo> m_volsArray;
};

#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The udisks2 service (org.freedesktop.UDisks2) on the system bus: one snapshot of its block
// devices and drives, and the calls that change them.
//
// Every call waits for udisksd's answer, so it belongs on a worker thread (QDBusConnection is
// thread-safe; any thread may call). Calls allow polkit to ask the desktop's authentication
// agent, so a call may also wait for the user to authenticate. Names and labels travel as D-Bus
// values; nothing here reaches a shell.
class UDisksClient {
public:
    static constexpr int queryTimeoutMs = 10000;
    // Unmounting, ejecting and labelling may wait for caches to flush or for the user to answer
    // the authentication agent; formatting writes a whole file system.
    static constexpr int changeTimeoutMs = 120000;
    static constexpr int formatTimeoutMs = 600000;

    struct Drive {
        QString objectPath;
        QString connectionBus; // "usb", "ieee1394", "sdio", "" ...
        bool optical = false;
        bool removable = false; // the drive or its media can be removed
        bool ejectable = false;
        bool canPowerOff = false;
    };

    struct Block {
        QString objectPath;
        QByteArray device; // "/dev/sdb1"
        QString drivePath; // "" without a drive (loop devices, device mapper)
        QString idUsage;   // "filesystem", "crypto", ...
        QString idType;    // "ext4", "vfat", "exfat", ...
        QString idVersion; // "FAT32", "1.0", ...
        QString idLabel;
        QString idUUID;
        quint64 size = 0;
        bool hintIgnore = false;
        bool hintSystem = false;
        bool readOnly = false;
        bool hasFilesystem = false;
        QList<QByteArray> mountPoints;
        bool isLoop = false;
        QByteArray loopBackingFile;
        QString partitionTablePath; // a partition: the block of its disk (Partition.Table)
        QStringList partitionPaths; // a disk with a partition table: its partitions
        QString cryptoBackingPath;  // an unlocked LUKS volume: the encrypted block beneath it
    };

    struct Snapshot {
        QList<Block> blocks;
        QHash<QString, Drive> drives; // by object path
        QString error;                // why the service could not be read; empty when it was

        const Block* blockForDevice(const QByteArray& device) const;
        const Block* blockForMountPoint(const QByteArray& mountPoint) const;
        const Block* blockForObjectPath(const QString& objectPath) const;
        // The blocks of the disk `block` lies on, as udisks2 relates them: the whole disk, each
        // partition of its partition table and every block of the same drive; `block` itself
        // always. Never guessed from device names (loop1 and loop10 are different disks).
        QList<const Block*> sameDisk(const Block& block) const;
        // `block` and, when it is a disk with a partition table, its partitions.
        QList<const Block*> withPartitions(const Block& block) const;
    };

    // The outcome of a call that changes something.
    struct Result {
        bool succeeded = false;
        QString errorName; // the D-Bus error name, "org.freedesktop.UDisks2.Error.DeviceBusy", ...
        QString message;   // the service's reason, "" on success

        bool isBusy() const;
        bool isNotAuthorized() const;
    };

    explicit UDisksClient(const QDBusConnection& bus = QDBusConnection::systemBus());

    // Every block device and drive the service knows (GetManagedObjects). Without the service the
    // snapshot is empty and carries the reason in `error`.
    Snapshot managedObjects() const;

    Result setLabel(const QString& blockPath, const QString& label) const;
    // `type` is udisks2's name ("exfat", "vfat", "ext4"); the volume is unmounted first
    // ("tear-down"), its partition type updated and its root folder given to the caller.
    Result format(const QString& blockPath, const QString& type, const QString& label) const;
    Result mount(const QString& blockPath, QString* mountPoint = nullptr) const;
    Result unmount(const QString& blockPath) const;
    Result ejectDrive(const QString& drivePath) const;
    Result powerOffDrive(const QString& drivePath) const;
    Result deleteLoop(const QString& blockPath) const;

private:
    Result call(const QString& objectPath, const QString& interface, const QString& method,
                const QVariantList& arguments, int timeoutMs, QVariant* answer = nullptr) const;

    QDBusConnection m_bus;
};

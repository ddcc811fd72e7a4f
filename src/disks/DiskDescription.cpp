#include "disks/DiskDescription.h"

#include "platform/fs/MountTable.h"

#include <QFile>
#include <QFileInfo>

QString DiskDescription::filesystemName(const QString& type)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("vfat"), QStringLiteral("MS-DOS FAT32")},
        {QStringLiteral("exfat"), QStringLiteral("ExFAT")},
        {QStringLiteral("ntfs"), QStringLiteral("NTFS")},
        {QStringLiteral("ntfs3"), QStringLiteral("NTFS")},
        {QStringLiteral("iso9660"), QStringLiteral("ISO 9660")},
        {QStringLiteral("udf"), QStringLiteral("UDF")},
    };
    return names.value(type, type);
}

const UDisksClient::Block* DiskDescription::findBlock(const QString& volume,
                                                      const UDisksClient::Snapshot& snapshot)
{
    const QByteArray path = QFile::encodeName(volume);
    if (const UDisksClient::Block* block = snapshot.blockForMountPoint(path))
        return block;
    if (const UDisksClient::Block* block = snapshot.blockForDevice(path))
        return block;
    // /dev/disk/by-label/NAME and friends.
    const QString target = QFileInfo(volume).canonicalFilePath();
    if (!target.isEmpty() && target != volume) {
        if (const UDisksClient::Block* block = snapshot.blockForDevice(QFile::encodeName(target)))
            return block;
    }
    for (const UDisksClient::Block& block : snapshot.blocks) {
        if (!block.idUUID.isEmpty() && block.idUUID == volume)
            return &block;
    }
    // A mount that udisks2 does not count as its own ("/" on some machines): its source.
    for (const MountTable::Mount& mount : MountTable::read(MountTable::standardPath())) {
        if (mount.mountPoint == path && mount.source.startsWith("/dev/"))
            return snapshot.blockForDevice(mount.source);
    }
    return nullptr;
}

QVariantMap DiskDescription::describe(const QString& volume, const UDisksClient::Snapshot& snapshot)
{
    const UDisksClient::Block* block = findBlock(volume, snapshot);
    if (block == nullptr) {
        // Network volumes have no block device: the mount table names them.
        for (const MountTable::Mount& mount : MountTable::read(MountTable::standardPath())) {
            if (mount.mountPoint == QFile::encodeName(volume))
                return {{QStringLiteral("FilesystemName"),
                         filesystemName(QString::fromUtf8(mount.fileSystemType))},
                        {QStringLiteral("DeviceNode"), QFile::decodeName(mount.source)}};
        }
        return {};
    }
    QVariantMap description{{QStringLiteral("DeviceNode"), QFile::decodeName(block->device)},
                            {QStringLiteral("BlockObjectPath"), block->objectPath},
                            {QStringLiteral("IdType"), block->idType}};
    if (!block->idType.isEmpty())
        description.insert(QStringLiteral("FilesystemName"), filesystemName(block->idType));
    if (!block->idUUID.isEmpty()) {
        description.insert(QStringLiteral("DiskUUID"), block->idUUID);
        description.insert(QStringLiteral("VolumeUUID"), block->idUUID);
    }
    return description;
}

QVariantMap DiskDescription::GXGetDiskInfo(const QString& volume)
{
    return describe(volume, UDisksClient().managedObjects());
}

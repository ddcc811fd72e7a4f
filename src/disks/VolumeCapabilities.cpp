#include "disks/VolumeCapabilities.h"

#include "disks/VolumesInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

QString kernelName(const UDisksClient::Block& block)
{
    return QFileInfo(QFile::decodeName(block.device)).fileName();
}

VolumeCapabilities::Answer allowed()
{
    return {true, {}};
}

VolumeCapabilities::Answer refused(const QString& reason)
{
    return {false, reason};
}

// The first mount point among `blocks` that the system needs (and, with `onlyMarked`, whose block
// udisks2 marks as the system's), or empty.
QString systemMountAmong(const QList<const UDisksClient::Block*>& blocks, const QString& homePath,
                         bool onlyMarked)
{
    for (const UDisksClient::Block* member : blocks) {
        if (onlyMarked && !member->hintSystem)
            continue;
        for (const QByteArray& mountPoint : member->mountPoints) {
            const QString path = QFile::decodeName(mountPoint);
            if (VolumesInfo::isSystemMountPoint(path, homePath))
                return path;
        }
    }
    return {};
}

} // namespace

VolumeCapabilities VolumeCapabilities::of(const DVVolumeInfo& volume, const QString& homePath)
{
    const QString home = homePath.isEmpty() ? QDir::homePath() : homePath;
    const QString name =
        QStringLiteral("“%1”").arg(volume.volumeName.isEmpty() ? volume.device : volume.volumeName);
    const bool isStartUp = volume.bIsDefaultVol || volume.volRootDir == u"/";
    const bool isNetwork = volume.volType == DVVolumeInfo::KindNetwork;
    const bool hasDevice = volume.device.startsWith(u"/dev/") || !volume.blockObjectPath.isEmpty();
    // udisks2's type ("ntfs") or the description's name ("NTFS"), whichever the record has.
    const QString types = volume.fileSystemType + u' ' + volume.volumeType;
    // The volume's own mount point counts even when no facts were read (a record of the tab's);
    // an unmounted volume has none.
    QString systemMount = volume.systemMount;
    if (systemMount.isEmpty() && !volume.volRootDir.isEmpty() &&
        (isStartUp || VolumesInfo::isSystemMountPoint(volume.volRootDir, home)))
        systemMount = volume.volRootDir;

    VolumeCapabilities capabilities;
    if (isNetwork)
        capabilities.rename =
            refused(tr("%1 is a network volume; only its server can rename it.").arg(name));
    else if (!hasDevice)
        capabilities.rename = refused(tr("%1 has no disk device to rename.").arg(name));
    else if (types.contains(u"ntfs", Qt::CaseInsensitive))
        capabilities.rename =
            refused(tr("%1 is an NTFS volume, which Corvella does not rename.").arg(name));
    else
        capabilities.rename = allowed();

    if (isNetwork)
        capabilities.format =
            refused(tr("%1 is a network volume; only its server can format it.").arg(name));
    else if (!hasDevice)
        capabilities.format = refused(tr("%1 has no disk device to format.").arg(name));
    else if (volume.volType == DVVolumeInfo::KindOptical)
        capabilities.format =
            refused(tr("%1 is an optical disc; it cannot be formatted.").arg(name));
    else if (!systemMount.isEmpty())
        capabilities.format =
            refused(tr("%1 holds %2, which the system needs; it is never formatted.")
                        .arg(volume.device.isEmpty() ? name : volume.device, systemMount));
    else if (!volume.systemDependency.isEmpty())
        capabilities.format = refused(volume.systemDependency);
    else
        capabilities.format = allowed();

    if (isStartUp)
        capabilities.eject = refused(tr("The start-up volume cannot be ejected."));
    else if (!volume.bCanEject)
        capabilities.eject = refused(tr("%1 is on a fixed disk; it cannot be ejected.").arg(name));
    else if (!volume.systemDiskMount.isEmpty())
        capabilities.eject =
            refused(tr("%1 shares its disk with %2, which the system needs; it cannot be ejected.")
                        .arg(name, volume.systemDiskMount));
    else
        capabilities.eject = allowed();
    return capabilities;
}

void VolumeCapabilities::readSystemFacts(DVVolumeInfo* volume,
                                         const UDisksClient::Snapshot& snapshot,
                                         const QString& homePath,
                                         const SystemBlockDevices::Roots& roots)
{
    volume->systemMount.clear();
    volume->systemDiskMount.clear();
    volume->systemDependency.clear();
    const UDisksClient::Block* block = snapshot.blockForObjectPath(volume->blockObjectPath);
    if (block == nullptr && volume->device.startsWith(u"/dev/"))
        block = snapshot.blockForDevice(QFile::encodeName(volume->device));
    if (block == nullptr)
        return;
    const QString home = homePath.isEmpty() ? QDir::homePath() : homePath;
    // A disk's partitions go with it: erasing a whole disk erases them all.
    volume->systemMount = systemMountAmong(snapshot.withPartitions(*block), home, false);
    volume->systemDiskMount = systemMountAmong(snapshot.sameDisk(*block), home, true);
    volume->systemDependency = systemDependency(*block, snapshot, home, roots);
}

QString VolumeCapabilities::systemDependency(const UDisksClient::Block& block,
                                             const UDisksClient::Snapshot& snapshot,
                                             const QString& homePath,
                                             const SystemBlockDevices::Roots& roots)
{
    // Kernel name -> the device it is stacked on, among the ones to be erased.
    QHash<QString, QString> stacked;
    QStringList objectPaths;
    for (const UDisksClient::Block* member : snapshot.withPartitions(block)) {
        const QString name = kernelName(*member);
        stacked.insert(name, name);
        objectPaths.append(member->objectPath);
        for (const QString& holder : SystemBlockDevices::holders(name, roots.sys))
            stacked.insert(holder, name);
    }
    // An unlocked LUKS volume udisks2 knows of, even where sysfs does not say so.
    for (const UDisksClient::Block& candidate : snapshot.blocks) {
        if (!objectPaths.contains(candidate.cryptoBackingPath))
            continue;
        const QString name = kernelName(candidate);
        const QString base = kernelName(*snapshot.blockForObjectPath(candidate.cryptoBackingPath));
        stacked.insert(name, base);
        for (const QString& holder : SystemBlockDevices::holders(name, roots.sys))
            stacked.insert(holder, base);
    }
    const QHash<QString, QString> inUse = SystemBlockDevices::inUse(homePath, roots);
    for (auto device = inUse.cbegin(); device != inUse.cend(); ++device) {
        const auto base = stacked.constFind(device.key());
        if (base == stacked.cend())
            continue;
        const QString through =
            *base == device.key() ? QString() : tr(" through /dev/%1").arg(device.key());
        return tr("/dev/%1 carries %2%3, which the system needs; it is never formatted.")
            .arg(*base, device.value(), through);
    }
    return {};
}

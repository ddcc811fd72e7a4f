#include "disks/VolumesManager.h"

#include "disks/DiskDescription.h"
#include "disks/VolumeCapabilities.h"
#include "disks/VolumeLabelRules.h"
#include "disks/VolumesInfo.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace {

QString quoted(const QString& name)
{
    return QStringLiteral("“%1”").arg(name);
}

} // namespace

VolumesManager::VolumesManager(const UDisksClient& client, const QString& homePath,
                               const SystemBlockDevices::Roots& roots)
    : m_client(client), m_homePath(homePath.isEmpty() ? QDir::homePath() : homePath), m_roots(roots)
{}

QString VolumesManager::systemDependency(const UDisksClient::Block& block,
                                         const UDisksClient::Snapshot& snapshot) const
{
    return VolumeCapabilities::systemDependency(block, snapshot, m_homePath, m_roots);
}

VolumeCapabilities VolumesManager::capabilities(const UDisksClient::Block& block,
                                                const UDisksClient::Snapshot& snapshot) const
{
    DVVolumeInfo volume = VolumesInfo::volumeOfBlock(block, snapshot, m_roots.sys);
    VolumeCapabilities::readSystemFacts(&volume, snapshot, m_homePath, m_roots);
    return VolumeCapabilities::of(volume, m_homePath);
}

VolumeOperationOutcome VolumesManager::failure(const QString& action, const QString& name,
                                               const UDisksClient::Result& result,
                                               const QString& mountPoint) const
{
    // `action` is a past participle: "ejected", "renamed", "formatted".
    VolumeOperationOutcome outcome;
    if (result.isNotAuthorized()) {
        outcome.message =
            tr("Not authorized: %1 could not be %2. %3").arg(quoted(name), action, result.message);
    } else if (result.isBusy() && !mountPoint.isEmpty()) {
        outcome.holders = MountHolders::find(mountPoint);
        outcome.message = outcome.holders.isEmpty()
                              ? tr("%1 is in use and could not be %2.").arg(quoted(name), action)
                              : tr("%1 is in use by %2")
                                    .arg(quoted(name), MountHolders::describe(outcome.holders));
    } else {
        outcome.message = tr("%1 could not be %2: %3").arg(quoted(name), action, result.message);
    }
    return outcome;
}

VolumeOperationOutcome VolumesManager::unmountWithoutService(const DVVolumeInfo& volume) const
{
    // Network volumes have no block device for udisks2: unmount the path itself, falling back
    // to the setuid helpers that honour "user" mounts in fstab and FUSE mounts of the user.
    const QByteArray path = QFile::encodeName(volume.volRootDir);
    if (::umount2(path.constData(), 0) == 0)
        return {true, tr("%1 was unmounted.").arg(quoted(volume.volumeName)), {}};
    const int error = errno;
    if (error == EBUSY) {
        VolumeOperationOutcome outcome;
        outcome.holders = MountHolders::find(volume.volRootDir);
        outcome.message =
            tr("%1 is in use by %2")
                .arg(quoted(volume.volumeName), outcome.holders.isEmpty()
                                                    ? tr("another program")
                                                    : MountHolders::describe(outcome.holders));
        return outcome;
    }
    QList<QStringList> helpers{{QStringLiteral("umount"), volume.volRootDir}};
    if (volume.fileSystemType.startsWith(u"fuse")) {
        helpers.append({QStringLiteral("fusermount3"), QStringLiteral("-u"), volume.volRootDir});
        helpers.append({QStringLiteral("fusermount"), QStringLiteral("-u"), volume.volRootDir});
    }
    QString reason = QString::fromLocal8Bit(std::strerror(error));
    for (const QStringList& helper : helpers) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(helper.first(), helper.mid(1));
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0)
            return {true, tr("%1 was unmounted.").arg(quoted(volume.volumeName)), {}};
        const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
        if (!output.isEmpty())
            reason = output;
    }
    return {false, tr("%1 could not be unmounted: %2").arg(quoted(volume.volumeName), reason), {}};
}

VolumeOperationOutcome VolumesManager::ejectSingleVolume(const DVVolumeInfo& volume) const
{
    if (const VolumeCapabilities::Answer eject = VolumeCapabilities::of(volume, m_homePath).eject;
        !eject.allowed)
        return {false, eject.reason, {}};
    if (volume.blockObjectPath.isEmpty() && !volume.device.startsWith(u"/dev/"))
        return unmountWithoutService(volume);
    const UDisksClient::Snapshot snapshot = m_client.managedObjects();
    if (!snapshot.error.isEmpty())
        return {false, snapshot.error, {}};
    const UDisksClient::Block* block = snapshot.blockForObjectPath(volume.blockObjectPath);
    if (block == nullptr)
        block = DiskDescription::findBlock(volume.device, snapshot);
    if (block == nullptr)
        return {false, tr("%1 is no longer there.").arg(quoted(volume.volumeName)), {}};
    // The record says what kind of volume it is; its disk is judged as it is now.
    DVVolumeInfo current = volume;
    VolumeCapabilities::readSystemFacts(&current, snapshot, m_homePath, m_roots);
    if (const VolumeCapabilities::Answer eject = VolumeCapabilities::of(current, m_homePath).eject;
        !eject.allowed)
        return {false, eject.reason, {}};

    const QList<const UDisksClient::Block*> disk = snapshot.sameDisk(*block);
    for (const UDisksClient::Block* member : disk) {
        if (member->mountPoints.isEmpty())
            continue;
        const UDisksClient::Result result = m_client.unmount(member->objectPath);
        if (!result.succeeded) {
            const QString name = member == block             ? volume.volumeName
                                 : member->idLabel.isEmpty() ? QFile::decodeName(member->device)
                                                             : member->idLabel;
            return failure(tr("ejected", "completes: could not be ..."), name, result,
                           QFile::decodeName(member->mountPoints.constFirst()));
        }
    }
    UDisksClient::Result result{true, {}, {}};
    const auto drive = snapshot.drives.constFind(block->drivePath);
    for (const UDisksClient::Block* member : disk) {
        if (member->isLoop)
            result = m_client.deleteLoop(member->objectPath);
    }
    if (result.succeeded && drive != snapshot.drives.cend()) {
        if (drive->ejectable)
            result = m_client.ejectDrive(drive->objectPath);
        else if (drive->canPowerOff)
            result = m_client.powerOffDrive(drive->objectPath);
    }
    if (!result.succeeded)
        return failure(tr("ejected", "completes: could not be ..."), volume.volumeName, result, {});
    return {true, tr("%1 was ejected.").arg(quoted(volume.volumeName)), {}};
}

VolumeOperationOutcome VolumesManager::renameDiskWithGuid(const QString& guid,
                                                          const QString& newName) const
{
    if (newName.trimmed().isEmpty())
        return {false, tr("A volume name cannot be empty."), {}};
    const UDisksClient::Snapshot snapshot = m_client.managedObjects();
    if (!snapshot.error.isEmpty())
        return {false, snapshot.error, {}};
    const UDisksClient::Block* block = DiskDescription::findBlock(guid, snapshot);
    if (block == nullptr)
        return {false, tr("No volume %1 was found.").arg(quoted(guid)), {}};
    if (!block->hasFilesystem)
        return {false,
                tr("%1 holds no file system that can be renamed.")
                    .arg(QFile::decodeName(block->device)),
                {}};
    if (const VolumeCapabilities::Answer rename = capabilities(*block, snapshot).rename;
        !rename.allowed)
        return {false, rename.reason, {}};
    const QString label = VolumeLabelRules::adjusted(block->idType, newName);
    const QString refusal = VolumeLabelRules::refusal(block->idType, label);
    if (!refusal.isEmpty())
        return {false, refusal, {}};
    const QString oldName =
        block->idLabel.isEmpty() ? QFile::decodeName(block->device) : block->idLabel;
    UDisksClient::Result result = m_client.setLabel(block->objectPath, label);
    const QString mountPoint = block->mountPoints.isEmpty()
                                   ? QString()
                                   : QFile::decodeName(block->mountPoints.constFirst());
    QString remounted;
    if (!result.succeeded && !mountPoint.isEmpty() && result.message.contains(u"mounted")) {
        // exFAT and NTFS labels change only unmounted: unmount, rename, mount again.
        const UDisksClient::Result unmounted = m_client.unmount(block->objectPath);
        if (!unmounted.succeeded)
            return failure(tr("renamed", "completes: could not be ..."), oldName, unmounted,
                           mountPoint);
        result = m_client.setLabel(block->objectPath, label);
        const UDisksClient::Result mounted = m_client.mount(block->objectPath, &remounted);
        if (!mounted.succeeded)
            remounted = tr("; it could not be mounted again: ") + mounted.message;
        else
            remounted = tr("; it is mounted again at ") + remounted;
    }
    if (!result.succeeded)
        return failure(tr("renamed", "completes: could not be ..."), oldName, result, mountPoint);
    return {true,
            tr("Renamed %1 (%2) to %3%4.")
                .arg(quoted(oldName), QFile::decodeName(block->device), quoted(label), remounted),
            {}};
}

VolumeOperationOutcome VolumesManager::format(const QString& volume, const QString& type,
                                              const QString& label) const
{
    const UDisksClient::Snapshot snapshot = m_client.managedObjects();
    if (!snapshot.error.isEmpty())
        return {false, snapshot.error, {}};
    const UDisksClient::Block* block = DiskDescription::findBlock(volume, snapshot);
    if (block == nullptr)
        return {false, tr("No volume %1 was found.").arg(quoted(volume)), {}};
    const QString device = QFile::decodeName(block->device);
    if (const VolumeCapabilities::Answer format = capabilities(*block, snapshot).format;
        !format.allowed)
        return {false, format.reason, {}};
    if (type != u"exfat" && type != u"vfat" && type != u"ext4")
        return {false,
                tr("%1 is not a file system that can be chosen: choose ExFAT, "
                   "MS-DOS FAT32 or ext4.")
                    .arg(quoted(type)),
                {}};
    const QString name = VolumeLabelRules::adjusted(type, label);
    const QString refusal = VolumeLabelRules::refusal(type, name);
    if (!refusal.isEmpty())
        return {false, refusal, {}};
    const bool wasMounted = !block->mountPoints.isEmpty();
    const QString shownName = block->idLabel.isEmpty() ? device : block->idLabel;
    if (wasMounted) {
        // mkfs refuses a mounted file system, and udisks2 leaves FUSE mounts in place.
        const UDisksClient::Result unmounted = m_client.unmount(block->objectPath);
        if (!unmounted.succeeded)
            return failure(tr("formatted", "completes: could not be ..."), shownName, unmounted,
                           QFile::decodeName(block->mountPoints.constFirst()));
    }
    const UDisksClient::Result result = m_client.format(block->objectPath, type, name);
    if (!result.succeeded)
        return failure(tr("formatted", "completes: could not be ..."), shownName, result,
                       wasMounted ? QFile::decodeName(block->mountPoints.constFirst()) : QString());
    VolumeOperationOutcome outcome{
        true,
        tr("Formatted %1 as %2 named %3.")
            .arg(device, DiskDescription::filesystemName(type), quoted(name)),
        {}};
    if (wasMounted) {
        QString mountPoint;
        const UDisksClient::Result mounted = m_client.mount(block->objectPath, &mountPoint);
        outcome.message += mounted.succeeded
                               ? tr(" It is mounted at %1.").arg(mountPoint)
                               : tr(" It could not be mounted again: %1").arg(mounted.message);
    }
    return outcome;
}

VolumesManager::FormatRequest VolumesManager::formatRequest(const QString& volumeType,
                                                            const QString& formatText,
                                                            const QString& name)
{
    if (volumeType.toLower().contains(u"ntfs"))
        return {QStringLiteral("vfat"), QStringLiteral("NEW"), {}};
    const QString choice = formatText.isEmpty() ? volumeType : formatText;
    static const QHash<QString, QString> types{
        {QStringLiteral("exfat"), QStringLiteral("exfat")},
        {QStringLiteral("ms-dos fat32"), QStringLiteral("vfat")},
        {QStringLiteral("fat32"), QStringLiteral("vfat")},
        {QStringLiteral("vfat"), QStringLiteral("vfat")},
        {QStringLiteral("ext4"), QStringLiteral("ext4")},
    };
    const QString type = types.value(choice.toLower());
    if (type.isEmpty())
        return {{},
                {},
                tr("%1 is not a file system that can be chosen: choose ExFAT, "
                   "MS-DOS FAT32 or ext4.")
                    .arg(quoted(choice))};
    QString label = name.trimmed().isEmpty() ? QStringLiteral("NEW") : name;
    if (type == u"vfat")
        label = label.toUpper().left(11);
    return {type, label, {}};
}

#include "disks/VolumesInfo.h"

#include "common/PublicUtilities.h"
#include "disks/VolumeCapabilities.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <sys/statvfs.h>

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

bool isAsciiDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

// "sdb1" -> "sdb", "nvme0n1p2" -> "nvme0n1", "mmcblk0p1" -> "mmcblk0", "loop3" -> "loop3".
// Read by hand: a pattern would be compiled at every start of corvella-cli for two names.
QString diskName(const QString& deviceName)
{
    qsizetype number = deviceName.size();
    while (number > 0 && isAsciiDigit(deviceName.at(number - 1)))
        --number;
    if (number == deviceName.size())
        return deviceName;
    // A disk whose name ends in a digit numbers its partitions after a "p".
    if (number >= 2 && deviceName.at(number - 1) == u'p' && isAsciiDigit(deviceName.at(number - 2)))
        return deviceName.left(number - 1);
    // SCSI, IDE and virtual disks are lettered: "sd" + "b", then the partition's number.
    for (const QLatin1StringView prefix : {QLatin1StringView("sd"), QLatin1StringView("hd"),
                                           QLatin1StringView("vd"), QLatin1StringView("xvd")}) {
        if (!deviceName.startsWith(prefix) || number == prefix.size())
            continue;
        const QStringView letters =
            QStringView(deviceName).sliced(prefix.size(), number - prefix.size());
        if (std::all_of(letters.begin(), letters.end(),
                        [](QChar letter) { return letter >= u'a' && letter <= u'z'; }))
            return deviceName.left(number);
    }
    return deviceName;
}

QString deviceName(const MountTable::Mount& mount, const UDisksClient::Block* block)
{
    const QByteArray device = block != nullptr ? block->device : mount.source;
    return device.startsWith("/dev/") ? QFileInfo(QFile::decodeName(device)).fileName() : QString();
}

bool isOnExternalBus(const UDisksClient::Block* block, const UDisksClient::Drive* drive,
                     const QString& disk, const QString& sysRoot)
{
    if (block != nullptr && block->isLoop)
        return false;
    if (drive != nullptr) {
        const QString bus = drive->connectionBus;
        return bus == u"usb" || bus == u"ieee1394" || bus == u"sdio";
    }
    if (disk.isEmpty())
        return false;
    // The device's place in the sysfs tree names the bus it hangs from.
    const QString path = QFileInfo(sysRoot + u"/class/block/" + disk).canonicalFilePath();
    return path.contains(u"/usb") || path.contains(u"/firewire");
}

bool isRemovable(const UDisksClient::Block* block, const UDisksClient::Drive* drive,
                 const QString& disk, const QString& sysRoot)
{
    if (drive != nullptr && drive->removable)
        return true;
    if (block != nullptr && block->isLoop && !block->loopBackingFile.isEmpty())
        return true;
    if (disk.isEmpty())
        return false;
    // A mounted disk image is ejected like a removable disk.
    return fileText(sysRoot + u"/block/" + disk + u"/removable") == u"1" ||
           !fileText(sysRoot + u"/block/" + disk + u"/loop/backing_file").isEmpty();
}

bool isPseudo(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo{
        "proc",       "sysfs",   "cgroup",      "cgroup2",  "tmpfs",     "devtmpfs",
        "devpts",     "overlay", "squashfs",    "mqueue",   "debugfs",   "tracefs",
        "securityfs", "pstore",  "bpf",         "autofs",   "hugetlbfs", "configfs",
        "fusectl",    "ramfs",   "binfmt_misc", "efivarfs", "nsfs",      "rpc_pipefs"};
    return pseudo.contains(type);
}

// The name a volume is listed under: the distribution's for "/", else its label, else the last
// part of its mount point, else its device.
QString listedName(const QString& mountPoint, const QString& label, const QString& device,
                   const QString& osReleasePath)
{
    if (mountPoint == u"/")
        return VolumesInfo::distributionName(osReleasePath);
    if (!label.isEmpty())
        return label;
    return mountPoint.isEmpty() ? device : QFileInfo(mountPoint).fileName();
}

} // namespace

VolumesInfo::VolumesInfo() : VolumesInfo(Sources{}) {}

VolumesInfo::VolumesInfo(Sources sources) : m_sources(std::move(sources))
{
    if (m_sources.homePath.isEmpty())
        m_sources.homePath = QDir::homePath();
    if (!m_sources.udisks)
        m_sources.udisks = [] {
            return UDisksClient().managedObjects();
        };
    enumVolumesInfo();
}

const QList<DVVolumeInfo>& VolumesInfo::getAllVolsInfo()
{
    m_volsArray.clear();
    enumVolumesInfo();
    return m_volsArray;
}

bool VolumesInfo::isNetworkVolume(const QByteArray& type)
{
    static const QSet<QByteArray> network{"nfs",
                                          "nfs4",
                                          "cifs",
                                          "smb3",
                                          "smbfs",
                                          "9p",
                                          "afs",
                                          "ceph",
                                          "davfs",
                                          "ncpfs",
                                          "fuse.sshfs",
                                          "fuse.rclone",
                                          "fuse.s3fs",
                                          "fuse.davfs2",
                                          "fuse.gcsfuse",
                                          "fuse.glusterfs",
                                          "fuse.curlftpfs",
                                          "fuse.smbnetfs",
                                          "glusterfs",
                                          "lustre"};
    return network.contains(type);
}

bool VolumesInfo::isSystemMountPoint(const QString& mountPoint, const QString& homePath)
{
    const QString home = QDir::cleanPath(homePath);
    const QString path = QDir::cleanPath(mountPoint);
    if (path == u"/" || path == home || home.startsWith(path + u'/'))
        return true;
    for (const QString& place : {QStringLiteral("/media/"), QStringLiteral("/run/media/"),
                                 QStringLiteral("/mnt/"), QString(home + u'/')}) {
        if (path.startsWith(place))
            return false;
    }
    return path != u"/mnt";
}

QString VolumesInfo::distributionName(const QString& osReleasePath)
{
    QFile file(osReleasePath);
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.startsWith("NAME="))
                continue;
            QString name = QString::fromUtf8(line.mid(5)).trimmed();
            if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') &&
                name.back() == name.front())
                name = name.mid(1, name.size() - 2);
            if (!name.isEmpty())
                return name;
        }
    }
    return QStringLiteral("Linux");
}

std::int16_t VolumesInfo::referenceNumber(const QString& source, const QString& mountPoint)
{
    static QMutex mutex;
    static QHash<QString, std::int16_t> numbers;
    const QMutexLocker lock(&mutex);
    const QString key = source + u'\n' + mountPoint;
    const auto found = numbers.constFind(key);
    if (found != numbers.cend())
        return *found;
    const auto number = std::int16_t(numbers.size() + 1);
    numbers.insert(key, number);
    return number;
}

std::int32_t VolumesInfo::getVolumeType(const MountTable::Mount& mount,
                                        const UDisksClient::Block* block,
                                        const UDisksClient::Drive* drive, const QString& sysRoot)
{
    if (isNetworkVolume(mount.fileSystemType))
        return DVVolumeInfo::KindNetwork;
    const QString name = deviceName(mount, block);
    if ((drive != nullptr && drive->optical) || name.startsWith(u"sr"))
        return DVVolumeInfo::KindOptical;
    const QString disk = diskName(name);
    if (isOnExternalBus(block, drive, disk, sysRoot))
        return DVVolumeInfo::KindExternalBus;
    if (isRemovable(block, drive, disk, sysRoot))
        return DVVolumeInfo::KindRemovable;
    return DVVolumeInfo::KindInternal;
}

bool VolumesInfo::getVolEjectFlag(const MountTable::Mount& mount, const UDisksClient::Block* block,
                                  const UDisksClient::Drive* drive, const QString& sysRoot)
{
    if (isNetworkVolume(mount.fileSystemType))
        return true;
    const QString disk = diskName(deviceName(mount, block));
    return isOnExternalBus(block, drive, disk, sysRoot) || (drive != nullptr && drive->ejectable) ||
           isRemovable(block, drive, disk, sysRoot);
}

void VolumesInfo::enumVolumesInfo()
{
    QString tableError;
    const QList<MountTable::Mount> mounts = MountTable::read(m_sources.mountTablePath, &tableError);
    if (!tableError.isEmpty())
        qWarning().noquote() << tableError;
    const UDisksClient::Snapshot snapshot = m_sources.udisks();
    QSet<QByteArray> listedSources;
    QSet<QByteArray> listedMountPoints;
    for (const MountTable::Mount& mount : mounts) {
        const bool isRoot = mount.mountPoint == "/";
        const bool isNetwork = isNetworkVolume(mount.fileSystemType);
        const UDisksClient::Block* block = snapshot.blockForMountPoint(mount.mountPoint);
        if (block == nullptr && mount.source.startsWith("/dev/"))
            block = snapshot.blockForDevice(mount.source);
        const QString mountPoint = QFile::decodeName(mount.mountPoint);
        if (!isRoot && !isNetwork) {
            // A folder of a file system mounted elsewhere too, or a second mount of one device.
            if (mount.root != "/" || isPseudo(mount.fileSystemType) ||
                !mount.source.startsWith("/dev/") || listedSources.contains(mount.source))
                continue;
            if (block != nullptr && block->hintIgnore)
                continue;
            // The disks of the system are listed where the user meets them (the home folder's
            // file system); /boot, /var and the like are not.
            const QString home = QDir::cleanPath(m_sources.homePath);
            const bool holdsHome = home == mountPoint || home.startsWith(mountPoint + u'/');
            if ((block == nullptr || block->hintSystem) && !holdsHome &&
                isSystemMountPoint(mountPoint, m_sources.homePath))
                continue;
        }
        // Mounted over: only the last mount on a path is visible.
        if (listedMountPoints.contains(mount.mountPoint)) {
            m_volsArray.removeIf(
                [&](const DVVolumeInfo& listed) { return listed.volRootDir == mountPoint; });
        }
        struct statvfs sizes {};
        if (::statvfs(mount.mountPoint.constData(), &sizes) != 0) {
            qWarning().noquote()
                << QStringLiteral("The size of %1 cannot be read.").arg(mountPoint);
            continue;
        }
        DVVolumeInfo volume;
        volume.nTotalSize = std::uint64_t(sizes.f_blocks) * sizes.f_frsize;
        volume.nFreeSize = std::uint64_t(sizes.f_bavail) * sizes.f_frsize;
        if (volume.nTotalSize == 0)
            continue;
        volume.filesystem = std::uint16_t(sizes.f_fsid & 0xFFFF);
        volume.totalSpace = PublicUtilities::longlongDiskSize(std::int64_t(volume.nTotalSize));
        volume.freeSpace = PublicUtilities::longlongDiskSize(std::int64_t(volume.nFreeSize));
        volume.volRootDir = mountPoint;
        volume.bIsDefaultVol = isRoot;
        volume.device = QFile::decodeName(block != nullptr ? block->device : mount.source);
        volume.volRefNumber = referenceNumber(volume.device, mountPoint);
        const UDisksClient::Drive* drive = nullptr;
        if (block != nullptr) {
            volume.blockObjectPath = block->objectPath;
            volume.fileSystemType = block->idType;
            volume.label = block->idLabel;
            const auto found = snapshot.drives.constFind(block->drivePath);
            drive = found != snapshot.drives.cend() ? &*found : nullptr;
        }
        if (volume.fileSystemType.isEmpty())
            volume.fileSystemType = QString::fromUtf8(mount.fileSystemType);
        volume.volumeName =
            listedName(mountPoint, volume.label, volume.device, m_sources.osReleasePath);
        volume.volType = getVolumeType(mount, block, drive, m_sources.sysRoot);
        volume.bCanEject = !isRoot && (volume.volType == DVVolumeInfo::KindOptical ||
                                       getVolEjectFlag(mount, block, drive, m_sources.sysRoot));
        VolumeCapabilities::readSystemFacts(&volume, snapshot, m_sources.homePath,
                                            {m_sources.sysRoot, m_sources.procRoot});
        m_volsArray.append(volume);
        if (mount.source.startsWith("/dev/"))
            listedSources.insert(mount.source);
        listedMountPoints.insert(mount.mountPoint);
    }
}

DVVolumeInfo VolumesInfo::volumeOfBlock(const UDisksClient::Block& block,
                                        const UDisksClient::Snapshot& snapshot,
                                        const QString& sysRoot, const QString& osReleasePath)
{
    DVVolumeInfo volume;
    volume.device = QFile::decodeName(block.device);
    volume.blockObjectPath = block.objectPath;
    volume.fileSystemType = block.idType;
    volume.label = block.idLabel;
    const QByteArray mountPoint = block.mountPoints.value(0);
    volume.volRootDir = QFile::decodeName(mountPoint);
    volume.bIsDefaultVol = mountPoint == "/";
    volume.volumeName = listedName(volume.volRootDir, volume.label, volume.device, osReleasePath);
    const auto found = snapshot.drives.constFind(block.drivePath);
    const UDisksClient::Drive* drive = found != snapshot.drives.cend() ? &*found : nullptr;
    const MountTable::Mount mount{mountPoint, "/", block.idType.toUtf8(), block.device};
    volume.volType = getVolumeType(mount, &block, drive, sysRoot);
    volume.bCanEject = !volume.bIsDefaultVol && (volume.volType == DVVolumeInfo::KindOptical ||
                                                 getVolEjectFlag(mount, &block, drive, sysRoot));
    return volume;
}

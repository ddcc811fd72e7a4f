#include "platform/devices/SystemBlockDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// Holders of holders of ... : a few levels in practice (partition, LUKS, LVM); the bound only
// keeps a looping fixture or a broken sysfs finite.
constexpr int maximumDepth = 16;

QString nameOfDevice(dev_t device, const QString& sysRoot)
{
    const QString link =
        QStringLiteral("%1/dev/block/%2:%3").arg(sysRoot).arg(major(device)).arg(minor(device));
    const QString target = QFile::symLinkTarget(link);
    return target.isEmpty() ? QString() : QFileInfo(target).fileName();
}

// The sources of the mounts in mountinfo by the device number their files carry:
// "36 35 0:35 / /home rw - btrfs /dev/sda2 rw" gives 0:35 -> /dev/sda2.
QMultiHash<QByteArray, QByteArray> mountSources(const QString& procRoot)
{
    QFile table(procRoot + u"/self/mountinfo");
    QMultiHash<QByteArray, QByteArray> sources;
    if (!table.open(QIODevice::ReadOnly))
        return sources;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf(QByteArrayLiteral("-"), 6);
        if (fields.size() > 2 && separator > 0 && separator + 2 < fields.size())
            sources.insert(fields.at(2), fields.at(separator + 2));
    }
    return sources;
}

// The block device of the file system whose files carry `device` as st_dev. Btrfs and others
// give their files an anonymous number: the mount's source names the device then.
QString nameOfFileSystem(dev_t device, const QMultiHash<QByteArray, QByteArray>& mountSources,
                         const QString& sysRoot)
{
    const QString name = nameOfDevice(device, sysRoot);
    if (!name.isEmpty())
        return name;
    const QByteArray number =
        QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    for (const QByteArray& source : mountSources.values(number)) {
        struct stat status {};
        if (source.startsWith("/dev/") && ::stat(source.constData(), &status) == 0 &&
            S_ISBLK(status.st_mode))
            return nameOfDevice(status.st_rdev, sysRoot);
    }
    return {};
}

void collectHolders(const QString& name, const QString& sysRoot, int depth, QStringList* found)
{
    if (depth > maximumDepth)
        return;
    const QStringList entries =
        QDir(sysRoot + u"/class/block/" + name + u"/holders")
            .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& holder : entries) {
        if (found->contains(holder))
            continue;
        found->append(holder);
        collectHolders(holder, sysRoot, depth + 1, found);
    }
}

// "/proc/swaps": "Filename Type Size Used Priority", spaces in names written as "\040".
QList<std::pair<QByteArray, QByteArray>> swapAreas(const QString& procRoot)
{
    QFile swaps(procRoot + u"/swaps");
    if (!swaps.open(QIODevice::ReadOnly))
        return {};
    QList<std::pair<QByteArray, QByteArray>> areas;
    const QList<QByteArray> lines = swaps.readAll().split('\n');
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QList<QByteArray> fields = lines.at(index).simplified().split(' ');
        if (fields.size() < 2)
            continue;
        QByteArray path = fields.at(0);
        path.replace("\\040", " ");
        areas.append({path, fields.at(1)});
    }
    return areas;
}

} // namespace

QStringList SystemBlockDevices::holders(const QString& name, const QString& sysRoot)
{
    QStringList found;
    collectHolders(name, sysRoot, 0, &found);
    found.removeAll(name);
    return found;
}

QHash<QString, QString> SystemBlockDevices::inUse(const QString& homePath, const Roots& roots)
{
    const QMultiHash<QByteArray, QByteArray> mounts = mountSources(roots.proc);
    QHash<QString, QString> devices;
    const auto add = [&devices](const QString& name, const QString& carried) {
        if (!name.isEmpty() && !devices.contains(name))
            devices.insert(name, carried);
    };
    for (const QString& path : {QStringLiteral("/"), homePath}) {
        struct stat status {};
        if (::stat(QFile::encodeName(path).constData(), &status) == 0)
            add(nameOfFileSystem(status.st_dev, mounts, roots.sys), path);
    }
    for (const auto& [path, type] : swapAreas(roots.proc)) {
        struct stat status {};
        if (::stat(path.constData(), &status) != 0)
            continue;
        const QString carried = QStringLiteral("swap ") + QFile::decodeName(path);
        if (type == "partition" && S_ISBLK(status.st_mode))
            add(nameOfDevice(status.st_rdev, roots.sys), carried);
        else
            add(nameOfFileSystem(status.st_dev, mounts, roots.sys), carried);
    }
    return devices;
}

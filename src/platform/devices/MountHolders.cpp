#include "platform/devices/MountHolders.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

bool isOnDevice(const QString& path, dev_t device)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && status.st_dev == device;
}

// A line of maps: "address perms offset MAJ:MIN inode path"; the device is hexadecimal.
bool mapsDevice(const QString& mapsPath, dev_t device)
{
    QFile maps(mapsPath);
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = QByteArray::number(major(device), 16).rightJustified(2, '0') + ':' +
                              QByteArray::number(minor(device), 16).rightJustified(2, '0');
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields.at(3) == wanted && fields.at(4) != "0")
            return true;
    }
    return false;
}

bool holds(const QString& processFolder, dev_t device)
{
    if (isOnDevice(processFolder + u"/cwd", device) ||
        isOnDevice(processFolder + u"/root", device) ||
        mapsDevice(processFolder + u"/maps", device))
        return true;
    const QDir descriptors(processFolder + u"/fd");
    const QStringList entries =
        descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (isOnDevice(descriptors.filePath(entry), device))
            return true;
    }
    return false;
}

} // namespace

QList<MountHolders::Holder> MountHolders::find(const QString& mountPoint, const QString& procRoot)
{
    struct stat mountStatus {};
    if (::stat(QFile::encodeName(mountPoint).constData(), &mountStatus) != 0)
        return {};
    QList<Holder> holders;
    const QStringList entries = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isNumber = false;
        const qint64 pid = entry.toLongLong(&isNumber);
        if (!isNumber || pid <= 0)
            continue;
        const QString folder = procRoot + u'/' + entry;
        if (!holds(folder, mountStatus.st_dev))
            continue;
        QFile comm(folder + u"/comm");
        const QString program = comm.open(QIODevice::ReadOnly)
                                    ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                    : QStringLiteral("?");
        holders.append({pid, program});
    }
    std::sort(holders.begin(), holders.end(),
              [](const Holder& left, const Holder& right) { return left.pid < right.pid; });
    return holders;
}

QString MountHolders::describe(const QList<Holder>& holders)
{
    QStringList parts;
    for (const Holder& holder : holders)
        parts.append(QStringLiteral("%1 (%2)").arg(holder.program).arg(holder.pid));
    return parts.join(QStringLiteral(", "));
}

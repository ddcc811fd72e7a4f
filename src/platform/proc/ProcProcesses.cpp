#include "platform/proc/ProcProcesses.h"

#include "platform/proc/ProcFile.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isAppUnit(const QByteArray& name)
{
    return name.startsWith("app-") && (name.endsWith(".scope") || name.endsWith(".service"));
}

} // namespace

ProcProcesses::ProcProcesses(QString procRoot, QString cgroupRoot)
    : m_procRoot(std::move(procRoot)), m_cgroupRoot(std::move(cgroupRoot))
{}

QString ProcProcesses::unifiedCgroupRoot()
{
    // "/sys/fs/cgroup" on unified systems, "/sys/fs/cgroup/unified" on hybrid ones.
    for (const QByteArray& line :
         ProcFile::read(QStringLiteral("/proc/self/mountinfo")).split('\n')) {
        const qsizetype separator = line.indexOf(" - ");
        if (separator < 0 || !line.mid(separator + 3).startsWith("cgroup2 "))
            continue;
        const QList<QByteArray> fields = line.left(separator).split(' ');
        if (fields.size() > 4)
            return QFile::decodeName(fields.at(4));
    }
    return {};
}

void ProcProcesses::collectUnits(const QString& folder, const QByteArray& unit,
                                 QHash<QByteArray, QList<int>>* units) const
{
    const QByteArray path = QFile::encodeName(folder);
    DIR* listing = ::opendir(path.constData());
    if (!listing)
        return;
    QList<QByteArray> children;
    while (const dirent* entry = ::readdir(listing)) {
        if (entry->d_type == DT_DIR && entry->d_name[0] != '.')
            children.append(QByteArray(entry->d_name));
    }
    ::closedir(listing);
    for (const QByteArray& child : std::as_const(children)) {
        const QByteArray childUnit = isAppUnit(child) ? child : unit;
        const QString childFolder = folder + u'/' + QFile::decodeName(child);
        if (!childUnit.isEmpty()) {
            const QByteArray procs = ProcFile::read(childFolder + QStringLiteral("/cgroup.procs"));
            for (const QByteArray& pid : procs.split('\n')) {
                if (const int number = pid.toInt(); number > 0)
                    (*units)[childUnit].append(number);
            }
        }
        collectUnits(childFolder, childUnit, units);
    }
}

QHash<QByteArray, QList<int>> ProcProcesses::appUnits(uid_t uid) const
{
    QHash<QByteArray, QList<int>> units;
    if (!m_cgroupRoot.isEmpty()) {
        const QString user = QString::number(uid);
        collectUnits(m_cgroupRoot + QStringLiteral("/user.slice/user-") + user +
                         QStringLiteral(".slice/user@") + user + QStringLiteral(".service"),
                     {}, &units);
        // A unit whose processes have all ended keeps its folder for a moment.
        units.removeIf([](const auto& unit) { return unit.value().isEmpty(); });
        return units;
    }
    DIR* folder = ::opendir(QFile::encodeName(m_procRoot).constData());
    if (!folder)
        return units;
    const int folderFd = ::dirfd(folder);
    char name[sizeof(dirent::d_name) + 8];
    while (const dirent* entry = ::readdir(folder)) {
        const char* digits = entry->d_name;
        if (*digits < '1' || *digits > '9')
            continue;
        std::snprintf(name, sizeof name, "%s/cgroup", digits);
        const QByteArray unit =
            appUnitFromCgroup(ProcFile::readAt(folderFd, name, nullptr, 4096), uid);
        if (!unit.isEmpty())
            units[unit].append(std::atoi(digits));
    }
    ::closedir(folder);
    return units;
}

QByteArray ProcProcesses::appUnitFromCgroup(const QByteArray& cgroup, uid_t uid)
{
    // "0::/user.slice/user-1000.slice/user@1000.service/app.slice/app-firefox-1234.scope"
    const QByteArray manager = "/user@" + QByteArray::number(uid) + ".service/";
    for (const QByteArray& line : cgroup.split('\n')) {
        if (!line.startsWith("0::"))
            continue;
        const qsizetype below = line.indexOf(manager);
        if (below < 0)
            return {};
        const QList<QByteArray> parts = line.mid(below + manager.size()).split('/');
        for (auto part = parts.crbegin(); part != parts.crend(); ++part) {
            if (part->startsWith("app-") &&
                (part->endsWith(".scope") || part->endsWith(".service")))
                return *part;
        }
        return {};
    }
    return {};
}

QList<int> ProcProcesses::processesOf(uid_t uid) const
{
    QList<int> pids;
    DIR* folder = ::opendir(QFile::encodeName(m_procRoot).constData());
    if (!folder)
        return pids;
    const int folderFd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9')
            continue;
        struct stat status {};
        if (::fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            status.st_uid == uid)
            pids.append(std::atoi(entry->d_name));
    }
    ::closedir(folder);
    return pids;
}

bool ProcProcesses::exists(int pid) const
{
    return pid > 0 && ::access(QFile::encodeName(pidPath(pid, "")).constData(), F_OK) == 0;
}

std::optional<std::uint64_t> ProcProcesses::startTime(int pid) const
{
    if (pid <= 0)
        return std::nullopt;
    const QByteArray stat = ProcFile::read(pidPath(pid, "stat"));
    // The command name in parentheses may hold spaces and parentheses: count after the last ')'.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // Fields from the state (field 3) on; the start time is field 22.
    if (fields.size() < 20)
        return std::nullopt;
    bool ok = false;
    const std::uint64_t ticks = fields.at(19).toULongLong(&ok);
    return ok ? std::optional(ticks) : std::nullopt;
}

QString ProcProcesses::commandName(int pid) const
{
    if (pid <= 0)
        return {};
    return QString::fromUtf8(ProcFile::read(pidPath(pid, "comm")).trimmed());
}

QString ProcProcesses::executableName(int pid) const
{
    if (pid <= 0)
        return {};
    const QByteArray link = QFile::encodeName(pidPath(pid, "exe"));
    char target[4096];
    const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
    if (length > 0) {
        QByteArray path(target, length);
        // A replaced executable reads "/usr/bin/foo (deleted)".
        if (path.endsWith(" (deleted)"))
            path.chop(10);
        const QString name = QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
        if (!name.isEmpty())
            return name;
    }
    return commandName(pid);
}

QString ProcProcesses::pidPath(int pid, const char* file) const
{
    return m_procRoot + u'/' + QString::number(pid) + u'/' + QLatin1String(file);
}

#include "platform/ProcProcesses.h"

#include "platform/ProcFile.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

ProcProcesses::ProcProcesses(QString procRoot) : m_procRoot(std::move(procRoot)) {}

QHash<QByteArray, QList<int>> ProcProcesses::appUnits(uid_t uid) const
{
    QHash<QByteArray, QList<int>> units;
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

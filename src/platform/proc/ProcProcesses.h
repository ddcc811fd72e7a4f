#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <sys/types.h>

// The process table under a procfs root ("/proc" on a running system, a fixture tree of
// "<pid>/cgroup", "<pid>/stat" and "<pid>/comm" files in tests). Every call reads anew; a process
// that ends meanwhile simply gives the empty answer. Plain value type, safe on any thread.
class ProcProcesses {
public:
    // `cgroupRoot`: the unified cgroup hierarchy ("/sys/fs/cgroup"), where the application units
    // are found without reading every process; empty to find them through procRoot's processes.
    explicit ProcProcesses(QString procRoot = QStringLiteral("/proc"), QString cgroupRoot = {});

    // Where the unified (version 2) cgroup hierarchy is mounted, or empty when it is not.
    static QString unifiedCgroupRoot();

    const QString& procRoot() const { return m_procRoot; }

    // The systemd application units of the user `uid` ("app-*.scope", "app-*.service" below
    // "user@UID.service" in the processes' cgroup paths) with the processes in each, in the order
    // the folder lists them. Under a cgroup root only the user manager's folders are read (no
    // manager, no units); otherwise one pass over the process table, one small read per process.
    QHash<QByteArray, QList<int>> appUnits(uid_t uid) const;
    // The application unit in the text of a /proc/PID/cgroup file, or empty: the innermost
    // "app-*" scope or service of the unified hierarchy below the user's manager.
    static QByteArray appUnitFromCgroup(const QByteArray& cgroup, uid_t uid);

    // Every process of the user `uid` (the owner of its /proc/PID folder), in no set order.
    QList<int> processesOf(uid_t uid) const;

    bool exists(int pid) const;
    // Field 22 of /proc/PID/stat: when the process started, in clock ticks after boot. Tells a
    // process from a later one that got the same identifier.
    std::optional<std::uint64_t> startTime(int pid) const;
    // The kernel's short name of the process (/proc/PID/comm, at most 15 bytes).
    QString commandName(int pid) const;
    // The file name of the process's executable (/proc/PID/exe), else its short name.
    QString executableName(int pid) const;

private:
    QString pidPath(int pid, const char* file) const;
    void collectUnits(const QString& folder, const QByteArray& unit,
                      QHash<QByteArray, QList<int>>* units) const;

    QString m_procRoot;
    QString m_cgroupRoot;
};

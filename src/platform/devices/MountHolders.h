#pragma once

#include <QList>
#include <QString>

// The processes that keep a mounted file system busy: those with an open file, their working
// folder, their root folder or a mapped file on it, found under /proc (or a fixture root).
// Processes this user may not inspect are passed over. Reads many small files: any thread, not
// the GUI thread.
class MountHolders {
public:
    struct Holder {
        qint64 pid = 0;
        QString program; // the process's command name ("comm")
    };

    MountHolders() = delete;

    // In PID order. Empty when the mount point cannot be examined or nothing holds it.
    static QList<Holder> find(const QString& mountPoint,
                              const QString& procRoot = QStringLiteral("/proc"));

    // "PROGRAM (PID)", joined with ", ".
    static QString describe(const QList<Holder>& holders);
};

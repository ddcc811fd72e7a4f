#pragma once

#include "platform/proc/ProcProcesses.h"
#include "platform/x11/ClientWindowSource.h"
#include "platform/xdg/DesktopEntryIndex.h"
#include "tasks/TaskManagerInfo.h"

#include <QList>
#include <QStringList>

#include <memory>
#include <sys/types.h>
#include <unistd.h>

// Builds the list of the user's running applications, one record per application:
//  - the window manager's application windows, in its order, each with the process that owns it;
//  - the user's systemd application units (app-*.scope, app-*.service), each with its main
//    process (the earliest started), where no window already stands for the unit;
//  - optionally the own process, named "Corvella".
// The session's own programs are left out (SessionHelperFilter): its services always, the units
// it autostarts at login unless they show a window.
// Names and icons come from the installed desktop entries (by the unit's application id, the
// window's application id or class, else the executable), else the executable's name. Every
// record is ticked except those named "Corvella". Each record holds its process by pidfd.
//
// Reads procfs, the display and the desktop entries: run it off the GUI thread, one thread at a
// time.
class TaskListBuilder {
public:
    struct Options {
        QString procRoot = QStringLiteral("/proc");
        // The unified cgroup hierarchy, where application units are found cheaply; empty to find
        // them through procRoot's processes (fixture trees).
        QString cgroupRoot = ProcProcesses::unifiedCgroupRoot();
        uid_t uid = ::getuid();
        int ownPid = ::getpid();
        // Lists the own process even when it shows no window (the tab, not corvella-cli).
        bool includeOwnProcess = false;
        // Applications folders; empty for the XDG folders of the environment.
        QStringList desktopFolders;
        // Reads the display's window list (off for fixture trees, whose processes own no window).
        bool readWindows = true;
    };

    // `windows` may be null: then only application units count.
    TaskListBuilder(Options options, std::unique_ptr<ClientWindowSource> windows);

    // The window list of the session's display server, or null when there is none to read;
    // then `why` (when given) says why, for the user.
    static std::unique_ptr<ClientWindowSource> createWindowSource(QString* why = nullptr);

    QList<TaskManagerInfo> getAllProcess();
    // The user's application units now, sorted; cheap enough to compare on every refresh.
    QList<QByteArray> appUnitNames() const;
    ClientWindowSource* windowSource() const { return m_windows.get(); }
    // Why the last getAllProcess() could not list windows (only units then), or empty when it
    // did. Set it with noWindowsBecause() when the builder is made without a window source.
    QString windowsError() const { return m_windowsError; }
    void noWindowsBecause(const QString& why) { m_noWindowsReason = why; }

    // The application ids a unit name may carry, most likely first: "app-gnome-org.gnome.Terminal
    // -1234.scope" gives "gnome-org.gnome.Terminal" then "org.gnome.Terminal" (a launcher prefix).
    static QStringList applicationIdsOfUnit(const QByteArray& unit);

private:
    struct Naming {
        QStringList unitIds;
        QByteArray applicationId;
        QByteArray instanceName;
        QByteArray className;
    };
    TaskManagerInfo makeRecord(int pid, const Naming& naming, std::optional<std::uint64_t> started);
    int mainProcess(const QList<int>& pids, std::optional<std::uint64_t>* started) const;
    bool isSessionService(int pid, const Naming& naming) const;

    Options m_options;
    std::unique_ptr<ClientWindowSource> m_windows;
    ProcProcesses m_processes;
    DesktopEntryIndex m_entries;
    bool m_realProcesses;
    QString m_noWindowsReason;
    QString m_windowsError;
};

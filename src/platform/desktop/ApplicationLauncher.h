#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Starts the application of a desktop entry: its Exec key split and expanded (see DesktopExec),
// the program found in PATH, run directly (never through a shell), detached into a session of
// its own, in the entry's Path folder or else the user's home. An entry with Terminal=true runs
// inside the desktop's terminal: $TERMINAL, else x-terminal-emulator, gnome-terminal, konsole,
// xfce4-terminal or xterm, whichever is found first.
//
// Each program started gets a transient systemd scope of its own where the user's service manager
// runs (TransientScope), so it is not counted as part of Corvella. A command holding a zero byte
// is refused rather than cut; a failed start keeps the system's reason ("Argument list too long").
//
// launch() blocks until each program has been executed or has failed to be (a fork and an exec)
// and until the service manager has answered, so callers on the GUI thread hand it to a worker.
// Safe to call from several threads at once.
class ApplicationLauncher {
public:
    struct Result {
        QString error; // one sentence for the user; empty on success
        QList<QStringList> commands;
        QList<qint64> processIds; // of the programs launch() started
        bool scoped = false;      // the service manager made a scope for them
        bool succeeded() const { return error.isEmpty(); }
    };

    ApplicationLauncher() = delete;

    // The argument vectors launch() would run, each starting with the program's full path.
    static Result commandLines(const QString& desktopEntryPath, const QStringList& inputs = {});
    static Result launch(const QString& desktopEntryPath, const QStringList& inputs = {});
    // The terminal and the option after which it takes a command, or empty when none is found.
    static QStringList terminalCommand();
    // The desktop-file ID of an entry: its path below the first of the applications folders
    // that holds it, with '/' turned into '-' ("kde/foo.desktop" is "kde-foo.desktop"), else its
    // file name.
    static QString applicationId(const QString& desktopEntryPath,
                                 const QStringList& applicationFolders);
};

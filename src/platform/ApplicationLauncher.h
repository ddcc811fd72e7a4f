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
// launch() blocks until each program has been executed or has failed to be (a fork and an exec),
// so callers on the GUI thread hand it to a worker. Safe to call from several threads at once.
class ApplicationLauncher {
public:
    struct Result {
        QString error; // one sentence for the user; empty on success
        QList<QStringList> commands;
        bool succeeded() const { return error.isEmpty(); }
    };

    ApplicationLauncher() = delete;

    // The argument vectors launch() would run, each starting with the program's full path.
    static Result commandLines(const QString& desktopEntryPath, const QStringList& inputs = {});
    static Result launch(const QString& desktopEntryPath, const QStringList& inputs = {});
    // The terminal and the option after which it takes a command, or empty when none is found.
    static QStringList terminalCommand();
};

#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Starting the desktop's programs and opening paths and addresses with their default handlers
// (xdg-open), always from an argument vector, never through a shell. Programs are looked up in
// the PATH of the environment given, so callers and tests can choose what exists.
class DesktopOpener {
public:
    DesktopOpener() = delete;

    // The program's absolute path in the environment's PATH, or empty.
    static QString findProgram(const QProcessEnvironment& environment, const QString& name);

    // The command that opens a path or an address with its default handler: xdg-open (found in
    // the environment's PATH) and the argument. Empty when xdg-open is missing.
    static QStringList openCommand(const QProcessEnvironment& environment, const QString& target);

    // Starts command[0] with the rest as its arguments, detached. Answers an error sentence,
    // empty when it started. Forks once; fine on any thread.
    static QString start(const QStringList& command);

    // An XDG user folder ("DOCUMENTS", "DESKTOP", ...): the value in user-dirs.dirs of the
    // environment's XDG_CONFIG_HOME (else HOME/.config), with $HOME expanded, else
    // HOME/`fallbackName`. Reads one small file.
    static QString userDirectory(const QProcessEnvironment& environment, const QString& key,
                                 const QString& fallbackName);
};

#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>

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

    // How long start() watches a program for an early end before it counts as running.
    static constexpr int watchMilliseconds = 4000;

    // Starts command[0] (a full path) with the rest as its arguments, detached, and watches it
    // for watchMilliseconds: a program that cannot be executed, or ends in that time with a
    // status other than 0 or by a signal, has failed. xdg-open's statuses are told in words
    // (no application set to open the item, the item does not exist, ...). Answers one sentence
    // saying what failed and why, empty when the program started (or ended well).
    // Blocks for up to watchMilliseconds: worker threads only.
    static QString start(const QStringList& command);

    // Opens a path or an address with its default handler (openCommand(), then start()); the
    // same answer, or that xdg-open is missing. Worker threads only.
    static QString open(const QProcessEnvironment& environment, const QString& target);

    // Opens a web address in the process's own environment, fully encoded, with the same answer.
    // Callers use this rather than QDesktopServices::openUrl(), which answers true even when
    // xdg-open finds no browser. Worker threads only.
    static QString openAddress(const QUrl& address);

    // An XDG user folder ("DOCUMENTS", "DESKTOP", ...): the value in user-dirs.dirs of the
    // environment's XDG_CONFIG_HOME (else HOME/.config), with $HOME expanded, else
    // HOME/`fallbackName`. Reads one small file.
    static QString userDirectory(const QProcessEnvironment& environment, const QString& key,
                                 const QString& fallbackName);
};

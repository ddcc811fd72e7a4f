#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// Opens the desktop's own settings for the background picture. The desktop is taken from
// XDG_CURRENT_DESKTOP (a colon-separated list, most specific first, compared ignoring case); its
// settings program must be in PATH. When no listed desktop is known or its program is missing,
// the Pictures folder (the home folder when there is none) is opened with xdg-open instead.
class DesktopBackgroundSettings {
public:
    DesktopBackgroundSettings() = delete;

    // The command for the given environment: the program's absolute path, then its arguments.
    // Empty when neither a settings program nor xdg-open is found. Reads the file system only to
    // find programs and the Pictures folder; safe on any thread.
    static QStringList command(const QProcessEnvironment& environment);

    // Starts command() for the environment (DesktopOpener::start). Returns one sentence saying
    // what failed and why, empty when the settings (or the folder) are opening. Blocks while it
    // watches the program start: worker threads only.
    static QString
    open(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
};

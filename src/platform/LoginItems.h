#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class AutostartFolder;

// The user's login items: the desktop entries (".desktop" files) of the XDG autostart folder,
// which the session starts at login.
//
// Every call reads or writes the folder anew; nothing is cached. Writes replace a file atomically,
// so an entry is either the old content or the new, never half written. Plain value type; calls
// from several threads on the same folder are not synchronised with each other.
class LoginItems {
public:
    struct Result {
        // Empty on success, otherwise a sentence for the user.
        QString error;
        bool succeeded() const { return error.isEmpty(); }
    };

    explicit LoginItems(QString autostartPath);

    // The autostart folder of the environment: $XDG_CONFIG_HOME/autostart, or
    // ~/.config/autostart when XDG_CONFIG_HOME is unset, empty or not an absolute path.
    static LoginItems standard();
    static QString standardPath(const QProcessEnvironment& environment);

    // The first "applications/<fileName>" that exists under $XDG_DATA_HOME, then under each folder
    // of $XDG_DATA_DIRS (defaults ~/.local/share and /usr/local/share:/usr/share; relative folders
    // are ignored). Empty when none exists or fileName is not a plain file name.
    static QString findInstalledDesktopEntry(
        const QString& fileName,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    const QString& autostartPath() const { return m_autostartPath; }

    // File names of the desktop entries in the folder, sorted; empty when the folder is missing.
    QStringList entries() const;
    bool contains(const QString& fileName) const;

    // Copies the desktop entry at desktopEntryPath into the folder under its own file name,
    // replacing an entry of that name (a link there is replaced, never written through), and
    // creates the folder when needed. Writes go through AutostartFolder. A source that is not
    // a readable ".desktop" file is refused and nothing is written.
    Result add(const QString& desktopEntryPath) const;

    // Deletes the entry (a link itself, never its target). Removing an entry that is not there
    // succeeds.
    Result remove(const QString& fileName) const;

private:
    // The writer of the folder; the system folders and home of the process's environment.
    AutostartFolder folder() const;

    QString m_autostartPath;
};

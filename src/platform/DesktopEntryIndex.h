#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// The names and icons of the installed applications, looked up by what a running program shows
// of itself: a desktop entry identifier ("org.gnome.Terminal"), a WM_CLASS ("firefox-esr") or an
// executable name ("gedit"). Reads only the [Desktop Entry] group's Name, Icon, Exec and
// StartupWMClass of the entries in $XDG_DATA_HOME/applications and each of $XDG_DATA_DIRS'
// applications folders (earlier folders win, as the freedesktop menu rules say).
//
// The index is built on the first lookup and again when an applications folder changes. Use from
// one thread at a time.
class DesktopEntryNames {
public:
    struct Entry {
        QString id; // the file's identifier without ".desktop"
        QString name;
        QString icon; // a theme icon name or an absolute path
    };

    // `folders`: the applications folders to read, most important first; empty means the XDG
    // folders of the environment.
    explicit DesktopEntryNames(QStringList folders = {});

    // The entry whose identifier, StartupWMClass or program matches `key`, compared without case;
    // the identifier is tried first, then the window class, then the program.
    std::optional<Entry> byId(const QString& key);
    std::optional<Entry> byWindowClass(const QString& key);
    std::optional<Entry> byExecutable(const QString& key);

    static QStringList standardFolders();

private:
    void refreshIfChanged();
    void readFolder(const QString& folder, const QString& prefix);
    void addEntry(const QString& id, const QByteArray& text);

    QStringList m_folders;
    QList<qint64> m_folderTimes;
    bool m_loaded = false;
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_byId;
    QHash<QString, qsizetype> m_byWindowClass;
    QHash<QString, qsizetype> m_byExecutable;
};

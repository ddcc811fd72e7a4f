#pragma once

#include "platform/xdg/XdgBaseFolders.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

// The index of the installed desktop entries: the ".desktop" files of the applications folders
// ($XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS', as XdgBaseFolders gives them),
// walked in order and recursively. A subfolder prefixes the desktop-file ID ("kde/foo.desktop" is
// "kde-foo.desktop"), and the first entry of an ID shadows every later one, as the freedesktop
// menu rules say. The Applications catalogue, the Task Manager's names and Startup Items all
// find the installed applications here.
//
// walk() and find() read the folders anew on every call. The name lookups (byId,
// byWindowClass, byExecutable) read only the [Desktop Entry] group's Name, Icon, Exec,
// StartupWMClass and Hidden; their table is built on the first lookup and again when an
// applications folder changes. Use an object from one thread at a time.
class DesktopEntryIndex {
public:
    struct Entry {
        QString id; // the desktop-file ID without ".desktop"
        QString name;
        QString icon; // a theme icon name or an absolute path
    };

    // One ".desktop" file met by walk(): the open folder that holds it, its name there, its
    // path, its desktop-file ID ("kde-foo.desktop") and whether it lies in the user's own
    // folder (the first one). Answers whether the entry takes its ID: a taken ID shadows every
    // later entry of it, which walk() then leaves out.
    using Visitor = std::function<bool(int folderDescriptor, const QByteArray& name,
                                       const QString& path, const QString& id, bool inUserFolder)>;

    explicit DesktopEntryIndex(const XdgBaseFolders& folders = XdgBaseFolders());
    // `folders`: the applications folders to read, most important first; empty means the XDG
    // folders of the environment.
    explicit DesktopEntryIndex(QStringList folders);

    const QStringList& folders() const { return m_folders; }

    // Visits each entry whose ID no earlier entry has taken, folder by folder in order, each
    // folder's entries sorted by name (links followed, each folder once however many links lead
    // to it). A set cancel flag ends the walk at the next folder.
    void walk(const Visitor& visitor, const std::atomic_bool* cancelled = nullptr) const;

    // The file of the installed entry of a desktop-file ID ("kde-foo.desktop" is also looked up
    // as "kde/foo.desktop"), the first folder first. Empty when there is none or the ID holds a
    // "/" or is "." or "..".
    QString find(const QString& desktopFileId) const;
    // The desktop-file ID of a file inside one of the folders, else its file name.
    QString idOf(const QString& path) const;

    // The entry whose identifier, StartupWMClass or program matches `key`, compared without case;
    // byWindowClass falls back to the identifier. Hidden entries and entries without a Name are
    // not found, and hide their ID in the later folders too.
    std::optional<Entry> byId(const QString& key);
    std::optional<Entry> byWindowClass(const QString& key);
    std::optional<Entry> byExecutable(const QString& key);

private:
    void refreshIfChanged();
    void addEntry(const QString& id, const QByteArray& text);

    QStringList m_folders;
    QList<qint64> m_folderTimes;
    bool m_loaded = false;
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_byId;
    QHash<QString, qsizetype> m_byWindowClass;
    QHash<QString, qsizetype> m_byExecutable;
};

#pragma once

#include "platform/xdg/XdgBaseFolders.h"
#include "startup/ASLoginStartItem.h"

#include <QList>

class AutostartFolder;
class DesktopEntry;
#include <QString>

// The login items of XDG autostart: the entries of $XDG_CONFIG_HOME/autostart, then of
// "autostart" in each $XDG_CONFIG_DIRS folder, an entry shadowing every later one of the same
// file name.
//
// An entry is listed when it resolves: its program (TryExec, else the first word of Exec) is
// found. Its target is the installed application of the same desktop-file ID, else the file or
// folder an "xdg-open"/"gio open" entry opens, else the program. Entries with one target (for a
// program, with the same arguments too) are one row. An entry that will not start (Hidden=true,
// X-GNOME-Autostart-enabled=false, or OnlyShowIn/NotShowIn ruling out $XDG_CURRENT_DESKTOP) is
// listed as disabled; a user entry with Hidden=true over a system entry is a removal and is not
// listed.
//
// Changes are written to the user's folder only, through AutostartFolder: each file replaced
// atomically, a link there replaced by a file (never written through) and a system file never
// touched. Every call reads the folders anew; no state is kept between calls, so any thread
// may use its own instance.
class LoginItemList {
public:
    struct Result {
        QString error; // a sentence for the user; empty on success
        bool succeeded() const { return error.isEmpty(); }
    };

    explicit LoginItemList(XdgBaseFolders folders = XdgBaseFolders());

    const XdgBaseFolders& folders() const { return m_folders; }
    QString userFolder() const;

    // Ordered by the entries' file names.
    QList<ASLoginStartItem> items() const;
    // The system entries the user has removed (a user copy with Hidden=true shadows them), as
    // the system entry would show; restore() brings each back.
    QList<ASLoginStartItem> hiddenSystemItems() const;

    // An application's desktop entry is copied under its desktop-file ID; any other file or
    // folder gets a new entry that opens it with xdg-open. A path that is already a login
    // item's target adds nothing. An entry that items() would not list (no name to show, a
    // program that cannot be found) is refused with the reason, and nothing is written.
    Result add(const QString& path) const;
    // Writes the user's entry fileName holding content, replacing one of that name (a program's
    // own login item, which it composes itself). Refused, with nothing written, like add().
    Result write(const QString& fileName, const QByteArray& content) const;
    // Deletes the user's entry (a link itself, not its target), or shadows a system entry with a
    // user copy that has Hidden=true.
    Result remove(const QString& fileName) const;
    // Deletes the user's copy that shadows the system entry fileName, so the system entry counts
    // again.
    Result restore(const QString& fileName) const;
    // Removes every entry behind the row whose target is path.
    Result removeItemWithPath(const QString& path) const;
    // Writes the user's copy of the entry with X-GNOME-Autostart-enabled set; enabling also
    // drops Hidden, OnlyShowIn and NotShowIn from that copy.
    Result setEnabled(const QString& fileName, bool enabled) const;

private:
    // The user's and the first system entry of that name (each empty when there is none).
    QString userEntry(const QString& fileName) const;
    QString systemEntry(const QString& fileName) const;
    Result writeUserEntry(const QString& fileName, const QByteArray& content) const;
    AutostartFolder userWriter() const;
    QList<ASLoginStartItem> collect(bool hiddenSystem) const;
    // Fills item (and the identity that makes two entries one row) from the entry; answers why
    // the entry is not listed, empty when it is.
    QString resolve(const QString& fileName, const QString& entryPath, const DesktopEntry& entry,
                    ASLoginStartItem* item, QString* identity) const;
    QString desktopFileId(const QString& path) const;
    QString installedEntry(const QString& fileName) const;

    XdgBaseFolders m_folders;
};

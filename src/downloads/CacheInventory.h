#pragma once

#include "platform/xdg/XdgBaseFolders.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <sys/types.h>
#include <unistd.h>

class FileTree;

// What the user's caches hold, one row per thing that goes as a whole, largest first:
//  - each application's folder in $XDG_CACHE_HOME;
//  - the thumbnail cache ($XDG_CACHE_HOME/thumbnails), a row of its own;
//  - every trash folder of the user (the home trash and each mounted volume's, as TrashDirectory
//    finds them);
//  - crash reports and core dumps in the user's folders: files named "core" or "core.<digits>"
//    at the top of the home folder (the kernel's default core pattern writes into the crashed
//    program's working folder, for a desktop program the home), and the "Crash Reports" folders
//    of Firefox and Thunderbird (~/.mozilla/firefox, ~/.thunderbird). Folders of the system
//    (/var/crash, /var/lib/systemd/coredump) are never listed.
// Sizes are disk usage, as "du -sB1" counts: allocated blocks, each hard-linked file once, links
// not followed, other file systems not entered.
//
// Only real folders and files count: a link in the cache folder is not listed and never followed.
// A cache folder whose name matches a running process of the user is marked in use (see
// matchingProcess()).
//
// Reads the disk and procfs: call it off the GUI thread. Stateless; any thread.
class CacheInventory {
    Q_DECLARE_TR_FUNCTIONS(CacheInventory)
public:
    CacheInventory() = delete;

    enum class Kind { Application, Thumbnails, Trash, CrashReport };
    struct Entry {
        Kind kind = Kind::Application;
        QByteArray path; // absolute, as the kernel names it
        QString label;   // for the user, control characters replaced
        qint64 bytes = 0;
        bool isFolder = true; // a core dump is a file
        QString inUseBy;      // the running process the cache belongs to, or empty
        bool inUse() const { return !inUseBy.isEmpty(); }
    };
    struct Options {
        XdgBaseFolders folders;
        QString procRoot = QStringLiteral("/proc");
        uid_t uid = ::getuid();
        QString mountInfoPath = QStringLiteral("/proc/self/mountinfo");
    };

    static QList<Entry> list(const Options& options);
    static QList<Entry> list();

    // The names a running process of `uid` goes by: its kernel name, its executable's file name,
    // and the application IDs of its systemd unit (also their last dotted part), lower case.
    static QStringList processNames(const QString& procRoot, uid_t uid);
    // The process name a cache folder belongs to, or empty. Letter case is ignored; a name
    // matches the folder when it equals it, when it is the folder's name cut to the kernel's
    // 15 bytes, or when it is the folder's name followed by "-" and more ("firefox-esr" for
    // "firefox").
    static QString matchingProcess(const QByteArray& folderName, const QStringList& processNames);

    // "application", "thumbnails", "trash", "crash-report".
    static QString kindName(Kind kind);
    // Words for the user: "Application cache", "Thumbnails", "Trash", "Crash report".
    static QString kindText(Kind kind);

    // A tree of the entries for the removal engine: each a top-level node named by its absolute
    // path, sized, ticked unless in use, with no contents listed (Completely Erase takes a row
    // whole).
    static std::shared_ptr<FileTree> tree(const QList<Entry>& entries);
};

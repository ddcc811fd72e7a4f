#pragma once

#include "apps/AMAppItem.h"
#include "platform/XdgBaseFolders.h"

class DesktopEntry;

#include <QList>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <functional>
#include <sys/types.h>
#include <utility>

// Walks the application folders (XdgBaseFolders::applicationPaths(), in order, recursively) and
// makes one record per installed application: a file ending ".desktop" whose entry is of
// Type=Application. A subfolder prefixes the desktop-file ID ("kde/foo.desktop" is
// "kde-foo.desktop"). The first entry of an ID shadows every later one; an entry with
// Hidden=true, NoDisplay=true, a TryExec program that is not found, OnlyShowIn/NotShowIn ruling
// out the folders' $XDG_CURRENT_DESKTOP (DesktopEntry::isShownIn, the rule Startup Items uses) or
// an Exec program found neither in PATH nor as an executable file is left out (it still
// shadows). A malformed entry (an Exec key that cannot be split among them) is skipped, its
// reason kept in skipped() and logged, and the walk goes on. Each folder is walked once, however
// many symbolic links lead to it.
//
// One scan per object; the object belongs to the thread that runs it.
class RelatedAppFilesScanner {
public:
    using BatchSink = std::function<void(const QList<AMAppItem>&)>;

    RelatedAppFilesScanner(XdgBaseFolders folders, QStringList locales);

    // Every record, in walk order. The sink, when set, gets them in batches as the walk goes.
    // A set cancel flag ends the walk early.
    QList<AMAppItem> getApplications(const BatchSink& sink = {},
                                     const std::atomic_bool* cancelled = nullptr);
    // "path: reason" for each entry that was skipped as malformed.
    const QStringList& skipped() const { return m_skipped; }

    // The record of one parsed entry, or a record with an empty path when the entry is not a
    // listed application (the reason in *reason when it is malformed). The date is left unset.
    AMAppItem constructItem(const DesktopEntry& entry, const QString& path, const QString& bundleID,
                            bool isSystem, QString* reason) const;

private:
    void applicationsInPath(const QString& folder, const QString& idPrefix, bool isSystem);
    void deliver(bool force);

    XdgBaseFolders m_folders;
    QStringList m_locales;
    QSet<QString> m_seenIds;
    QSet<std::pair<dev_t, ino_t>> m_visitedFolders;
    QList<AMAppItem> m_all;
    QList<AMAppItem> m_batch;
    QStringList m_skipped;
    BatchSink m_sink;
    const std::atomic_bool* m_cancelled = nullptr;
};

#pragma once

#include "apps/AMAppItem.h"
#include "platform/xdg/XdgBaseFolders.h"

class DesktopEntry;

#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>

// Walks the installed desktop entries (DesktopEntryIndex over the folders) and makes one record
// per installed application: an entry of Type=Application. The first entry of an ID shadows
// every later one; an entry with
// Hidden=true, NoDisplay=true, a TryExec program that is not found, OnlyShowIn/NotShowIn ruling
// out the folders' $XDG_CURRENT_DESKTOP (DesktopEntry::isShownIn, the rule Startup Items uses) or
// an Exec program found neither in PATH nor as an executable file is left out (it still
// shadows). A malformed entry (an Exec key that cannot be split among them) is skipped, its
// reason kept in skipped() and logged, and the walk goes on.
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
    void deliver(bool force);

    XdgBaseFolders m_folders;
    QStringList m_locales;
    QList<AMAppItem> m_all;
    QList<AMAppItem> m_batch;
    QStringList m_skipped;
    BatchSink m_sink;
};

#pragma once

#include "platform/fs/MountTable.h"

#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;

// Watches a mount table (/proc/self/mountinfo by default) for mounts and unmounts. The kernel
// marks the open table with an exceptional condition after every change; the watcher then reads
// it again and reports the difference with the previous reading, one signal per change.
//
// Lives on the thread that created it, which needs an event loop; signals are emitted there.
class MountWatcher : public QObject {
    Q_OBJECT
public:
    explicit MountWatcher(const QString& path = MountTable::standardPath(),
                          QObject* parent = nullptr);
    ~MountWatcher() override;

    // Whether the table could be opened; without it no signal is ever emitted.
    bool isWatching() const { return m_descriptor >= 0; }
    QList<MountTable::Mount> mounts() const { return m_mounts; }

Q_SIGNALS:
    // Both lists are in table order; one of them may be empty.
    void mountsChanged(const QList<MountTable::Mount>& mounted,
                       const QList<MountTable::Mount>& unmounted);

private:
    QList<MountTable::Mount> readTable() const;
    void tableChanged();

    int m_descriptor = -1;
    QSocketNotifier* m_notifier = nullptr;
    QList<MountTable::Mount> m_mounts;
};

#pragma once

#include "platform/fs/MountTable.h"

#include <QList>
#include <QObject>

class MountWatcher;

// The names under which mounts and unmounts are re-posted on the application's notification
// centre, with the watcher as the object (its lastMounts() / lastUnmounts() carry the change).
inline constexpr const char* DVVolumeMountNotification = "DVVolumeMount";
inline constexpr const char* DVVolumeUnmountNotification = "DVVolumeUnmount";

// Watches the process's mount table from its creation to its destruction and re-announces each
// change inside the application, at most one post of each name per change of the table.
// GUI thread (the notification centre's thread).
class WatchMountUnmount : public QObject {
    Q_OBJECT
public:
    explicit WatchMountUnmount(QObject* parent = nullptr);
    // A watcher of another table (tests).
    WatchMountUnmount(const QString& mountTablePath, QObject* parent);

    const QList<MountTable::Mount>& lastMounts() const { return m_lastMounts; }
    const QList<MountTable::Mount>& lastUnmounts() const { return m_lastUnmounts; }

Q_SIGNALS:
    void mountedVolume(const QList<MountTable::Mount>& mounts);
    void unmountedVolume(const QList<MountTable::Mount>& mounts);

private:
    void registerNotifications(const QString& mountTablePath);
    void tableChanged(const QList<MountTable::Mount>& mounted,
                      const QList<MountTable::Mount>& unmounted);

    MountWatcher* m_wsnc = nullptr;
    QList<MountTable::Mount> m_lastMounts;
    QList<MountTable::Mount> m_lastUnmounts;
};

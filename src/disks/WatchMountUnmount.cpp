#include "disks/WatchMountUnmount.h"

#include "common/NotificationCenter.h"
#include "platform/fs/MountWatcher.h"

WatchMountUnmount::WatchMountUnmount(QObject* parent)
    : WatchMountUnmount(MountTable::standardPath(), parent)
{}

WatchMountUnmount::WatchMountUnmount(const QString& mountTablePath, QObject* parent)
    : QObject(parent)
{
    registerNotifications(mountTablePath);
}

void WatchMountUnmount::registerNotifications(const QString& mountTablePath)
{
    m_wsnc = new MountWatcher(mountTablePath, this);
    connect(m_wsnc, &MountWatcher::mountsChanged, this, &WatchMountUnmount::tableChanged);
}

void WatchMountUnmount::tableChanged(const QList<MountTable::Mount>& mounted,
                                     const QList<MountTable::Mount>& unmounted)
{
    if (!unmounted.isEmpty()) {
        m_lastUnmounts = unmounted;
        Q_EMIT unmountedVolume(unmounted);
        NotificationCenter::defaultCenter()->post(QLatin1StringView(DVVolumeUnmountNotification),
                                                  this);
    }
    if (!mounted.isEmpty()) {
        m_lastMounts = mounted;
        Q_EMIT mountedVolume(mounted);
        NotificationCenter::defaultCenter()->post(QLatin1StringView(DVVolumeMountNotification),
                                                  this);
    }
}

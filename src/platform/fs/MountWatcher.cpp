#include "platform/fs/MountWatcher.h"

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool sameMount(const MountTable::Mount& left, const MountTable::Mount& right)
{
    return left.mountPoint == right.mountPoint && left.source == right.source &&
           left.fileSystemType == right.fileSystemType && left.root == right.root;
}

// The mounts of `from` that `other` lacks, counting repeats (a path mounted twice over).
QList<MountTable::Mount> missingFrom(const QList<MountTable::Mount>& from,
                                     QList<MountTable::Mount> other)
{
    QList<MountTable::Mount> missing;
    for (const MountTable::Mount& mount : from) {
        const auto match =
            std::find_if(other.begin(), other.end(),
                         [&mount](const auto& candidate) { return sameMount(mount, candidate); });
        if (match == other.end())
            missing.append(mount);
        else
            other.erase(match);
    }
    return missing;
}

} // namespace

MountWatcher::MountWatcher(const QString& path, QObject* parent) : QObject(parent)
{
    m_descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (m_descriptor < 0)
        return;
    m_mounts = readTable();
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::tableChanged);
}

MountWatcher::~MountWatcher()
{
    delete m_notifier;
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

QList<MountTable::Mount> MountWatcher::readTable() const
{
    // The table must be read from its start each time for the kernel to re-arm the event.
    QByteArray table;
    if (::lseek(m_descriptor, 0, SEEK_SET) < 0)
        return m_mounts;
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(m_descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        table.append(buffer, count);
    }
    return MountTable::parse(table);
}

void MountWatcher::tableChanged()
{
    const QList<MountTable::Mount> now = readTable();
    const QList<MountTable::Mount> mounted = missingFrom(now, m_mounts);
    const QList<MountTable::Mount> unmounted = missingFrom(m_mounts, now);
    m_mounts = now;
    if (!mounted.isEmpty() || !unmounted.isEmpty())
        Q_EMIT mountsChanged(mounted, unmounted);
}

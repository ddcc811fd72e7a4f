#include "trash/TrashDirectory.h"

#include "platform/SystemError.h"
#include "platform/fs/DirectoryReader.h"
#include "platform/fs/FileDescriptor.h"
#include "platform/fs/MountTable.h"
#include "platform/fs/NativePath.h"
#include "platform/fs/SizeMeter.h"
#include "platform/fs/TreeSize.h"
#include "trash/FreedesktopTrash.h"
#include "trash/TrashFolderCandidates.h"

#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const QByteArray infoSuffix = QByteArrayLiteral(".trashinfo");
const char sizeCacheName[] = "directorysizes";

QString shown(const QByteArray& path)
{
    return QFile::decodeName(path);
}

// File systems that never hold a trash folder; looking into an autofs mount would mount it.
bool cannotHoldTrash(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo = {
        "proc",    "sysfs",       "devpts",   "cgroup", "cgroup2",    "securityfs", "debugfs",
        "tracefs", "pstore",      "bpf",      "mqueue", "hugetlbfs",  "configfs",   "fusectl",
        "autofs",  "binfmt_misc", "efivarfs", "nsfs",   "rpc_pipefs", "selinuxfs",
    };
    return pseudo.contains(type);
}

bool readNames(int folder, std::vector<QByteArray>* names)
{
    alignas(8) char buffer[32768];
    DirectoryReader reader(folder, buffer, sizeof buffer);
    DirectoryReader::Entry entry{};
    while (reader.next(entry))
        names->emplace_back(entry.name);
    errno = reader.error();
    return reader.error() == 0;
}

// A .trashinfo is a few hundred bytes; the size cache holds a line per trashed folder.
constexpr qsizetype recordLimit = 64 * 1024;
constexpr qsizetype sizeCacheLimit = 64 * 1024 * 1024;

QByteArray readSmallFile(int folder, const QByteArray& name, struct stat* status,
                         qsizetype limit = recordLimit)
{
    const FileDescriptor file(
        ::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), status) != 0 || !S_ISREG(status->st_mode))
        return {};
    QByteArray content;
    char buffer[4096];
    for (ssize_t count; (count = ::read(file.get(), buffer, sizeof buffer)) > 0;) {
        content.append(buffer, count);
        if (content.size() > limit)
            break;
    }
    return content;
}

struct Record {
    bool valid = false;
    QByteArray path;
    QDateTime date;
};

// The [Trash Info] group's Path and DeletionDate; other groups and keys are skipped.
Record parseRecord(const QByteArray& content)
{
    Record record;
    bool inGroup = false;
    bool sawGroup = false;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        if (line.startsWith('[')) {
            inGroup = line == "[Trash Info]";
            sawGroup = sawGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        if (line.startsWith("Path=") && !record.valid) {
            record.path = QByteArray::fromPercentEncoding(line.mid(5));
            record.valid = !record.path.isEmpty();
        } else if (line.startsWith("DeletionDate=") && !record.date.isValid()) {
            record.date = QDateTime::fromString(QString::fromLatin1(line.mid(13)), Qt::ISODate);
        }
    }
    record.valid = record.valid && sawGroup;
    return record;
}

TrashItem::Kind kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return TrashItem::Kind::Folder;
    if (S_ISLNK(mode))
        return TrashItem::Kind::Link;
    if (S_ISREG(mode))
        return TrashItem::Kind::File;
    return TrashItem::Kind::Other;
}

// nftw gives no user data: each thread measures with its own state.
thread_local qint64 measuredBytes = 0;
thread_local QSet<std::pair<dev_t, ino_t>>* measuredLinks = nullptr;

int countEntry(const char*, const struct stat* status, int type, struct FTW*)
{
    if (type == FTW_NS)
        return 0;
    if (status->st_nlink > 1 && !S_ISDIR(status->st_mode)) {
        const std::pair<dev_t, ino_t> key{status->st_dev, status->st_ino};
        if (measuredLinks->contains(key))
            return 0;
        measuredLinks->insert(key);
    }
    measuredBytes += qint64(status->st_blocks) * 512;
    return 0;
}

} // namespace

TrashDirectory::TrashDirectory(QByteArray path, QByteArray topDirectory, const struct stat& status)
    : m_path(std::move(path)), m_topDirectory(std::move(topDirectory)), m_status(status)
{}

QList<TrashDirectory> TrashDirectory::findAll(const QString& homeTrash,
                                              const QString& mountInfoPath, uid_t uid,
                                              QString* error)
{
    QList<TrashDirectory> found;
    QSet<std::pair<dev_t, ino_t>> seen;
    const auto add = [&found, &seen](const QByteArray& path, const QByteArray& top,
                                     const struct stat& status) {
        if (!seen.contains({status.st_dev, status.st_ino})) {
            seen.insert({status.st_dev, status.st_ino});
            found.append(TrashDirectory(path, top, status));
        }
    };

    struct stat status {};
    const QByteArray home = QFile::encodeName(homeTrash);
    if (!home.isEmpty() && ::stat(home.constData(), &status) == 0 && S_ISDIR(status.st_mode))
        add(home, {}, status);
    for (const MountTable::Mount& mount : MountTable::read(mountInfoPath, error)) {
        if (cannotHoldTrash(mount.fileSystemType))
            continue;
        for (const TrashFolderCandidates::Candidate& candidate : TrashFolderCandidates::forVolume(
                 mount.mountPoint, uid, TrashFolderCandidates::Use::Listing)) {
            if (candidate.usable())
                add(candidate.path, mount.mountPoint, candidate.status);
        }
    }
    return found;
}

QList<TrashDirectory> TrashDirectory::forCurrentUser(QString* error)
{
    return findAll(FreedesktopTrash::standardHomeTrash(), MountTable::standardPath(), ::geteuid(),
                   error);
}

QByteArray TrashDirectory::resolveRecordedPath(const QByteArray& recorded, QString* problem) const
{
    const auto refuse = [problem](const QString& why) {
        *problem = why;
        return QByteArray();
    };
    if (recorded.isEmpty() || recorded.contains('\0'))
        return refuse(QStringLiteral("its record names no original location"));
    for (const QByteArray& part : recorded.split('/')) {
        if (part == "..")
            return refuse(QStringLiteral("its recorded location “%1” climbs out with “..”")
                              .arg(shown(recorded)));
    }
    QByteArray base = m_topDirectory;
    if (isHome())
        base = m_path.left(std::max<qsizetype>(m_path.lastIndexOf('/'), 1));
    QByteArray absolute = recorded.startsWith('/') ? recorded : NativePath::child(base, recorded);
    while (absolute.contains("//"))
        absolute.replace("//", "/");
    if (absolute.size() > 1 && absolute.endsWith('/'))
        absolute.chop(1);
    if (!isHome() &&
        (absolute == m_topDirectory || !absolute.startsWith(NativePath::child(m_topDirectory, {}))))
        return refuse(QStringLiteral("its recorded location “%1” is outside the volume at %2")
                          .arg(shown(recorded), shown(m_topDirectory)));
    problem->clear();
    return absolute;
}

TrashItems TrashDirectory::list(QString* error) const
{
    TrashItems items;
    const auto fail = [this, error](const char* part) {
        if (error && error->isEmpty())
            *error = QStringLiteral("The contents of “%1” cannot be read: %2.")
                         .arg(shown(NativePath::child(m_path, part)), SystemError::text(errno));
    };
    const FileDescriptor trash(::open(m_path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC |
                                                              (isHome() ? 0 : O_NOFOLLOW)));
    const FileDescriptor files(
        trash.get() < 0
            ? -1
            : ::openat(trash.get(), "files", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    std::vector<QByteArray> fileNames;
    if (files.get() < 0 || !readNames(files.get(), &fileNames))
        fail("files");
    const FileDescriptor info(
        trash.get() < 0
            ? -1
            : ::openat(trash.get(), "info", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    std::vector<QByteArray> infoNames;
    if (info.get() < 0 || !readNames(info.get(), &infoNames))
        fail("info");

    QHash<QByteArray, qsizetype> byName;
    items.reserve(qsizetype(std::max(fileNames.size(), infoNames.size())));
    for (const QByteArray& infoName : infoNames) {
        if (!infoName.endsWith(infoSuffix) || infoName.size() == infoSuffix.size())
            continue;
        TrashItem item;
        item.trashFolder = m_path;
        item.topDirectory = m_topDirectory;
        item.name = infoName.chopped(infoSuffix.size());
        struct stat status {};
        const Record record = parseRecord(readSmallFile(info.get(), infoName, &status));
        item.recordTime = status.st_mtime;
        item.deletionDate = record.date;
        item.recordedPath = record.path;
        if (!record.valid) {
            item.state = TrashItem::State::NoRecord;
            item.problem =
                QStringLiteral("Its record “%1” cannot be read.").arg(shown(item.infoPath()));
        } else {
            QString problem;
            item.originalPath = resolveRecordedPath(record.path, &problem);
            if (item.originalPath.isEmpty()) {
                item.state = TrashItem::State::InvalidRecord;
                item.problem = QStringLiteral("It is not restored: %1.").arg(problem);
            }
        }
        item.state =
            item.state == TrashItem::State::Complete ? TrashItem::State::NoItem : item.state;
        byName.insert(item.name, items.size());
        items.append(std::move(item));
    }

    const QHash<QByteArray, CachedSize> cache = readSizeCache();
    for (const QByteArray& name : fileNames) {
        struct stat status {};
        const bool present =
            ::fstatat(files.get(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
        qsizetype index = byName.value(name, -1);
        if (index < 0) {
            TrashItem orphan;
            orphan.trashFolder = m_path;
            orphan.topDirectory = m_topDirectory;
            orphan.name = name;
            orphan.state = TrashItem::State::NoRecord;
            orphan.problem = QStringLiteral("It has no record in “%1”, so its original location "
                                            "is unknown.")
                                 .arg(shown(NativePath::child(m_path, "info")));
            index = items.size();
            items.append(std::move(orphan));
        }
        TrashItem& item = items[index];
        if (item.state == TrashItem::State::NoItem)
            item.state = TrashItem::State::Complete;
        if (!present)
            continue;
        item.kind = kindOf(status.st_mode);
        if (item.kind != TrashItem::Kind::Folder) {
            SizeMeter meter(m_sizeMode);
            item.size = qint64(meter.sizeOf(status));
        } else if (const auto cached = cache.constFind(name);
                   m_sizeMode == SizeMode::DiskUsage && cached != cache.cend() &&
                   cached->time == item.recordTime && item.state != TrashItem::State::NoRecord) {
            item.size = cached->size;
        }
    }
    for (TrashItem& item : items) {
        if (item.state == TrashItem::State::NoItem) {
            item.kind = TrashItem::Kind::Missing;
            item.size = 0;
            item.problem = QStringLiteral("Its record is left, but the item is gone from “%1”.")
                               .arg(shown(NativePath::child(m_path, "files")));
        }
    }
    return items;
}

qint64 TrashDirectory::diskUsage(int folder, const QByteArray& name)
{
    QSet<std::pair<dev_t, ino_t>> links;
    measuredBytes = 0;
    measuredLinks = &links;
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(folder) + '/' + name;
    ::nftw(path.constData(), countEntry, 16, FTW_PHYS | FTW_MOUNT);
    measuredLinks = nullptr;
    return measuredBytes;
}

QHash<QByteArray, TrashDirectory::CachedSize> TrashDirectory::readSizeCache() const
{
    QHash<QByteArray, CachedSize> entries;
    const FileDescriptor trash(::open(m_path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status {};
    QByteArray content = trash.get() < 0
                             ? QByteArray()
                             : readSmallFile(trash.get(), sizeCacheName, &status, sizeCacheLimit);
    // A last line without its end (cut short, or being written by another program) is left out.
    content.truncate(content.lastIndexOf('\n') + 1);
    for (const QByteArray& line : content.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            continue;
        bool sizeOk = false;
        bool timeOk = false;
        const CachedSize entry{fields[0].toLongLong(&sizeOk), fields[1].toLongLong(&timeOk)};
        const QByteArray name = QByteArray::fromPercentEncoding(fields[2]);
        if (sizeOk && timeOk && !name.isEmpty() && !name.contains('/'))
            entries.insert(name, entry);
    }
    return entries;
}

bool TrashDirectory::writeSizeCache(const QHash<QByteArray, CachedSize>& entries,
                                    QString* error) const
{
    QByteArray content;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        content += QByteArray::number(entry->size) + ' ' + QByteArray::number(entry->time) + ' ' +
                   entry.key().toPercentEncoding() + '\n';
    }
    // QSaveFile writes a temporary file in the trash folder and renames it over the cache.
    QSaveFile file(shown(NativePath::child(m_path, sizeCacheName)));
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("The folder sizes of the trash “%1” cannot be recorded: %2.")
                     .arg(shown(m_path), file.errorString());
    return false;
}

bool TrashDirectory::measureFolders(TrashItems* items, QString* error) const
{
    const FileDescriptor files(::open(NativePath::child(m_path, "files").constData(),
                                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (files.get() < 0)
        return true;
    QHash<QByteArray, CachedSize> cache = readSizeCache();
    QSet<QByteArray> present;
    bool changed = false;
    for (TrashItem& item : *items) {
        if (item.trashFolder != m_path)
            continue;
        present.insert(item.name);
        if (item.kind != TrashItem::Kind::Folder || item.size >= 0)
            continue;
        if (m_sizeMode == SizeMode::Apparent) {
            SizeMeter meter(m_sizeMode);
            item.size = TreeSize::size(files.get(), item.name, meter);
            continue;
        }
        item.size = diskUsage(files.get(), item.name);
        if (item.state != TrashItem::State::NoRecord) {
            cache.insert(item.name, {item.size, item.recordTime});
            changed = true;
        }
    }
    for (auto entry = cache.begin(); entry != cache.end();) {
        if (present.contains(entry.key())) {
            ++entry;
        } else {
            entry = cache.erase(entry);
            changed = true;
        }
    }
    return !changed || writeSizeCache(cache, error);
}

bool TrashDirectory::removeSizeEntries(const QList<QByteArray>& names, QString* error) const
{
    QHash<QByteArray, CachedSize> cache = readSizeCache();
    bool changed = false;
    for (const QByteArray& name : names)
        changed = cache.remove(name) || changed;
    return !changed || writeSizeCache(cache, error);
}

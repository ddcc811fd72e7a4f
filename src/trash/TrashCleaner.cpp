#include "trash/TrashCleaner.h"

#include "common/SizeModeSetting.h"
#include "platform/SystemError.h"
#include "platform/fs/DirectoryReader.h"
#include "platform/fs/FolderAccess.h"
#include "platform/fs/MountTable.h"
#include "platform/fs/NativePath.h"
#include "platform/fs/SizeMeter.h"
#include "platform/fs/TreeEraser.h"
#include "platform/fs/TreeSize.h"
#include "trash/FreedesktopTrash.h"
#include "trash/TrashDirectory.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

QString shown(const QByteArray& path)
{
    return QFile::decodeName(path);
}

struct TrashFolder {
    QByteArray path;
    struct stat status {};
    bool mayBeLink = false; // only the home trash, which the user chose
};

std::vector<TrashFolder> findTrashFolders(const QString& homeTrash, const QString& mountInfoPath,
                                          uid_t uid, QString* error)
{
    std::vector<TrashFolder> found;
    for (const TrashDirectory& trash :
         TrashDirectory::findAll(homeTrash, mountInfoPath, uid, error))
        found.push_back({trash.path(), trash.status(), trash.isHome()});
    return found;
}

bool readEntries(int folder, std::vector<QByteArray>* entries)
{
    alignas(8) char buffer[32768];
    DirectoryReader reader(folder, buffer, sizeof buffer);
    DirectoryReader::Entry entry{};
    while (reader.next(entry)) {
        entries->emplace_back(entry.name);
    }
    errno = reader.error();
    return reader.error() == 0;
}

// One trashed item whole, as the Trash window's row and the question count it: hard links once
// within the item.
qint64 itemSize(int folder, const QByteArray& name, SizeMode mode, bool grantOwnerAccess = false)
{
    SizeMeter meter(mode);
    return TreeSize::size(folder, name, meter, grantOwnerAccess);
}

// One run over the trash folders, gathering the result.
class Emptying {
public:
    explicit Emptying(const std::atomic<bool>* stop) : m_stop(stop) {}

    TrashCleaner::Result result;
    SizeMode sizeMode = SizeMode::Apparent;

    void fail(const QString& sentence, int count = 1)
    {
        if (result.failures == 0) {
            result.firstError = sentence;
        }
        result.failures += count;
    }

    bool stopRequested()
    {
        if (!result.stopped && m_stop != nullptr && m_stop->load(std::memory_order_relaxed)) {
            result.stopped = true;
            fail(QStringLiteral("Emptying the Trash was stopped before it was finished."));
        }
        return result.stopped;
    }

    void empty(const TrashFolder& trash)
    {
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (trash.mayBeLink ? 0 : O_NOFOLLOW);
        const int folder = ::open(trash.path.constData(), flags);
        struct stat opened {};
        if (folder < 0) {
            fail(QStringLiteral("The trash folder “%1” cannot be opened: %2.")
                     .arg(shown(trash.path), SystemError::text(errno)));
            return;
        }
        if (::fstat(folder, &opened) != 0 || !FolderAccess::sameFile(opened, trash.status)) {
            fail(QStringLiteral("The trash folder “%1” was replaced while the Trash was being "
                                "emptied, so it was left alone.")
                     .arg(shown(trash.path)));
        } else {
            emptyFolder(folder, trash.path, "files", true);
            emptyFolder(folder, trash.path, "info", false);
            emptyFolder(folder, trash.path, "expunged", false);
            removeSizeCache(folder, trash.path);
        }
        ::close(folder);
    }

    // Erases one trashed item and its record, as emptying does, and drops its size entry.
    void eraseItem(const TrashItem& item);

private:
    void emptyFolder(int trash, const QByteArray& trashPath, const QByteArray& name,
                     bool holdsItems);
    void removeEntry(int folder, const QByteArray& folderPath, const QByteArray& name, bool isItem);
    void removeSizeCache(int trash, const QByteArray& trashPath);

    const std::atomic<bool>* m_stop;
};

void Emptying::emptyFolder(int trash, const QByteArray& trashPath, const QByteArray& name,
                           bool holdsItems)
{
    const QByteArray path = NativePath::child(trashPath, name);
    struct stat status {};
    if (::fstatat(trash, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            fail(QStringLiteral("“%1” cannot be examined: %2.")
                     .arg(shown(path), SystemError::text(errno)));
        }
        return;
    }
    if (!S_ISDIR(status.st_mode)) {
        fail(QStringLiteral("“%1” is %2, not a folder, so it was left alone.")
                 .arg(shown(path), S_ISLNK(status.st_mode) ? QStringLiteral("a symbolic link")
                                                           : QStringLiteral("a file")));
        return;
    }
    const int folder =
        ::openat(trash, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    std::vector<QByteArray> entries;
    if (folder < 0 || !readEntries(folder, &entries)) {
        fail(QStringLiteral("The contents of “%1” cannot be read: %2.")
                 .arg(shown(path), SystemError::text(errno)));
    } else {
        for (const QByteArray& entry : entries) {
            if (stopRequested()) {
                break;
            }
            removeEntry(folder, path, entry, holdsItems);
        }
    }
    if (folder >= 0) {
        ::close(folder);
    }
}

void Emptying::removeEntry(int folder, const QByteArray& folderPath, const QByteArray& name,
                           bool isItem)
{
    // Only the items count, as the question and the Trash window count them; records do not.
    const qint64 size = isItem ? itemSize(folder, name, sizeMode, true) : 0;
    // Reached through the open folder, so a folder of the trash swapped for a link meanwhile
    // cannot redirect the erasing.
    const QByteArray handle = "/proc/self/fd/" + QByteArray::number(folder) + '/';
    const QString shownFolder = shown(NativePath::child(folderPath, {}));
    const TreeEraser::Result erased = TreeEraser::erase(handle + name, m_stop);
    if (erased.succeeded()) {
        result.bytesFreed += size;
        result.itemsRemoved += isItem ? 1 : 0;
        return;
    }
    if (isItem)
        result.bytesFreed += std::max<qint64>(0, size - itemSize(folder, name, sizeMode));
    fail(QString(erased.firstError).replace(shown(handle), shownFolder), erased.failures);
    result.stopped = result.stopped || erased.stopped;
}

void Emptying::eraseItem(const TrashItem& item)
{
    const int folder =
        ::open(item.trashFolder.constData(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC | (item.topDirectory.isEmpty() ? 0 : O_NOFOLLOW));
    if (folder < 0) {
        fail(QStringLiteral("The trash folder “%1” cannot be opened: %2.")
                 .arg(shown(item.trashFolder), SystemError::text(errno)));
        return;
    }
    const int failuresBefore = result.failures;
    for (const char* part : {"files", "info"}) {
        const QByteArray partPath = NativePath::child(item.trashFolder, part);
        const QByteArray name = part[0] == 'f' ? item.name : item.name + ".trashinfo";
        const int partFolder =
            ::openat(folder, part, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        struct stat status {};
        if (partFolder < 0) {
            fail(QStringLiteral("“%1” cannot be opened: %2.")
                     .arg(shown(partPath), SystemError::text(errno)));
        } else if (::fstatat(partFolder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
            // The record goes only once the item is gone, so nothing is left without one.
            if (part[0] == 'f' || result.failures == failuresBefore)
                removeEntry(partFolder, partPath, name, part[0] == 'f');
        }
        if (partFolder >= 0)
            ::close(partFolder);
    }
    ::close(folder);
    QString error;
    struct stat trashStatus {};
    if (item.kind == TrashItem::Kind::Folder &&
        !TrashDirectory(item.trashFolder, item.topDirectory, trashStatus)
             .removeSizeEntries({item.name}, &error))
        fail(error);
}

void Emptying::removeSizeCache(int trash, const QByteArray& trashPath)
{
    const QByteArray path = NativePath::child(trashPath, "directorysizes");
    struct stat status {};
    if (::fstatat(trash, "directorysizes", &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            fail(QStringLiteral("“%1” cannot be examined: %2.")
                     .arg(shown(path), SystemError::text(errno)));
        }
    } else if (S_ISDIR(status.st_mode)) {
        fail(
            QStringLiteral("“%1” is a folder, not a file, so it was left alone.").arg(shown(path)));
    } else if (::unlinkat(trash, "directorysizes", 0) != 0) {
        fail(QStringLiteral("“%1” cannot be removed: %2.")
                 .arg(shown(path), SystemError::text(errno)));
    }
}

} // namespace

TrashCleaner::TrashCleaner(QString homeTrash, QString mountInfoPath, uid_t uid)
    : m_homeTrash(std::move(homeTrash)), m_mountInfoPath(std::move(mountInfoPath)), m_uid(uid)
{}

TrashCleaner TrashCleaner::forCurrentUser()
{
    TrashCleaner cleaner(FreedesktopTrash::standardHomeTrash(), MountTable::standardPath(),
                         ::geteuid());
    cleaner.setSizeMode(SizeModeSetting::load());
    return cleaner;
}

QStringList TrashCleaner::trashFolders(QString* error) const
{
    QStringList paths;
    for (const TrashFolder& folder : findTrashFolders(m_homeTrash, m_mountInfoPath, m_uid, error)) {
        paths.append(shown(folder.path));
    }
    return paths;
}

TrashCleaner::Contents TrashCleaner::measure() const
{
    Contents contents;
    contents.sizeMode = m_sizeMode;
    for (const TrashFolder& trash :
         findTrashFolders(m_homeTrash, m_mountInfoPath, m_uid, nullptr)) {
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (trash.mayBeLink ? 0 : O_NOFOLLOW);
        const int folder = ::open(trash.path.constData(), flags);
        const int files =
            folder < 0 ? -1
                       : ::openat(folder, "files", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        std::vector<QByteArray> entries;
        if (files >= 0 && readEntries(files, &entries)) {
            contents.items += int(entries.size());
            for (const QByteArray& entry : entries)
                contents.bytes += itemSize(files, entry, m_sizeMode);
        }
        for (const int descriptor : {files, folder}) {
            if (descriptor >= 0)
                ::close(descriptor);
        }
    }
    return contents;
}

TrashCleaner::Result TrashCleaner::eraseItems(const TrashItems& items,
                                              const std::atomic<bool>* stop) const
{
    Emptying emptying(stop);
    emptying.sizeMode = emptying.result.sizeMode = m_sizeMode;
    QString tableError;
    const std::vector<TrashFolder> folders =
        findTrashFolders(m_homeTrash, m_mountInfoPath, m_uid, &tableError);
    emptying.result.trashFolders = int(folders.size());
    for (const TrashItem& item : items) {
        if (emptying.stopRequested())
            break;
        const bool known =
            std::any_of(folders.cbegin(), folders.cend(), [&item](const TrashFolder& folder) {
                return folder.path == item.trashFolder;
            });
        if (!known || item.name.isEmpty() || item.name.contains('/') || item.name == ".." ||
            item.name == ".")
            emptying.fail(QStringLiteral("“%1” is not an item of one of your trash folders.")
                              .arg(shown(item.itemPath())));
        else
            emptying.eraseItem(item);
    }
    return emptying.result;
}

TrashCleaner::Result TrashCleaner::emptyAll(const std::atomic<bool>* stop) const
{
    QString tableError;
    const std::vector<TrashFolder> folders =
        findTrashFolders(m_homeTrash, m_mountInfoPath, m_uid, &tableError);
    Emptying emptying(stop);
    emptying.sizeMode = emptying.result.sizeMode = m_sizeMode;
    emptying.result.trashFolders = int(folders.size());
    if (!tableError.isEmpty()) {
        emptying.fail(tableError);
    }
    for (const TrashFolder& folder : folders) {
        if (emptying.stopRequested()) {
            break;
        }
        emptying.empty(folder);
    }
    return emptying.result;
}

#include "platform/fs/TreeEraser.h"

#include "platform/SystemError.h"
#include "platform/fs/DirectoryReader.h"
#include "platform/fs/FolderAccess.h"
#include "platform/fs/NativePath.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Folders kept open at once. Deeper in, ancestors are closed and reopened through ".." on the
// way back up, checked against the device and inode they had.
constexpr std::size_t openFolderLimit = 64;

// An entry's name and its type as the listing gave it (DT_UNKNOWN where the file system does not
// say).
struct Entry {
    QByteArray name;
    unsigned char type = DT_UNKNOWN;
    unsigned long long inode = 0;
};

// Past this many entries a folder is emptied in inode order, which on ext4 and similar file
// systems visits the inode table in sequence instead of at random (rm -rf does the same).
constexpr std::size_t inodeOrderThreshold = 10000;

// The whole listing is read before anything in the folder is removed, so removing never disturbs
// the reading.
bool readEntries(int folder, std::vector<Entry>* entries)
{
    // Read straight from the folder's own descriptor, freshly opened at offset 0: no duplicate
    // descriptor and no DIR stream per folder.
    thread_local std::vector<char> buffer(64 * 1024);
    DirectoryReader reader(folder, buffer.data(), buffer.size());
    DirectoryReader::Entry entry{};
    while (reader.next(entry))
        entries->push_back({QByteArray(entry.name), entry.type, entry.inode});
    if (entries->size() > inodeOrderThreshold) {
        std::sort(entries->begin(), entries->end(),
                  [](const Entry& a, const Entry& b) { return a.inode < b.inode; });
    }
    errno = reader.error();
    return reader.error() == 0;
}

// One folder being emptied.
struct Frame {
    QByteArray name; // in the folder of the frame before it, or in the base folder
    struct stat status {};
    int descriptor = -1; // -1 while closed to stay within the limit
    std::vector<Entry> entries;
    std::size_t next = 0;
    bool incomplete = false;                      // something in it stays, so it stays too
    std::unique_ptr<TreeEraser::Listing> listing; // what may go; everything when empty
};

struct Walk {
    QString rootPath;
    int base = -1; // the folder holding the item to erase
    std::vector<Frame> frames;
    std::size_t firstOpen = 0; // frames from here to the last have open descriptors
    TreeEraser::Result result;
    const std::function<void()>* removed = nullptr;

    Walk() = default;
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // The path of an entry of frames[depth - 1]; the root item itself for depth 0.
    QString pathOf(std::size_t depth, const QByteArray& name) const
    {
        if (depth == 0) {
            return rootPath;
        }
        QString path = rootPath;
        for (std::size_t index = 1; index < depth; ++index) {
            path += u'/' + QFile::decodeName(frames[index].name);
        }
        return path + u'/' + QFile::decodeName(name);
    }
    QString entryPath(const QByteArray& name) const { return pathOf(frames.size(), name); }

    void gone(const QByteArray& name)
    {
        if (!frames.empty() && frames.back().listing != nullptr)
            frames.back().listing->erased(name);
        if (removed != nullptr && *removed)
            (*removed)();
    }

    void fail(const QString& path, const QString& reason)
    {
        if (result.failures++ == 0) {
            result.firstError = QCoreApplication::translate("TreeEraser", "Cannot erase “%1”: %2.")
                                    .arg(path, reason);
        }
        if (!frames.empty()) {
            frames.back().incomplete = true;
        }
    }

    void enter(int parent, const QByteArray& name, const struct stat& status,
               std::unique_ptr<TreeEraser::Listing> listing)
    {
        if (status.st_uid == ::geteuid() && (status.st_mode & S_IRWXU) != S_IRWXU) {
            FolderAccess::grantOwnerAccess(parent, name, status);
        }
        Frame frame;
        frame.name = name;
        frame.status = status;
        frame.listing = std::move(listing);
        frame.descriptor =
            ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        struct stat opened {};
        QString reason;
        if (frame.descriptor < 0) {
            reason = SystemError::text(errno);
        } else if (::fstat(frame.descriptor, &opened) != 0 ||
                   !FolderAccess::sameFile(opened, status)) {
            reason = QCoreApplication::translate("TreeEraser",
                                                 "it was replaced while it was being erased");
        } else if (!readEntries(frame.descriptor, &frame.entries)) {
            reason = QCoreApplication::translate("TreeEraser", "its contents cannot be read (%1)")
                         .arg(SystemError::text(errno));
        }
        if (!reason.isEmpty()) {
            if (frame.descriptor >= 0) {
                ::close(frame.descriptor);
            }
            fail(entryPath(name), reason);
            return;
        }
        frames.push_back(std::move(frame));
        if (frames.size() - firstOpen > openFolderLimit) {
            ::close(frames[firstOpen].descriptor);
            frames[firstOpen].descriptor = -1;
            ++firstOpen;
        }
    }

    void visit(const QByteArray& name, unsigned char type)
    {
        const int folder = frames.back().descriptor;
        const TreeEraser::Listing* const listing = frames.back().listing.get();
        if (listing != nullptr && !listing->contains(name)) {
            ++result.unlisted;
            frames.back().incomplete = true;
            return;
        }
        // A listed non-folder goes without a stat of its own, as most entries are files: unlinkat
        // without AT_REMOVEDIR never removes a folder, and one that became a folder since the
        // listing (EISDIR) takes the folder's way below.
        if (type != DT_DIR && type != DT_UNKNOWN) {
            if (::unlinkat(folder, name.constData(), 0) == 0) {
                gone(name);
                return;
            }
            if (errno == ENOENT)
                return;
            if (errno != EISDIR) {
                fail(entryPath(name), SystemError::text(errno));
                return;
            }
        }
        struct stat status {};
        if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) {
                fail(entryPath(name), SystemError::text(errno));
            }
        } else if (!S_ISDIR(status.st_mode)) {
            if (::unlinkat(folder, name.constData(), 0) != 0 && errno != ENOENT) {
                fail(entryPath(name), SystemError::text(errno));
            } else {
                gone(name);
            }
        } else if (status.st_dev != frames.back().status.st_dev) {
            fail(entryPath(name),
                 QCoreApplication::translate("TreeEraser", "another file system is mounted there"));
        } else {
            enter(folder, name, status, listing != nullptr ? listing->folder(name) : nullptr);
        }
    }

    // Closes the emptied last frame and removes its folder. False when the walk cannot go on.
    bool leave()
    {
        const std::size_t index = frames.size() - 1;
        if (index > 0 && frames[index - 1].descriptor < 0) {
            Frame& above = frames[index - 1];
            const int parent =
                ::openat(frames[index].descriptor, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct stat status {};
            if (parent < 0 || ::fstat(parent, &status) != 0 ||
                !FolderAccess::sameFile(status, above.status)) {
                if (parent >= 0) {
                    ::close(parent);
                }
                fail(pathOf(index, frames[index].name),
                     QCoreApplication::translate(
                         "TreeEraser",
                         "its folder was moved while it was being erased, so the rest "
                         "was left in place"));
                return false;
            }
            above.descriptor = parent;
            firstOpen = index - 1;
        }
        ::close(frames[index].descriptor);
        const QByteArray name = frames[index].name;
        const bool incomplete = frames[index].incomplete;
        frames.pop_back();
        const int folder = frames.empty() ? base : frames.back().descriptor;
        if (incomplete) {
            if (!frames.empty()) {
                frames.back().incomplete = true;
            }
        } else if (::unlinkat(folder, name.constData(), AT_REMOVEDIR) != 0 && errno != ENOENT) {
            fail(entryPath(name), SystemError::text(errno));
        } else {
            gone(name);
        }
        return true;
    }

    void run(const std::atomic<bool>* stop)
    {
        while (!frames.empty()) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                result.stopped = true;
                fail(rootPath, QCoreApplication::translate(
                                   "TreeEraser", "erasing was stopped before it was finished"));
                return;
            }
            Frame& last = frames.back();
            if (last.next < last.entries.size()) {
                Entry entry = std::move(last.entries[last.next++]);
                visit(entry.name, entry.type);
            } else if (!leave()) {
                return;
            }
        }
    }

    ~Walk()
    {
        for (const Frame& frame : frames) {
            if (frame.descriptor >= 0) {
                ::close(frame.descriptor);
            }
        }
        if (base >= 0) {
            ::close(base);
        }
    }
};

} // namespace

TreeEraser::Result TreeEraser::erase(const QByteArray& path, const std::atomic<bool>* stop,
                                     std::unique_ptr<Listing> listing,
                                     const std::function<void()>& removed)
{
    if (path.isEmpty()) {
        return {1, QCoreApplication::translate("TreeEraser", "No item was given to erase."), false};
    }
    if (!NativePath::namesOneEntry(path)) {
        return {1,
                QCoreApplication::translate(
                    "TreeEraser", "Cannot erase “%1”: it does not name one file or folder.")
                    .arg(QFile::decodeName(path)),
                false};
    }
    // The folder part as the kernel resolves it, links and ".." included; the last component
    // is acted on relative to it and never followed.
    QByteArray name;
    Walk walk;
    walk.removed = &removed;
    walk.base = NativePath::openFolderPart(path, &name);
    const int openError = errno;
    const QByteArray folder = walk.base >= 0 ? NativePath::folderPath(walk.base) : QByteArray();
    walk.rootPath = QFile::decodeName(folder.isEmpty() ? NativePath::absolute(path)
                                                       : NativePath::child(folder, name));
    errno = openError;
    struct stat status {};
    struct stat baseStatus {};
    if (walk.base < 0 ||
        ::fstatat(walk.base, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        walk.fail(walk.rootPath,
                  errno == ENOENT || errno == ENOTDIR
                      ? QCoreApplication::translate("TreeEraser", "it does not exist")
                      : SystemError::text(errno));
    } else if (!S_ISDIR(status.st_mode)) {
        if (::unlinkat(walk.base, name.constData(), 0) != 0) {
            walk.fail(walk.rootPath, SystemError::text(errno));
        } else {
            walk.gone(name);
        }
    } else if (::fstat(walk.base, &baseStatus) == 0 && baseStatus.st_dev != status.st_dev) {
        walk.fail(walk.rootPath,
                  QCoreApplication::translate("TreeEraser", "a volume is mounted there"));
    } else {
        walk.enter(walk.base, name, status, std::move(listing));
        walk.run(stop);
    }
    return walk.result;
}

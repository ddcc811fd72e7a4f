#include "platform/fs/TreeSize.h"

#include "platform/fs/DirectoryReader.h"
#include "platform/fs/FolderAccess.h"
#include "platform/fs/SizeMeter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Folders kept open at once. Deeper in, ancestors are closed and reopened through ".." on the
// way back up, checked against the device and inode they had.
constexpr std::size_t openFolderLimit = 64;

qint64 sizeOf(const struct stat& status, TreeSize::CountedFiles* counted)
{
    if (S_ISDIR(status.st_mode)) {
        return 0;
    }
    // A file counted under another name may have only this one left by now.
    if (counted->contains({status.st_dev, status.st_ino})) {
        return 0;
    }
    if (status.st_nlink > 1) {
        counted->insert({status.st_dev, status.st_ino});
    }
    return qint64(status.st_size);
}

struct Frame {
    int descriptor = -1;
    struct stat status {};
    std::vector<QByteArray> names;
    std::size_t next = 0;
};

struct Walk {
    std::vector<Frame> frames;
    std::size_t firstOpen = 0;
    bool grantOwnerAccess = false;

    Walk() = default;
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;
    ~Walk()
    {
        for (const Frame& frame : frames) {
            if (frame.descriptor >= 0) {
                ::close(frame.descriptor);
            }
        }
    }

    // Opens the folder examined as status and reads its names; a folder that cannot be read, or
    // that was swapped meanwhile, is skipped.
    void enter(int parent, const QByteArray& name, const struct stat& status)
    {
        if (grantOwnerAccess && status.st_uid == ::geteuid() &&
            (status.st_mode & S_IRWXU) != S_IRWXU) {
            FolderAccess::grantOwnerAccess(parent, name, status);
        }
        Frame frame;
        frame.status = status;
        frame.descriptor =
            ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        struct stat opened {};
        if (frame.descriptor < 0) {
            return;
        }
        if (::fstat(frame.descriptor, &opened) != 0 || !FolderAccess::sameFile(opened, status)) {
            ::close(frame.descriptor);
            return;
        }
        alignas(8) char buffer[32768];
        DirectoryReader reader(frame.descriptor, buffer, sizeof buffer);
        DirectoryReader::Entry entry{};
        while (reader.next(entry)) {
            frame.names.emplace_back(entry.name);
        }
        frames.push_back(std::move(frame));
        if (frames.size() - firstOpen > openFolderLimit) {
            ::close(frames[firstOpen].descriptor);
            frames[firstOpen++].descriptor = -1;
        }
    }

    // Closes the last frame. False when its parent was moved meanwhile and cannot be reopened.
    bool leave()
    {
        const std::size_t index = frames.size() - 1;
        bool reopened = true;
        if (index > 0 && frames[index - 1].descriptor < 0) {
            Frame& above = frames[index - 1];
            above.descriptor =
                ::openat(frames[index].descriptor, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct stat status {};
            reopened = above.descriptor >= 0 && ::fstat(above.descriptor, &status) == 0 &&
                       FolderAccess::sameFile(status, above.status);
            firstOpen = index - 1;
        }
        ::close(frames[index].descriptor);
        frames.pop_back();
        return reopened;
    }
};

// The walk of both measures; `measure` sizes one examined entry, folders included.
template <typename Measure>
qint64 measureTree(int folder, const QByteArray& name, Measure measure, bool grantOwnerAccess)
{
    struct stat status {};
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return 0;
    }
    qint64 total = measure(status);
    if (!S_ISDIR(status.st_mode)) {
        return total;
    }
    Walk walk;
    walk.grantOwnerAccess = grantOwnerAccess;
    walk.enter(folder, name, status);
    while (!walk.frames.empty()) {
        Frame& last = walk.frames.back();
        if (last.next == last.names.size()) {
            if (!walk.leave()) {
                break; // moved while it was measured: the rest is not counted
            }
            continue;
        }
        const QByteArray child = std::move(last.names[last.next++]);
        const int descriptor = last.descriptor;
        const dev_t device = last.status.st_dev;
        if (::fstatat(descriptor, child.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        total += measure(status);
        if (S_ISDIR(status.st_mode) && status.st_dev == device) {
            walk.enter(descriptor, child, status);
        }
    }
    return total;
}

} // namespace

qint64 TreeSize::logicalSize(int folder, const QByteArray& name, CountedFiles* counted,
                             bool grantOwnerAccess)
{
    return measureTree(
        folder, name, [counted](const struct stat& status) { return sizeOf(status, counted); },
        grantOwnerAccess);
}

qint64 TreeSize::size(int folder, const QByteArray& name, SizeMeter& meter, bool grantOwnerAccess)
{
    return measureTree(
        folder, name, [&meter](const struct stat& status) { return qint64(meter.sizeOf(status)); },
        grantOwnerAccess);
}

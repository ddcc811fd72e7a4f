#include "platform/fs/EntryCounter.h"

#include "platform/fs/DirectoryReader.h"
#include "platform/fs/NativePath.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Folders open at once; a folder deeper than this counts as one entry.
constexpr std::size_t depthLimit = 64;

struct Frame {
    int descriptor = -1;
    std::vector<QByteArray> folders; // its sub-folders, entered one after the other
    std::size_t next = 0;
};

bool stopped(const std::atomic<bool>* stop)
{
    return stop != nullptr && stop->load(std::memory_order_relaxed);
}

// Opens the folder `name` of `parent` when it is one on `device`; counts its entries into total
// and notes its sub-folders. False when it is not entered.
bool enter(int parent, const char* name, dev_t device, std::vector<Frame>* frames,
           std::uint64_t* total, const std::atomic<bool>* stop)
{
    Frame frame;
    frame.descriptor = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status {};
    if (frame.descriptor < 0)
        return false;
    if (::fstat(frame.descriptor, &status) != 0 || status.st_dev != device) {
        ::close(frame.descriptor);
        return false;
    }
    thread_local std::vector<char> buffer(32 * 1024);
    DirectoryReader reader(frame.descriptor, buffer.data(), buffer.size());
    DirectoryReader::Entry entry{};
    while (!stopped(stop) && reader.next(entry)) {
        ++*total;
        bool isFolder = entry.type == DT_DIR;
        if (entry.type == DT_UNKNOWN) {
            struct stat child {};
            isFolder = ::fstatat(frame.descriptor, entry.name, &child, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(child.st_mode);
        }
        if (isFolder)
            frame.folders.emplace_back(entry.name);
    }
    frames->push_back(std::move(frame));
    return true;
}

} // namespace

std::uint64_t EntryCounter::count(int folder, const QByteArray& name, const std::atomic<bool>* stop)
{
    struct stat status {};
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return 0;
    std::uint64_t total = 1;
    if (!S_ISDIR(status.st_mode))
        return total;
    std::vector<Frame> frames;
    enter(folder, name.constData(), status.st_dev, &frames, &total, stop);
    while (!frames.empty()) {
        Frame& last = frames.back();
        if (last.next < last.folders.size() && frames.size() < depthLimit && !stopped(stop)) {
            const QByteArray child = std::move(last.folders[last.next++]);
            enter(last.descriptor, child.constData(), status.st_dev, &frames, &total, stop);
            continue;
        }
        ::close(last.descriptor);
        frames.pop_back();
    }
    return total;
}

std::uint64_t EntryCounter::count(const QByteArray& path, const std::atomic<bool>* stop)
{
    QByteArray name;
    const int folder = NativePath::openFolderPart(path, &name);
    if (folder < 0)
        return 0;
    const std::uint64_t total = count(folder, name, stop);
    ::close(folder);
    return total;
}

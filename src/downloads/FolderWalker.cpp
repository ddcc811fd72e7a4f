#include "downloads/FolderWalker.h"

#include "downloads/Progress.h"
#include "platform/fs/DirectoryReader.h"
#include "platform/fs/SizeMeter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kDirentBufferSize = 64 * 1024;

// Deep trees keep one descriptor open per folder that still has folders waiting below it.
void raiseOpenFileLimit()
{
    static std::once_flag once;
    std::call_once(once, [] {
        rlimit limit{};
        if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
            limit.rlim_cur = limit.rlim_max;
            setrlimit(RLIMIT_NOFILE, &limit);
        }
    });
}

} // namespace

// An open folder, closed when the last task that needs it as a parent is done.
struct FolderWalker::OpenFolder {
    explicit OpenFolder(int descriptor, bool owned = true) : fd(descriptor), owned(owned) {}
    ~OpenFolder()
    {
        if (owned && fd >= 0)
            ::close(fd);
    }
    int fd;
    bool owned;
};

int FolderWalker::defaultThreadCount()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores >= 2 ? 2 : 1;
}

FolderWalker::FolderWalker(FileTree& tree, const std::atomic<bool>& stop, SizeMeter& meter,
                           int threads)
    : m_tree(tree), m_stop(stop), m_meter(meter)
{
    raiseOpenFileLimit();
    for (int index = 1; index < threads; ++index)
        m_helpers.emplace_back(&FolderWalker::helperLoop, this);
}

FolderWalker::~FolderWalker()
{
    {
        const std::lock_guard<std::mutex> guard(m_mutex);
        m_shutdown = true;
        m_stack.clear();
    }
    m_work.notify_all();
    for (std::thread& helper : m_helpers)
        helper.join();
}

std::uint64_t FolderWalker::walk(int parentFd, FileNode* folder, FileTree::Allocator& allocator)
{
    // Top-level folders of one scan share their parent: it is wrapped once, not once a folder.
    if (!m_parent || m_parent->fd != parentFd)
        m_parent = std::make_shared<OpenFolder>(parentFd, false);
    {
        const std::lock_guard<std::mutex> guard(m_mutex);
        m_target = folder;
        m_targetDone = false;
        ++m_active;
    }
    folder->m_pending.store(1, std::memory_order_relaxed);
    process({folder, m_parent}, allocator);
    const bool complete = finishTarget(allocator);
    if (!complete)
        settleStoppedWalk(folder);
    return folder->size();
}

bool FolderWalker::finishTarget(FileTree::Allocator& allocator)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    --m_active;
    for (;;) {
        const bool stopped = m_stop.load(std::memory_order_acquire);
        if (stopped)
            m_stack.clear(); // abandoned: their parents' descriptors close with them
        if (m_targetDone || (stopped && m_active == 0))
            break;
        if (m_stack.empty()) {
            m_callerWaiting = true;
            m_changed.wait(lock);
            m_callerWaiting = false;
            continue;
        }
        processTop(lock, allocator);
    }
    const bool complete = m_targetDone;
    m_target = nullptr;
    return complete;
}

void FolderWalker::processTop(std::unique_lock<std::mutex>& lock, FileTree::Allocator& allocator)
{
    const Task task = std::move(m_stack.back());
    m_stack.pop_back();
    ++m_active;
    lock.unlock();
    process(task, allocator);
    lock.lock();
    --m_active;
    // Only a stopped walk waits for the busy count; a running one waits for its target.
    if (m_callerWaiting && m_active == 0 && m_stop.load(std::memory_order_relaxed))
        m_changed.notify_all();
}

void FolderWalker::helperLoop()
{
    FileTree::Allocator allocator(m_tree);
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        ++m_idleHelpers;
        m_work.wait(lock, [this] { return m_shutdown || !m_stack.empty(); });
        --m_idleHelpers;
        if (m_shutdown)
            return;
        processTop(lock, allocator);
    }
}

void FolderWalker::push(std::vector<Task>& tasks)
{
    if (tasks.empty())
        return;
    bool wakeHelpers = false;
    bool wakeCaller = false;
    {
        const std::lock_guard<std::mutex> guard(m_mutex);
        for (Task& task : tasks)
            m_stack.push_back(std::move(task));
        wakeHelpers = m_idleHelpers > 0;
        wakeCaller = m_callerWaiting;
    }
    tasks.clear();
    if (wakeHelpers)
        m_work.notify_all();
    if (wakeCaller)
        m_changed.notify_all();
}

void FolderWalker::process(const Task& task, FileTree::Allocator& allocator)
{
    FileNode* folder = task.folder;
    const int fd = ::openat(task.parent->fd, folder->m_name,
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        // Unreadable, vanished or replaced by a link: an empty folder of size 0. An unreadable
        // one is marked, so it is shown as unknown rather than as empty.
        if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP) {
            folder->m_openError.store(std::uint8_t(std::min(errno, 255)),
                                      std::memory_order_relaxed);
            // Its own blocks are known without reading it.
            struct stat status {};
            if (m_meter.mode() == SizeMode::DiskUsage &&
                ::fstatat(task.parent->fd, folder->m_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISDIR(status.st_mode))
                folder->m_size.store(m_meter.sizeOf(status), std::memory_order_relaxed);
        }
        finishOne(folder);
        return;
    }
    const auto open = std::make_shared<OpenFolder>(fd);
    if (m_meter.mode() == SizeMode::DiskUsage) {
        // The folder's own blocks: a folder of 200,000 names is itself megabytes.
        struct stat status {};
        if (::fstat(fd, &status) == 0) {
            folder->m_size.fetch_add(m_meter.sizeOf(status), std::memory_order_relaxed);
            folder->markSizeChanged();
        }
    }

    thread_local std::unique_ptr<char[]> buffer(new char[kDirentBufferSize]);
    std::vector<FileNode*> batch;
    batch.reserve(kBatchSize);
    std::vector<Task> subfolders;
    std::uint64_t batchBytes = 0;

    const auto flush = [&] {
        if (batch.empty())
            return;
        {
            // Marked under the lock: a reader never sees the new entries in a list that looks
            // ordered.
            const std::lock_guard<std::mutex> guard(m_tree.mutex());
            folder->m_children.insert(folder->m_children.end(), batch.begin(), batch.end());
            folder->m_childrenUnsorted.store(true, std::memory_order_release);
        }
        folder->m_size.fetch_add(batchBytes, std::memory_order_relaxed);
        folder->markSizeChanged();
        batch.clear();
        batchBytes = 0;
        push(subfolders);
    };

    bool stopped = false;
    DirectoryReader reader(fd, buffer.get(), kDirentBufferSize);
    DirectoryReader::Entry entry{};
    while (reader.next(entry)) {
        if (m_stop.load(std::memory_order_relaxed)) {
            stopped = true;
            break;
        }
        Progress::isPause(&m_stop);

        bool isDirectory = entry.type == DT_DIR;
        std::uint64_t size = 0;
        if (entry.type == DT_UNKNOWN || entry.type == DT_REG || entry.type == DT_LNK) {
            struct stat status {};
            if (::fstatat(fd, entry.name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // vanished since it was listed
            isDirectory = S_ISDIR(status.st_mode);
            // A folder's size is measured when it is opened.
            if (!isDirectory)
                size = m_meter.sizeOf(status);
        }
        FileNode* node = allocator.create(folder, entry.name, isDirectory);
        batch.push_back(node);
        if (isDirectory) {
            node->m_pending.store(1, std::memory_order_relaxed);
            folder->m_pending.fetch_add(1, std::memory_order_relaxed);
            subfolders.push_back({node, open});
        } else {
            node->m_size.store(size, std::memory_order_relaxed);
            batchBytes += size;
        }
        if (batch.size() == kBatchSize)
            flush();
    }
    flush();
    if (!stopped)
        finishOne(folder);
}

void FolderWalker::finishOne(FileNode* folder)
{
    // A folder is complete when its own listing and every folder below it are done; then its
    // size counts in its father's, which may complete in turn.
    for (FileNode* node = folder; node;) {
        if (node->m_pending.fetch_sub(1, std::memory_order_acq_rel) != 1)
            return;
        if (node == m_target) {
            bool wakeCaller = false;
            {
                const std::lock_guard<std::mutex> guard(m_mutex);
                m_targetDone = true;
                wakeCaller = m_callerWaiting;
            }
            if (wakeCaller)
                m_changed.notify_all();
            return;
        }
        FileNode* father = node->m_parent;
        father->m_size.fetch_add(node->size(), std::memory_order_relaxed);
        father->markSizeChanged();
        node = father;
    }
}

void FolderWalker::settleStoppedWalk(FileNode* folder)
{
    // Carry the partial sizes of the folders left open up to `folder`, deepest first. Complete
    // folders already counted in their fathers; open ones have pending walks.
    std::vector<FileNode*> open;
    std::vector<FileNode*> pending{folder};
    const auto lock = m_tree.lock();
    while (!pending.empty()) {
        FileNode* node = pending.back();
        pending.pop_back();
        open.push_back(node);
        for (FileNode* child : node->m_children) {
            if (child->m_isDirectory && child->m_pending.load(std::memory_order_relaxed) > 0)
                pending.push_back(child);
        }
    }
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        FileNode* node = *it;
        node->m_pending.store(0, std::memory_order_relaxed);
        if (node != folder) {
            node->m_parent->m_size.fetch_add(node->size(), std::memory_order_relaxed);
            node->markSizeChanged();
        }
    }
}

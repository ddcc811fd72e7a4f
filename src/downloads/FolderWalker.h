#pragma once

#include "downloads/FileTree.h"

class SizeMeter;

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Walks folders into a FileTree: reads each folder with getdents64 relative to its open parent
// folder, sizes entries with fstatat(AT_SYMLINK_NOFOLLOW) (folders need no stat), and never
// follows a link or changes the working directory. Folders wait on a shared stack; the calling
// thread and `threads - 1` helpers take them from it, deepest first, so the number of open
// folders stays near the depth of the tree and a 5,000-deep chain needs no recursion.
//
// What a reader sees at every moment: a file counts in its folder's size as soon as it is
// listed (in batches of 40 entries); a sub-folder counts in its father's size once its whole walk
// has finished. Lists take entries in batches under the tree's lock, unordered; readers order them.
//
// Sizes are the meter's: in Apparent mode folders need no stat; in DiskUsage each folder's own
// blocks come from an fstat of its open descriptor, and hard links count once per meter.
//
// Pauses wait on Progress; `stop` ends the walk at the next entry.
class FolderWalker {
public:
    static constexpr int kBatchSize = 40;
    static int defaultThreadCount();

    // `meter` sizes every entry and must outlive the walker; one meter per scan, shared with
    // whatever else the scan measures, so a file linked from two places counts once.
    FolderWalker(FileTree& tree, const std::atomic<bool>& stop, SizeMeter& meter,
                 int threads = defaultThreadCount());
    ~FolderWalker();
    FolderWalker(const FolderWalker&) = delete;
    FolderWalker& operator=(const FolderWalker&) = delete;

    // Walks `folder`, a node already in the tree, opened as its name relative to `parentFd`.
    // Blocks until the walk is complete or stopped; on a stop, the sizes reached so far are
    // carried up to `folder`. Returns the folder's size. One walk at a time, always from the same
    // thread, whose `allocator` serves every walk of the scan: a scan of many small folders then
    // costs its nodes, not a fresh arena block per folder.
    //
    // The calling thread lists `folder` itself; only its sub-folders go to the shared stack, so a
    // folder without sub-folders is walked with no hand-off to another thread.
    std::uint64_t walk(int parentFd, FileNode* folder, FileTree::Allocator& allocator);

private:
    struct OpenFolder;
    struct Task {
        FileNode* folder;
        std::shared_ptr<OpenFolder> parent;
    };

    void helperLoop();
    // Waits for the target folder's walk to end, taking folders from the stack meanwhile;
    // returns whether it completed.
    bool finishTarget(FileTree::Allocator& allocator);
    // Takes the folder on top of the stack and walks it; `lock` holds m_mutex on entry and exit.
    void processTop(std::unique_lock<std::mutex>& lock, FileTree::Allocator& allocator);
    void process(const Task& task, FileTree::Allocator& allocator);
    void finishOne(FileNode* folder);
    void push(std::vector<Task>& tasks);
    void settleStoppedWalk(FileNode* folder);

    FileTree& m_tree;
    const std::atomic<bool>& m_stop;
    SizeMeter& m_meter;
    std::mutex m_mutex;
    // m_work wakes idle helpers when folders are pushed; m_changed wakes the walking thread when
    // folders are pushed, the target completes or, once stopped, the last busy helper is done.
    std::condition_variable m_work;
    std::condition_variable m_changed;
    std::vector<Task> m_stack;
    std::shared_ptr<OpenFolder> m_parent;
    int m_active = 0;
    int m_idleHelpers = 0;
    bool m_callerWaiting = false;
    bool m_shutdown = false;
    FileNode* m_target = nullptr;
    bool m_targetDone = false;
    std::vector<std::thread> m_helpers;
};

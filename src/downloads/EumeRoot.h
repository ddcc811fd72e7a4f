#pragma once

#include "downloads/NodeTreeOperator.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

class FileTree;

// Told when a scan has listed its whole folder. Called on the scan's worker thread.
class EumeRootDelegate {
public:
    virtual ~EumeRootDelegate() = default;
    virtual void endScan() {}
};

// One scan of one folder into a FileTree: one top-level node per entry, each folder walked to
// the bottom (FolderWalker) before the next entry, progress counted by finished top-level entries.
//
// Threads: start, pause, stop and the progress reads come from any thread; the scan runs on a
// thread of its own. Destroying the scan stops it and waits for its thread; a stopped scan never
// touches its tree again, and a new scan always gets a tree of its own.
class EumeRoot : public NodeTreeOperatorDelegate {
public:
    explicit EumeRoot(int threads = 0); // 0: FolderWalker::defaultThreadCount()
    ~EumeRoot() override;
    EumeRoot(const EumeRoot&) = delete;
    EumeRoot& operator=(const EumeRoot&) = delete;

    // Starts scanning `path` into `tree` (whose top-level list is `rootNodeArr`) and returns at
    // once.
    void eumeAllRootFileNodeWithRootArr(std::shared_ptr<FileTree> tree, const QString& path);
    void getRootNodeListWithPath(const QString& path);

    // Sorted insertion into, and re-sort of, the top-level list; they take the tree's lock.
    void insertFileInRootArrWithFile(FileNode* node);
    void doRootArrSort() override;

    // Finished top-level entries × 100 / all top-level entries; 0 before the listing.
    float getProgress() const;
    int allFileCount() const { return m_allFileCount.load(std::memory_order_relaxed); }
    int eumeFileCount() const { return m_eumeFileCount.load(std::memory_order_relaxed); }

    // A toggle: pauses, or continues a paused scan.
    void pauseScan();
    bool isPauseScan() const { return m_isPauseScan; }
    void stopScan();
    bool isStopScan() const { return m_isStopScan.load(std::memory_order_acquire); }

    // Whether the scan puts the top level in order before its last entry counts, so that a
    // window ending the scan at 100% finds nothing left to sort on its own thread. Off by default:
    // a reader that never asks for the order need not pay for it. Set before starting.
    void setOrdersTopLevelBeforeEnd(bool orders) { m_ordersTopLevelBeforeEnd = orders; }

    void setEumeDelegate(EumeRootDelegate* delegate) { m_eumeDelegate = delegate; }
    EumeRootDelegate* eumeDelegate() const { return m_eumeDelegate; }

    // Blocks until the scan's thread has ended (finished, stopped or found nothing to scan).
    void waitUntilDone();
    bool isRunning() const { return m_running.load(std::memory_order_acquire); }
    const std::shared_ptr<FileTree>& tree() const { return m_rootNodeArr; }

private:
    void run(const QString& path);
    void addTopLevel(FileNode* node, bool sorted);

    std::shared_ptr<FileTree> m_rootNodeArr;
    std::unique_ptr<NodeTreeOperator> m_treeOperator;
    std::atomic<int> m_allFileCount{0};
    std::atomic<int> m_eumeFileCount{0};
    std::atomic<bool> m_isStopScan{false};
    bool m_isPauseScan = false;
    bool m_ordersTopLevelBeforeEnd = false;
    EumeRootDelegate* m_eumeDelegate = nullptr;
    int m_threads;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

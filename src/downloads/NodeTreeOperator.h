#pragma once

#include "downloads/FileNode.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

class FileTree;
class SizeMeter;

// Told when a top-level folder's size changed, so the top-level list can be re-sorted.
class NodeTreeOperatorDelegate {
public:
    virtual ~NodeTreeOperatorDelegate() = default;
    virtual void doRootArrSort() {}
};

// The ordering and size operations on node lists, and the walk of one folder.
//
// The list operations change the list in place and must be called with the tree's lock held
// (FileTree::lock()); the walk takes the lock itself.
class NodeTreeOperator {
public:
    NodeTreeOperator() = default;

    void setOpDelegate(NodeTreeOperatorDelegate* delegate) { m_opDelegate = delegate; }
    NodeTreeOperatorDelegate* opDelegate() const { return m_opDelegate; }

    // Sorted insertion: before the first node whose size is less than or equal to the new
    // node's, else at the end. So among equal sizes the node inserted last stands first.
    static void fileInsertFatherWithRootArr(std::vector<FileNode*>& list, FileNode* node);
    // Re-sorts the list by size, largest first (equal sizes: the later node first).
    static void rootArrSortWithRootArr(std::vector<FileNode*>& list);
    // Sets the folder's size; re-sorts its father's list, or for a top-level folder asks the
    // delegate to re-sort the top-level list.
    void sortFatherSizeWithRootFileNode(FileNode* folder, std::uint64_t total);

    // The logical length of a file (a link's own length; a folder, 0); 0 when it cannot be read.
    static std::uint64_t getOneFileSizeWithPath(const QString& path);
    // The size of the item at `path` itself (a link not followed) as `meter` measures it.
    static std::uint64_t getOneFileSizeWithPath(const QString& path, SizeMeter& meter);
    // Walks the folder at `path` into `folder` (a node of `tree`), measuring in the tree's size
    // mode, and returns `startingTotal` plus the folder's size; for a file, `startingTotal` plus
    // its size without touching the tree.
    std::uint64_t getFileSizeWithPat(FileTree& tree, const QString& path, FileNode* folder,
                                     std::uint64_t startingTotal);

    void stopScan();
    bool isStopScan() const { return m_isStopScan.load(std::memory_order_acquire); }
    const std::atomic<bool>& stopFlag() const { return m_isStopScan; }

private:
    std::atomic<bool> m_isStopScan{false};
    NodeTreeOperatorDelegate* m_opDelegate = nullptr;
};

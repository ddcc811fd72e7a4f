#pragma once

#include "downloads/FileNode.h"
#include "platform/fs/SizeMode.h"

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

// The nodes of one scan and the lock that guards their lists. The top-level list holds one node
// per entry of the scanned folder; nodes and their names are carved out of an arena that lives
// as long as the tree, so a node stays valid (if detached) until the tree goes.
//
// Threads: structure (children lists) changes and reads happen under lock(); sizes, states and
// the expanded flag are atomic and may be read without it. Create nodes from one thread at a
// time per Allocator; a tree may have one Allocator per worker.
class FileTree {
public:
    // rootPath: the scanned folder; top-level nodes are its entries. sizeMode: what every size
    // in the tree means; a scan into the tree measures in it.
    explicit FileTree(const QString& rootPath, SizeMode sizeMode = SizeMode::Apparent);
    ~FileTree();
    FileTree(const FileTree&) = delete;
    FileTree& operator=(const FileTree&) = delete;

    std::unique_lock<std::mutex> lock() const { return std::unique_lock<std::mutex>(m_mutex); }
    std::mutex& mutex() const { return m_mutex; }

    QString rootPath() const;
    SizeMode sizeMode() const { return m_sizeMode; }
    // The top-level list, in size order. The lock must be held.
    const std::vector<FileNode*>& topLevel();
    // The invisible node that stands for the scanned folder: top-level nodes are its children.
    FileNode* root() const { return m_root; }
    // The sum of the top-level sizes; in DiskUsage, plus the scanned folder's own blocks.
    std::uint64_t totalSize() const { return m_root->size(); }
    std::size_t nodeCount() const;
    // The bytes of arena blocks the tree has taken so far, used or not.
    std::size_t reservedBytes() const;

    // Whether the nodes list their folders' contents, as a scan's do (the default). A tree of
    // items named by hand does not: Completely Erase then takes each folder whole, where in a
    // scanned tree it takes only what was listed.
    bool listsContents() const { return m_listsContents; }
    void setListsContents(bool lists) { m_listsContents = lists; }

    // Hands out node memory to one thread.
    class Allocator {
    public:
        explicit Allocator(FileTree& tree) : m_tree(tree) {}
        // A node named `name` under `father` (the root for a top-level node); not yet in any list.
        FileNode* create(FileNode* father, std::string_view name, bool isDirectory);

    private:
        void* allocate(std::size_t bytes);
        FileTree& m_tree;
        char* m_cursor = nullptr;
        std::size_t m_left = 0;
        // Blocks grow from small to full size, so an allocator that makes few nodes (a tree of
        // a few named items, a helper thread that never got work) reserves little.
        std::size_t m_nextBlock = 0;
        // Creation order is handed out in blocks, so two walkers do not share a counter per node.
        std::uint32_t m_nextSequence = 0;
        std::uint32_t m_sequencesLeft = 0;
    };
    Allocator& mainAllocator() { return m_mainAllocator; }

    // Puts a new node at the end of its father's list (the lock must be held); readers see the
    // list in order.
    void attach(FileNode* node);
    // Takes a node out of its father's list (the lock must be held). It stays valid.
    void detach(FileNode* node);
    // Takes every child of father that matches out of its list in one pass (lock held).
    template <typename Predicate> void detachIf(FileNode* father, Predicate matches)
    {
        std::erase_if(father->m_children, [&](FileNode* child) {
            if (!matches(child))
                return false;
            m_detached.push_back(child);
            return true;
        });
    }

private:
    friend class Allocator;
    char* newBlock(std::size_t bytes);

    mutable std::mutex m_mutex;
    mutable std::mutex m_blocksMutex;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_reservedBytes = 0;
    std::vector<FileNode*> m_detached; // subtrees taken out of the tree, destroyed with it
    std::atomic<std::uint32_t> m_sequence{0};
    FileNode* m_root = nullptr;
    bool m_listsContents = true;
    SizeMode m_sizeMode;
    Allocator m_mainAllocator{*this};
};

#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

class FileTree;

// One file or folder of a scanned tree. Nodes live in, and are owned by, their FileTree; a folder
// node holds its entries as children, to any depth.
//
// Threads: the scan writes sizes (atomically) and appends children under the tree's lock; every
// reader of `children()` must hold that lock too (FileTree::lock()). A list may take entries out
// of order while the scan runs; `children()` puts it in size order, largest first, before handing
// it out, and among equal sizes the node added last stands first.
//
// Names are kept as the raw bytes the file system gave (they need not be valid UTF-8);
// displayName() and path() decode them for display only.
class FileNode {
public:
    enum State : int { Off = 0, On = 1, Mixed = 2 };

    FileNode(const FileNode&) = delete;
    FileNode& operator=(const FileNode&) = delete;

    // The entry's own name, raw, and decoded for display.
    std::string_view nameBytes() const { return {m_name, m_nameLength}; }
    QString name() const;
    QString displayName() const { return name(); }
    // The full path: the father's path, "/", the name. Derived from the father chain.
    QString path() const;
    QByteArray nativePath() const;

    bool isDirectory() const { return m_isDirectory; }
    // The parent folder, or nothing for a top-level node.
    FileNode* father() const;
    bool isTopLevel() const { return father() == nullptr; }
    // Ordered by size, largest first. The tree's lock must be held.
    const std::vector<FileNode*>& children();
    std::size_t childCount() const { return m_children.size(); }

    std::uint64_t size() const { return m_size.load(std::memory_order_relaxed); }
    void setSize(std::uint64_t size);

    int state() const { return m_state.load(std::memory_order_relaxed); }
    void setState(int state) { m_state.store(std::int8_t(state), std::memory_order_relaxed); }
    bool isExpand() const { return m_isExpand.load(std::memory_order_relaxed); }
    void setIsExpand(bool expanded) { m_isExpand.store(expanded, std::memory_order_relaxed); }

    // For a folder the scan could not open: the reason (an errno value); 0 otherwise. Its size
    // is then unknown rather than 0.
    int openError() const { return m_openError.load(std::memory_order_relaxed); }

    // Whether the node is on the list of system paths that may never be ticked.
    bool isSystemFile() const;
    // Bundle-like folders (".app", ".framework") are shown as leaves.
    bool isBundle() const;

    std::uint32_t sequence() const { return m_sequence; }

private:
    friend class Controller;
    friend class EumeRoot;
    friend class FileTree;
    friend class FolderWalker;
    friend class NodeTreeOperator;

    FileNode(FileNode* parent, const char* name, std::uint16_t nameLength, bool isDirectory,
             std::uint32_t sequence);
    ~FileNode() = default;

    void markSizeChanged();
    void sortChildren();

    FileNode* m_parent;                // the folder holding this node, or the tree's root
    std::vector<FileNode*> m_children; // owned by the tree, not by this node
    std::atomic<std::uint64_t> m_size{0};
    const char* m_name;                     // NUL-terminated, in the tree's arena
    std::uint32_t m_sequence;               // order of creation; later nodes win ties
    std::atomic<std::int32_t> m_pending{0}; // walks still open below this folder
    std::uint16_t m_nameLength;
    std::atomic<std::int8_t> m_state{On};
    std::atomic<bool> m_isExpand{false};
    std::atomic<bool> m_childrenUnsorted{false};
    std::atomic<std::uint8_t> m_openError{0}; // fits the padding: the node stays 64 bytes
    bool m_isDirectory;
    bool m_isRoot = false; // the tree's invisible root: the scanned folder itself
};

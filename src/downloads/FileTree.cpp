#include "downloads/FileTree.h"

#include <QFile>

#include <cstring>
#include <new>

namespace {

constexpr std::size_t kFirstBlockSize = 4 * 1024;
constexpr std::size_t kBlockSize = 256 * 1024;
constexpr std::uint32_t kSequenceBlock = 4096;

} // namespace

FileTree::FileTree(const QString& rootPath, SizeMode sizeMode) : m_sizeMode(sizeMode)
{
    QByteArray path = QFile::encodeName(rootPath);
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    m_root = m_mainAllocator.create(nullptr, std::string_view(path.constData(), path.size()), true);
    m_root->m_isRoot = true;
}

FileTree::~FileTree()
{
    // Destroy iteratively: a tree may be thousands of folders deep.
    std::vector<FileNode*> pending = m_detached;
    pending.push_back(m_root);
    while (!pending.empty()) {
        FileNode* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->m_children.begin(), node->m_children.end());
        node->~FileNode();
    }
}

QString FileTree::rootPath() const
{
    return m_root->path();
}

const std::vector<FileNode*>& FileTree::topLevel()
{
    return m_root->children();
}

std::size_t FileTree::nodeCount() const
{
    std::size_t count = 0;
    std::vector<FileNode*> pending(m_root->m_children.begin(), m_root->m_children.end());
    while (!pending.empty()) {
        FileNode* node = pending.back();
        pending.pop_back();
        ++count;
        pending.insert(pending.end(), node->m_children.begin(), node->m_children.end());
    }
    return count;
}

void FileTree::attach(FileNode* node)
{
    node->m_parent->m_children.push_back(node);
    node->m_parent->m_childrenUnsorted.store(true, std::memory_order_release);
}

void FileTree::detach(FileNode* node)
{
    FileNode* parent = node->m_parent;
    if (!parent)
        return;
    std::erase(parent->m_children, node);
    m_detached.push_back(node);
}

std::size_t FileTree::reservedBytes() const
{
    const std::lock_guard<std::mutex> guard(m_blocksMutex);
    return m_reservedBytes;
}

char* FileTree::newBlock(std::size_t bytes)
{
    // Left uninitialised: every node is constructed in place, and pages never handed out are
    // never touched.
    auto block = std::make_unique_for_overwrite<char[]>(bytes);
    const std::lock_guard<std::mutex> guard(m_blocksMutex);
    m_blocks.push_back(std::move(block));
    m_reservedBytes += bytes;
    return m_blocks.back().get();
}

void* FileTree::Allocator::allocate(std::size_t bytes)
{
    bytes = (bytes + alignof(FileNode) - 1) & ~(alignof(FileNode) - 1);
    if (bytes > m_left) {
        if (bytes > kBlockSize / 4)
            return m_tree.newBlock(bytes);
        m_nextBlock = m_nextBlock == 0 ? kFirstBlockSize : std::min(m_nextBlock * 2, kBlockSize);
        while (m_nextBlock < bytes)
            m_nextBlock *= 2;
        m_cursor = m_tree.newBlock(m_nextBlock);
        m_left = m_nextBlock;
    }
    void* memory = m_cursor;
    m_cursor += bytes;
    m_left -= bytes;
    return memory;
}

FileNode* FileTree::Allocator::create(FileNode* father, std::string_view name, bool isDirectory)
{
    const std::size_t nameLength = std::min<std::size_t>(name.size(), UINT16_MAX);
    // The node and its NUL-terminated name in one piece of the arena.
    char* memory = static_cast<char*>(allocate(sizeof(FileNode) + nameLength + 1));
    char* nameCopy = memory + sizeof(FileNode);
    std::memcpy(nameCopy, name.data(), nameLength);
    nameCopy[nameLength] = '\0';
    if (m_sequencesLeft == 0) {
        m_nextSequence = m_tree.m_sequence.fetch_add(kSequenceBlock, std::memory_order_relaxed);
        m_sequencesLeft = kSequenceBlock;
    }
    const std::uint32_t sequence = m_nextSequence++;
    --m_sequencesLeft;
    return new (memory)
        FileNode(father, nameCopy, std::uint16_t(nameLength), isDirectory, sequence);
}

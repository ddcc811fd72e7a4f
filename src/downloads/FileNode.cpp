#include "downloads/FileNode.h"

#include "downloads/SystemFolder.h"

#include <QFile>

#include <algorithm>

// A million-entry scan holds a million nodes: keep each to one cache line (plus its name).
static_assert(sizeof(FileNode) <= 64);

FileNode::FileNode(FileNode* parent, const char* name, std::uint16_t nameLength, bool isDirectory,
                   std::uint32_t sequence)
    : m_parent(parent), m_name(name), m_sequence(sequence), m_nameLength(nameLength),
      m_isDirectory(isDirectory)
{}

QString FileNode::name() const
{
    return QFile::decodeName(QByteArray::fromRawData(m_name, m_nameLength));
}

QByteArray FileNode::nativePath() const
{
    // Collect the chain up to the root, then join it from the top.
    std::vector<const FileNode*> chain;
    for (const FileNode* node = this; node; node = node->m_parent)
        chain.push_back(node);
    QByteArray path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.isEmpty() && !path.endsWith('/'))
            path.append('/');
        path.append((*it)->m_name, (*it)->m_nameLength);
    }
    return path;
}

QString FileNode::path() const
{
    return QFile::decodeName(nativePath());
}

FileNode* FileNode::father() const
{
    return m_parent && !m_parent->m_isRoot ? m_parent : nullptr;
}

const std::vector<FileNode*>& FileNode::children()
{
    if (m_childrenUnsorted.exchange(false, std::memory_order_acq_rel))
        sortChildren();
    return m_children;
}

void FileNode::sortChildren()
{
    // Sizes may change under our feet while the scan runs: sort a snapshot so the comparison
    // stays consistent.
    struct Key {
        std::uint64_t size;
        std::uint32_t sequence;
        std::uint32_t index;
    };
    std::vector<Key> keys;
    keys.reserve(m_children.size());
    for (std::size_t index = 0; index < m_children.size(); ++index) {
        const FileNode* child = m_children[index];
        keys.push_back({child->size(), child->m_sequence, std::uint32_t(index)});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return a.size != b.size ? a.size > b.size : a.sequence > b.sequence;
    });
    std::vector<FileNode*> sorted;
    sorted.reserve(keys.size());
    for (const Key& key : keys)
        sorted.push_back(m_children[key.index]);
    m_children.swap(sorted);
}

void FileNode::markSizeChanged()
{
    if (m_parent)
        m_parent->m_childrenUnsorted.store(true, std::memory_order_release);
}

void FileNode::setSize(std::uint64_t size)
{
    m_size.store(size, std::memory_order_relaxed);
    markSizeChanged();
}

bool FileNode::isSystemFile() const
{
    return SystemFolder::isSystemFileWithFilePath(path());
}

bool FileNode::isBundle() const
{
    const std::string_view name = nameBytes();
    return m_isDirectory && (name.ends_with(".app") || name.ends_with(".framework"));
}

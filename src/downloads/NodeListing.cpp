#include "downloads/NodeListing.h"

#include "downloads/FileTree.h"

NodeListing::NodeListing(FileTree& tree, FileNode* folder, std::unordered_set<FileNode*>* erased)
    : m_tree(tree), m_erased(erased)
{
    const auto lock = tree.lock();
    const std::vector<FileNode*>& children = folder->children();
    m_children.reserve(children.size());
    for (FileNode* child : children)
        m_children.emplace(child->nameBytes(), child);
}

FileNode* NodeListing::find(const QByteArray& name) const
{
    const auto found = m_children.find(std::string_view(name.constData(), name.size()));
    return found == m_children.end() ? nullptr : found->second;
}

bool NodeListing::contains(const QByteArray& name) const
{
    return find(name) != nullptr;
}

std::unique_ptr<TreeEraser::Listing> NodeListing::folder(const QByteArray& name) const
{
    return std::make_unique<NodeListing>(m_tree, find(name), m_erased);
}

void NodeListing::erased(const QByteArray& name)
{
    if (FileNode* node = find(name))
        m_erased->insert(node);
}

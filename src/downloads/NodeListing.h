#pragma once

#include "platform/fs/TreeEraser.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

class FileNode;
class FileTree;

// The listed entries of one scanned folder, for an erase that takes only what the scan showed.
// Entries the eraser removes are added to `erased`, which the whole run shares, so the tree can
// be brought in step with the disk afterwards however the erase ended.
//
// Threads: built and used on the removal worker; reads the folder's list under the tree's lock.
class NodeListing : public TreeEraser::Listing {
public:
    NodeListing(FileTree& tree, FileNode* folder, std::unordered_set<FileNode*>* erased);

    bool contains(const QByteArray& name) const override;
    std::unique_ptr<TreeEraser::Listing> folder(const QByteArray& name) const override;
    void erased(const QByteArray& name) override;

private:
    FileNode* find(const QByteArray& name) const;

    FileTree& m_tree;
    std::unordered_map<std::string_view, FileNode*> m_children;
    std::unordered_set<FileNode*>* m_erased;
};

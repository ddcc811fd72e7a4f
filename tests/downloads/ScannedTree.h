#pragma once

#include "downloads/Controller.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

// A fixture folder built by the case, scanned to the end through a Controller, with every node
// indexed by its path below the folder ("box/p").
class ScannedTree {
public:
    // Scans what was built so far into a fresh tree.
    void scan()
    {
        Progress::isPause(false);
        tree = std::make_shared<FileTree>(folder.path());
        controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
        controller.eumeRoot()->waitUntilDone();
        const auto lock = tree->lock();
        nodes.clear();
        index(tree->root());
    }
    std::string relative(FileNode* node) const
    {
        return node->path().mid(folder.path().size() + 1).toStdString();
    }

    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
    std::shared_ptr<FileTree> tree;
    Controller controller;
    std::map<std::string, FileNode*> nodes;

private:
    void index(FileNode* father)
    {
        for (FileNode* child : father->children()) {
            nodes[relative(child)] = child;
            index(child);
        }
    }
};

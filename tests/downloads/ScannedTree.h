#pragma once

#include "downloads/Controller.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <map>

// A fixture folder scanned through a Controller, every node indexed by its path ("box/p").
class ScannedTree {
public:
    void scan(const std::map<QByteArray, int>& files)
    {
        for (const auto& [path, size] : files)
            build.entries({path + ':' + QByteArray::number(size)});
        ASSERT_TRUE(build.ok()) << build.failure();
        Progress::isPause(false);
        tree = std::make_shared<FileTree>(folder.path());
        controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
        controller.eumeRoot()->waitUntilDone();
        const auto lock = tree->lock();
        nodes.clear();
        for (std::vector<FileNode*> pending{tree->root()}; !pending.empty();) {
            FileNode* father = pending.back();
            pending.pop_back();
            for (FileNode* child : father->children())
                pending.push_back(nodes[relative(child)] = child);
        }
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
};

#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <map>

namespace {

class SelectAllRecorder : public ControllerDelegate {
public:
    void changeSelectAllButtonState(int state) override { states.push_back(state); }
    void reloadTreeList() override { ++reloads; }
    std::vector<int> states;
    int reloads = 0;
};

// A scanned fixture:
//   mixed/         holds a file and a folder   mixed/a (1), mixed/sub/ (b 2, c 3)
//   files/         holds only files            files/x (4), files/y (5)
//   top (7)
class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Progress::isPause(false);
        build.folder("mixed/sub");
        build.file("mixed/a", 1);
        build.file("mixed/sub/b", 2);
        build.file("mixed/sub/c", 3);
        build.folder("files");
        build.file("files/x", 4);
        build.file("files/y", 5);
        build.file("top", 7);
        tree = std::make_shared<FileTree>(folder.path());
        controller.setADelegate(&recorder);
        controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
        controller.eumeRoot()->waitUntilDone();
        const auto lock = tree->lock();
        index(tree->root());
    }

    void index(FileNode* folderNode)
    {
        for (FileNode* child : folderNode->children()) {
            const QString relative = child->path().mid(folder.path().size() + 1);
            nodes[relative.toStdString()] = child;
            index(child);
        }
    }
    int state(const std::string& name) { return nodes.at(name)->state(); }
    std::vector<std::string> collected()
    {
        std::vector<FileNode*> collection;
        const auto lock = tree->lock();
        Controller::moveFileToTarshWithDic(tree->topLevel(), collection);
        std::vector<std::string> names;
        for (FileNode* node : collection)
            names.push_back(node->path().mid(folder.path().size() + 1).toStdString());
        return names;
    }

    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
    std::shared_ptr<FileTree> tree;
    Controller controller;
    SelectAllRecorder recorder;
    std::map<std::string, FileNode*> nodes;
};

TEST_F(SelectionTest, EverythingStartsChosen)
{
    EXPECT_EQ(controller.selectAllState(), FileNode::On);
    // A chosen folder is taken whole; its contents are not visited.
    EXPECT_EQ(collected(), (std::vector<std::string>{"files", "top", "mixed"}));
}

TEST_F(SelectionTest, DownwardSpreadReachesOnlyExpandedFolders)
{
    controller.expandNode(nodes["mixed"], true); // children take the folder's state: on
    controller.changeSelectWithNode(nodes["mixed"], false);
    EXPECT_EQ(state("mixed"), FileNode::Off);
    EXPECT_EQ(state("mixed/a"), FileNode::Off);
    EXPECT_EQ(state("mixed/sub"), FileNode::Off);
    // "sub" is collapsed: its contents keep their old state.
    EXPECT_EQ(state("mixed/sub/b"), FileNode::On);
    // Expanding it later hands them the folder's state.
    controller.expandNode(nodes["mixed/sub"], true);
    EXPECT_EQ(state("mixed/sub/b"), FileNode::Off);
    EXPECT_EQ(recorder.states.back(), FileNode::Mixed);
}

TEST_F(SelectionTest, FatherWithAFolderChildNeverTurnsOnByItsChildren)
{
    controller.expandNode(nodes["mixed"], true);
    controller.expandNode(nodes["mixed/sub"], true);
    controller.clickCheckBoxOfNode(nodes["mixed"]); // off, spread down
    EXPECT_EQ(state("mixed/sub/c"), FileNode::Off);
    controller.clickCheckBoxOfNode(nodes["mixed/a"]);
    controller.clickCheckBoxOfNode(nodes["mixed/sub/b"]);
    EXPECT_EQ(state("mixed/sub"), FileNode::Mixed);
    controller.clickCheckBoxOfNode(nodes["mixed/sub/c"]);
    // sub holds only files, all on: on. mixed holds a folder: mixed, whatever its children.
    EXPECT_EQ(state("mixed/sub"), FileNode::On);
    EXPECT_EQ(state("mixed"), FileNode::Mixed);
    EXPECT_EQ(collected(), (std::vector<std::string>{"files", "top", "mixed/sub", "mixed/a"}));
    // Clicking a mixed box makes it on.
    controller.clickCheckBoxOfNode(nodes["mixed"]);
    EXPECT_EQ(state("mixed"), FileNode::On);
}

TEST_F(SelectionTest, FolderOfFilesTurnsOnWhenAllItsFilesAre)
{
    controller.expandNode(nodes["files"], true);
    controller.clickCheckBoxOfNode(nodes["files/x"]);
    EXPECT_EQ(state("files"), FileNode::Mixed);
    EXPECT_EQ(controller.selectAllState(), FileNode::Mixed);
    controller.clickCheckBoxOfNode(nodes["files/y"]);
    EXPECT_EQ(state("files"), FileNode::Off);
    controller.clickCheckBoxOfNode(nodes["files/x"]);
    controller.clickCheckBoxOfNode(nodes["files/y"]);
    EXPECT_EQ(state("files"), FileNode::On);
    EXPECT_EQ(controller.selectAllState(), FileNode::On);
}

TEST_F(SelectionTest, SelectAllAndNone)
{
    controller.expandNode(nodes["files"], true);
    controller.selectAllFileNode(false);
    EXPECT_EQ(controller.selectAllState(), FileNode::Off);
    EXPECT_EQ(state("files/x"), FileNode::Off);
    EXPECT_EQ(state("mixed/a"), FileNode::On); // collapsed: untouched
    EXPECT_TRUE(collected().empty());
    controller.selectAllFileNode(true);
    EXPECT_EQ(controller.selectAllState(), FileNode::On);
    EXPECT_EQ(recorder.states.back(), FileNode::On);
    EXPECT_GE(recorder.reloads, 2);
}

} // namespace

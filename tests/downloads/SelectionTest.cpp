#include "ScannedTree.h"
#include "downloads/ControllerDelegate.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// A scanned fixture: mixed/ holds a file and a folder (a 1, sub/ with b 2 and c 3), files/ holds
// only files (x 4, y 5), and top (7).
class SelectionTest : public ::testing::Test, public ControllerDelegate, protected ScannedTree {
protected:
    void SetUp() override
    {
        build.folder("mixed/sub");
        build.folder("files");
        build.file("mixed/a", 1);
        build.file("mixed/sub/b", 2);
        build.file("mixed/sub/c", 3);
        build.file("files/x", 4);
        build.file("files/y", 5);
        build.file("top", 7);
        ASSERT_TRUE(build.ok()) << build.failure();
        controller.setADelegate(this);
        scan();
    }
    void changeSelectAllButtonState(int state) override { buttonStates.push_back(state); }
    void reloadTreeList() override { ++reloads; }

    int state(const std::string& name) { return nodes.at(name)->state(); }
    void click(const std::string& name) { controller.clickCheckBoxOfNode(nodes.at(name)); }
    void expand(const std::string& name) { controller.expandNode(nodes.at(name), true); }
    // What a removal would take, in its order.
    Names collected()
    {
        std::vector<FileNode*> collection;
        const auto lock = tree->lock();
        Controller::moveFileToTarshWithDic(tree->topLevel(), collection);
        Names names;
        for (FileNode* node : collection)
            names.push_back(relative(node));
        return names;
    }

    std::vector<int> buttonStates;
    int reloads = 0;
};

TEST_F(SelectionTest, EverythingStartsChosenThenSelectAllAndNone)
{
    EXPECT_EQ(controller.selectAllState(), FileNode::On);
    // A chosen folder is taken whole; its contents are not visited.
    EXPECT_EQ(collected(), (Names{"files", "top", "mixed"}));
    expand("files");
    controller.selectAllFileNode(false);
    EXPECT_EQ(controller.selectAllState(), FileNode::Off);
    EXPECT_EQ(state("files/x"), FileNode::Off);
    EXPECT_EQ(state("mixed/a"), FileNode::On); // collapsed: untouched
    EXPECT_EQ(collected(), Names());
    controller.selectAllFileNode(true);
    EXPECT_EQ(controller.selectAllState(), FileNode::On);
    EXPECT_EQ(buttonStates.back(), FileNode::On);
    EXPECT_GE(reloads, 2);
}

TEST_F(SelectionTest, DownwardSpreadReachesOnlyExpandedFoldersAndExpandingHandsItOn)
{
    expand("mixed");
    controller.changeSelectWithNode(nodes["mixed"], false);
    EXPECT_EQ(state("mixed"), FileNode::Off);
    EXPECT_EQ(state("mixed/a"), FileNode::Off);
    EXPECT_EQ(state("mixed/sub"), FileNode::Off);
    EXPECT_EQ(state("mixed/sub/b"), FileNode::On); // "sub" is collapsed
    expand("mixed/sub");
    EXPECT_EQ(state("mixed/sub/b"), FileNode::Off);
    EXPECT_EQ(buttonStates.back(), FileNode::Mixed);
}

TEST_F(SelectionTest, FatherWithAFolderChildNeverTurnsOnByItsChildren)
{
    expand("mixed");
    expand("mixed/sub");
    click("mixed"); // off, spread down
    EXPECT_EQ(state("mixed/sub/c"), FileNode::Off);
    click("mixed/a");
    click("mixed/sub/b");
    EXPECT_EQ(state("mixed/sub"), FileNode::Mixed);
    click("mixed/sub/c");
    // sub holds only files, all on: on. mixed holds a folder: mixed, whatever its children.
    EXPECT_EQ(state("mixed/sub"), FileNode::On);
    EXPECT_EQ(state("mixed"), FileNode::Mixed);
    EXPECT_EQ(collected(), (Names{"files", "top", "mixed/sub", "mixed/a"}));
    click("mixed"); // a mixed box turns on
    EXPECT_EQ(state("mixed"), FileNode::On);
}

TEST_F(SelectionTest, FolderOfFilesTurnsOnWhenAllItsFilesAre)
{
    expand("files");
    click("files/x");
    EXPECT_EQ(state("files"), FileNode::Mixed);
    EXPECT_EQ(controller.selectAllState(), FileNode::Mixed);
    click("files/y");
    EXPECT_EQ(state("files"), FileNode::Off);
    click("files/x");
    click("files/y");
    EXPECT_EQ(state("files"), FileNode::On);
    EXPECT_EQ(controller.selectAllState(), FileNode::On);
}

} // namespace

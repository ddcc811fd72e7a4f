#include "ScannedTree.h"
#include "downloads/ControllerDelegate.h"

#include <gtest/gtest.h>

namespace {

class SelectionTest : public ::testing::Test, public ControllerDelegate, protected ScannedTree {
protected:
    void SetUp() override
    {
        controller.setADelegate(this);
        scan({{"mixed/a", 1},
              {"mixed/sub/b", 2},
              {"mixed/sub/c", 3},
              {"files/x", 4},
              {"files/y", 5},
              {"top", 7}});
    }
    void changeSelectAllButtonState(int state) override { buttonState = state; }
    void reloadTreeList() override { ++reloads; }

    // The states of these nodes ("" for the select-all state) as "-" off, "+" on, "~" mixed.
    std::string states(const QString& names)
    {
        std::string text;
        for (const QString& name : names.split(u' '))
            text += "-+~"[name.isEmpty() ? controller.selectAllState()
                                         : nodes.at(name.toStdString())->state()];
        return text;
    }
    void click(const char* name) { controller.clickCheckBoxOfNode(nodes.at(name)); }
    void expand(const char* name) { controller.expandNode(nodes.at(name), true); }
    std::string collected()
    {
        std::vector<FileNode*> collection;
        const auto lock = tree->lock();
        Controller::moveFileToTarshWithDic(tree->topLevel(), collection);
        std::string names;
        for (FileNode* node : collection)
            names += relative(node) + " ";
        return names;
    }

    int buttonState = -1;
    int reloads = 0;
};

TEST_F(SelectionTest, EverythingStartsChosenThenSelectAllAndNone)
{
    EXPECT_EQ(states(""), "+");
    EXPECT_EQ(collected(), "files top mixed "); // a chosen folder is taken whole
    expand("files");
    controller.selectAllFileNode(false);
    EXPECT_EQ(states(" files/x mixed/a"), "--+"); // mixed is collapsed: untouched below
    EXPECT_EQ(collected(), "");
    controller.selectAllFileNode(true);
    EXPECT_EQ(states(""), "+");
    EXPECT_TRUE(buttonState == FileNode::On && reloads >= 2);
}

TEST_F(SelectionTest, DownwardSpreadReachesOnlyExpandedFoldersAndExpandingHandsItOn)
{
    expand("mixed");
    controller.changeSelectWithNode(nodes["mixed"], false);
    EXPECT_EQ(states("mixed mixed/a mixed/sub mixed/sub/b"), "---+"); // sub is collapsed
    expand("mixed/sub");
    EXPECT_EQ(states("mixed/sub/b"), "-");
    EXPECT_EQ(buttonState, FileNode::Mixed);
}

TEST_F(SelectionTest, AFolderOfFilesFollowsThemAndAFatherWithAFolderChildNeverTurnsOnByThem)
{
    expand("mixed");
    expand("mixed/sub");
    click("mixed"); // off, spread down
    EXPECT_EQ(states("mixed/sub/c"), "-");
    click("mixed/a");
    click("mixed/sub/b");
    EXPECT_EQ(states("mixed/sub"), "~");
    click("mixed/sub/c");
    // sub holds only files, all on: on. mixed holds a folder: mixed, whatever its children.
    EXPECT_EQ(states("mixed/sub mixed"), "+~");
    EXPECT_EQ(collected(), "files top mixed/sub mixed/a ");
    click("mixed/sub/b");
    click("mixed/sub/c");
    EXPECT_EQ(states("mixed/sub mixed "), "-~~"); // all its files off: off
    click("mixed");                               // a mixed box turns on, and with it everything
    EXPECT_EQ(states("mixed "), "++");
}

} // namespace

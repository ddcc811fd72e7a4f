#include "downloads/FileTree.h"
#include "downloads/NodeTreeOperator.h"
#include "downloads/SystemFolder.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NodeTreeTest : public ::testing::Test {
protected:
    FileNode* node(std::uint64_t size, bool isDirectory = false)
    {
        FileNode* created =
            tree.mainAllocator().create(tree.root(), "n" + std::to_string(count++), isDirectory);
        created->setSize(size);
        return created;
    }
    std::vector<FileNode*> list(std::initializer_list<std::uint64_t> sizes)
    {
        std::vector<FileNode*> nodes;
        for (std::uint64_t size : sizes)
            nodes.push_back(node(size));
        return nodes;
    }
    static std::vector<std::uint64_t> sizes(const std::vector<FileNode*>& nodes)
    {
        std::vector<std::uint64_t> result;
        for (const FileNode* each : nodes)
            result.push_back(each->size());
        return result;
    }

    FileTree tree{QStringLiteral("/scanned")};
    int count = 0;
};

struct InsertCase {
    std::vector<std::uint64_t> before;
    std::uint64_t inserted;
    std::size_t expectedIndex;
};

class SortedInsertionTest : public NodeTreeTest,
                            public ::testing::WithParamInterface<InsertCase> {};

TEST_P(SortedInsertionTest, GoesBeforeTheFirstNodeNoLargerThanIt)
{
    std::vector<FileNode*> nodes;
    for (std::uint64_t size : GetParam().before)
        nodes.push_back(node(size));
    FileNode* inserted = node(GetParam().inserted);
    NodeTreeOperator::fileInsertFatherWithRootArr(nodes, inserted);
    ASSERT_EQ(nodes.size(), GetParam().before.size() + 1);
    EXPECT_EQ(nodes[GetParam().expectedIndex], inserted);
}

INSTANTIATE_TEST_SUITE_P(Cases, SortedInsertionTest,
                         ::testing::Values(InsertCase{{5, 3, 0, 0}, 0, 2}, // before equal sizes
                                           InsertCase{{5, 3, 1}, 3, 1},
                                           InsertCase{{5, 4}, 1, 2}, // appended
                                           InsertCase{{}, 7, 0}));

TEST_F(NodeTreeTest, ResortOrdersBySizeAndLaterNodesWinTies)
{
    std::vector<FileNode*> nodes = list({1, 9, 4, 4, 0});
    FileNode* earlierFour = nodes[2];
    FileNode* laterFour = nodes[3];
    NodeTreeOperator::rootArrSortWithRootArr(nodes);
    EXPECT_EQ(sizes(nodes), (std::vector<std::uint64_t>{9, 4, 4, 1, 0}));
    EXPECT_EQ(nodes[1], laterFour);
    EXPECT_EQ(nodes[2], earlierFour);

    std::vector<FileNode*> empty;
    NodeTreeOperator::rootArrSortWithRootArr(empty);
    EXPECT_TRUE(empty.empty());
}

TEST_F(NodeTreeTest, SizeUpdateResortsTheFatherOrAsksTheDelegateForTheTopLevel)
{
    struct Recorder : NodeTreeOperatorDelegate {
        void doRootArrSort() override { ++sorts; }
        int sorts = 0;
    } recorder;
    NodeTreeOperator treeOperator;

    FileNode* top = node(0, true);
    treeOperator.sortFatherSizeWithRootFileNode(top, 50); // no delegate: only the size changes
    EXPECT_EQ(top->size(), 50u);

    treeOperator.setOpDelegate(&recorder);
    treeOperator.sortFatherSizeWithRootFileNode(top, 60);
    EXPECT_EQ(recorder.sorts, 1);

    // A nested folder re-sorts its father's list.
    const auto lock = tree.lock();
    FileNode* small = tree.mainAllocator().create(top, "small", false);
    FileNode* nested = tree.mainAllocator().create(top, "nested", true);
    small->setSize(10);
    tree.attach(small);
    tree.attach(nested);
    treeOperator.sortFatherSizeWithRootFileNode(nested, 20);
    EXPECT_EQ(top->children().front(), nested);
    EXPECT_EQ(recorder.sorts, 1);
}

TEST_F(NodeTreeTest, NewNodeIsOnNotExpandedAndKnowsItsPath)
{
    const auto lock = tree.lock();
    FileNode* folder = tree.mainAllocator().create(tree.root(), "Folder.app", true);
    tree.attach(folder);
    FileNode* file = tree.mainAllocator().create(folder, "read me", false);
    tree.attach(file);
    for (const FileNode* each : {folder, file}) {
        EXPECT_EQ(each->state(), FileNode::On);
        EXPECT_FALSE(each->isExpand());
        EXPECT_EQ(each->size(), 0u);
    }
    EXPECT_EQ(folder->father(), nullptr);
    EXPECT_EQ(file->father(), folder);
    EXPECT_EQ(file->path(), QStringLiteral("/scanned/Folder.app/read me"));
    EXPECT_EQ(file->displayName(), QStringLiteral("read me"));
    EXPECT_TRUE(folder->isBundle());
    EXPECT_FALSE(file->isBundle());
}

TEST(SystemFolderTest, MatchesWholePathsExactly)
{
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("SystemFile.plist"));
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
               "<key>0</key><string>/home/u/Downloads/.keep</string>"
               "<key>1</key><string>/home/u/Downloads/System</string>"
               "<key>7</key><string>/home/u/Downloads/beyond the count</string>"
               "</dict></plist>");
    file.close();
    ScopedEnvironmentVariable override("CORVELLA_SYSTEM_FILE_LIST", QFile::encodeName(list));
    EXPECT_TRUE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/home/u/Downloads/.keep")));
    EXPECT_TRUE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/home/u/Downloads/System")));
    EXPECT_FALSE(
        SystemFolder::isSystemFileWithFilePath(QStringLiteral("/home/u/Downloads/System/")));
    EXPECT_FALSE(
        SystemFolder::isSystemFileWithFilePath(QStringLiteral("/home/u/downloads/system")));
    // Keys run from "0" to count - 1; "7" lies beyond a list of three.
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(
        QStringLiteral("/home/u/Downloads/beyond the count")));

    ScopedEnvironmentVariable missing("CORVELLA_SYSTEM_FILE_LIST",
                                      QFile::encodeName(folder.filePath(QStringLiteral("none"))));
    EXPECT_FALSE(SystemFolder::isSystemFileWithFilePath(QStringLiteral("/home/u/Downloads/.keep")));
}

} // namespace

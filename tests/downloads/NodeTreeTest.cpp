#include "downloads/FileTree.h"
#include "downloads/NodeTreeOperator.h"
#include "downloads/SystemFolder.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NodeTreeTest : public ::testing::Test, public NodeTreeOperatorDelegate {
protected:
    void doRootArrSort() override { ++sorts; }
    FileNode* node(std::uint64_t size, FileNode* father = nullptr, bool isDirectory = false)
    {
        const QByteArray name = "n" + QByteArray::number(count++);
        FileNode* created = tree.mainAllocator().create(
            father ? father : tree.root(), std::string_view(name.constData(), name.size()),
            isDirectory);
        created->setSize(size);
        return created;
    }
    std::vector<FileNode*> list(const std::vector<std::uint64_t>& sizes)
    {
        std::vector<FileNode*> nodes;
        for (std::uint64_t size : sizes)
            nodes.push_back(node(size));
        return nodes;
    }

    FileTree tree{QStringLiteral("/scanned")};
    int count = 0;
    int sorts = 0;
};

// Among equal sizes the later node stands first, as after a re-sort.
TEST_F(NodeTreeTest, ListsStandBySizeAndLaterNodesWinTies)
{
    const struct {
        std::vector<std::uint64_t> before;
        std::uint64_t inserted;
        std::size_t at;
    } rows[] = {{{5, 3, 0, 0}, 0, 2}, {{5, 3, 1}, 3, 1}, {{5, 4}, 1, 2}, {{}, 7, 0}};
    for (const auto& row : rows) {
        std::vector<FileNode*> nodes = list(row.before);
        FileNode* inserted = node(row.inserted);
        NodeTreeOperator::fileInsertFatherWithRootArr(nodes, inserted);
        ASSERT_EQ(nodes.size(), row.before.size() + 1);
        EXPECT_EQ(nodes[row.at], inserted) << "inserting " << row.inserted;
    }
    std::vector<FileNode*> nodes = list({1, 9, 4, 4, 0});
    const std::vector<FileNode*> expected{nodes[1], nodes[3], nodes[2], nodes[0], nodes[4]};
    NodeTreeOperator::rootArrSortWithRootArr(nodes);
    EXPECT_EQ(nodes, expected);
}

TEST_F(NodeTreeTest, SizeUpdateResortsTheFatherOrAsksTheDelegateAndPathsFollowFathers)
{
    NodeTreeOperator treeOperator;
    const auto lock = tree.lock();
    FileNode* top = tree.mainAllocator().create(tree.root(), "Folder.app", true);
    FileNode* file = tree.mainAllocator().create(top, "read me", false);
    FileNode* nested = node(0, top, true);
    for (FileNode* each : {top, file, nested})
        tree.attach(each);
    file->setSize(10);
    treeOperator.sortFatherSizeWithRootFileNode(top, 50); // no delegate: only the size changes
    EXPECT_EQ(top->size(), 50u);
    treeOperator.setOpDelegate(this);
    treeOperator.sortFatherSizeWithRootFileNode(top, 60);
    EXPECT_EQ(sorts, 1);
    treeOperator.sortFatherSizeWithRootFileNode(nested, 20); // re-sorts its father's list
    EXPECT_EQ(top->children().front(), nested);
    EXPECT_EQ(sorts, 1);
    EXPECT_TRUE(file->father() == top && !top->father() && top->isBundle() && !file->isBundle());
    EXPECT_EQ(file->path(), QStringLiteral("/scanned/Folder.app/read me"));
}

TEST(SystemFolderTest, MatchesWholePathsExactly)
{
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("SystemFile.plist"));
    ASSERT_TRUE(writeFile(list, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">"
                                "<dict><key>0</key><string>/home/u/Downloads/.keep</string>"
                                "<key>1</key><string>/home/u/Downloads/System</string>"
                                "<key>7</key><string>/home/u/Downloads/beyond</string>"
                                "</dict></plist>"));
    ScopedEnvironmentVariable override("CORVELLA_SYSTEM_FILE_LIST", QFile::encodeName(list));
    const auto listed = [](const char* path) {
        return SystemFolder::isSystemFileWithFilePath(QString::fromUtf8(path));
    };
    EXPECT_TRUE(listed("/home/u/Downloads/.keep") && listed("/home/u/Downloads/System"));
    EXPECT_FALSE(listed("/home/u/Downloads/System/") || listed("/home/u/downloads/system"));
    EXPECT_FALSE(listed("/home/u/Downloads/beyond")); // keys run from "0" to count - 1
    ScopedEnvironmentVariable missing("CORVELLA_SYSTEM_FILE_LIST",
                                      QFile::encodeName(folder.filePath(QStringLiteral("none"))));
    EXPECT_FALSE(listed("/home/u/Downloads/.keep"));
}

} // namespace

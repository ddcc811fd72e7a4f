#include "downloads/Controller.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "platform/fs/TreeEraser.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace {

using namespace std::chrono_literals;

class ScanTest : public ::testing::TestWithParam<int>, public EumeRootDelegate {
protected:
    void TearDown() override
    {
        Progress::isPause(false);
        TreeEraser::erase(folder.path()); // names and depths QTemporaryDir cannot remove
    }
    void endScan() override { ++ends; }
    std::unique_ptr<EumeRoot> start(const QString& path = {})
    {
        tree = std::make_shared<FileTree>(path.isEmpty() ? folder.path() : path);
        auto root = std::make_unique<EumeRoot>(GetParam());
        root->setEumeDelegate(this);
        root->eumeAllRootFileNodeWithRootArr(tree, tree->rootPath());
        return root;
    }
    float scan(const QString& path = {})
    {
        const auto root = start(path);
        root->waitUntilDone();
        return root->getProgress();
    }

    // "name:size[entry,entry],name:size" in list order. Lock held.
    static std::string describe(const std::vector<FileNode*>& list)
    {
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "[" + string.
        std::string text;
        for (FileNode* node : list) {
            text.append(text.empty() ? "" : ",").append(node->nameBytes()).append(":");
            text.append(std::to_string(node->size()));
            if (node->isDirectory())
                text.append("[").append(describe(node->children())).append("]");
        }
        return text;
    }
    static std::string describeTopLevel(FileTree& scanned)
    {
        const auto lock = scanned.lock();
        return describe(scanned.topLevel());
    }

    // The first folder whose list is out of size order or (walk ended) whose size is not the sum of
    // its entries. During a walk folder sizes still grow, so only files are compared then.
    static std::string disorder(FileTree& scanned, bool walkEnded)
    {
        const auto lock = scanned.lock();
        for (std::vector<FileNode*> pending{scanned.root()}; !pending.empty();) {
            FileNode* node = pending.back();
            pending.pop_back();
            std::uint64_t sum = 0;
            std::uint64_t previous = UINT64_MAX;
            for (FileNode* child : node->children()) {
                sum += child->size();
                if ((walkEnded || !child->isDirectory()) && child->size() > previous)
                    return node->path().toStdString();
                if (walkEnded || !child->isDirectory())
                    previous = child->size();
                pending.push_back(child);
            }
            if (walkEnded && node->isDirectory() && node->size() != sum)
                return node->path().toStdString();
        }
        return {};
    }

    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
    std::shared_ptr<FileTree> tree;
    std::atomic<int> ends{0};
};

TEST_P(ScanTest, FolderTotalsOrderAndHostileNames)
{
    build.entries({"only/empty/", "only/ten:10", "only/thirty:30", "only/twenty:20",
                   "only/.hidden/.dot:5", "only/new\nline:7", "only/bad\xff\xfe utf8:11",
                   "only/" + QByteArray(255, 'x') + ":13", "empty top/", "loose:15"});
    ASSERT_TRUE(build.ok()) << build.failure();
    EXPECT_EQ(scan(), 100.0f);
    EXPECT_EQ(describeTopLevel(*tree), "only:96[thirty:30,twenty:20," + std::string(255, 'x') +
                                           ":13,bad\xff\xfe utf8:11,ten:10,new\nline:7,"
                                           ".hidden:5[.dot:5],empty:0[]],loose:15,empty top:0[]");
    EXPECT_EQ(tree->totalSize(), 111u);
    EXPECT_EQ(ends, 1);
}

TEST_P(ScanTest, AnEmptyFolderEndsAtOnceAndARootThatIsAFileOrMissingSendsNoEnd)
{
    build.entries({"empty/", "single:42"});
    ASSERT_TRUE(build.ok()) << build.failure();
    const struct {
        const char* root;
        const char* listed;
        int ends;
    } rows[] = {{"empty", "", 1}, {"single", "single:42", 0}, {"missing", "", 0}};
    for (const auto& row : rows) {
        ends = 0;
        EXPECT_EQ(scan(build.qpath(row.root)), 0.0f) << row.root;
        EXPECT_EQ(describeTopLevel(*tree), row.listed) << row.root;
        EXPECT_EQ(ends, row.ends) << row.root;
    }
}

TEST_P(ScanTest, LinksAreNeverFollowed)
{
    build.entries({"file:1000", "inside/", "inside/to-file>../file", "inside/to-folder>../inside",
                   "inside/loop>..", "top-to-folder>inside"});
    ASSERT_TRUE(build.ok()) << build.failure();
    scan(); // a top-level link to a folder is a folder that lists nothing
    EXPECT_EQ(describeTopLevel(*tree),
              "file:1000,inside:18[to-folder:9,to-file:7,loop:2],top-to-folder:0[]");
}

TEST_P(ScanTest, AChainFiveThousandFoldersDeep)
{
    build.folder("deep");
    build.chain("deep", 5000, 17);
    ASSERT_TRUE(build.ok()) << build.failure();
    scan();
    const auto lock = tree->lock();
    std::size_t depth = 0;
    for (FileNode* node = tree->root(); node->isDirectory();
         node = node->children().front(), ++depth)
        EXPECT_EQ(node->size(), 17u) << "at depth " << depth;
    EXPECT_EQ(depth, 5002u); // the root, "deep" and its chain
}

TEST_P(ScanTest, ArenaGrowsWithEntriesNotWithTopLevelFolders)
{
    // A top level of many small folders, the shape of a folder of unpacked archives: every
    // top-level walk once took a fresh 256 KiB block for its first node.
    constexpr int kFolders = 3000;
    for (int index = 0; index < kFolders; ++index)
        build.entries({"unpacked-" + QByteArray::number(index) + "/readme:3"});
    ASSERT_TRUE(build.ok()) << build.failure();
    scan();
    const std::size_t entries = tree->nodeCount();
    ASSERT_EQ(entries, std::size_t(2 * kFolders));
    // A node with its name is under 100 bytes here; each allocator may hold one partly used
    // block of at most 256 KiB.
    EXPECT_LE(tree->reservedBytes(), 128 * entries + std::size_t(GetParam() + 1) * 256 * 1024)
        << "for " << entries << " entries";
}

TEST_P(ScanTest, PausedScanWaitsAndContinuesPastAVanishedFolder)
{
    build.entries({"gone/x:50", "stays/y:60"});
    ASSERT_TRUE(build.ok()) << build.failure();
    Progress::isPause(true);
    const auto root = start();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (root->allFileCount() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(2ms);
    EXPECT_TRUE(root->isRunning() && root->allFileCount() == 2 && root->getProgress() == 0.0f);
    EXPECT_EQ(describeTopLevel(*tree), "");
    ASSERT_TRUE(QDir(build.qpath("gone")).removeRecursively());
    Progress::isPause(false);
    root->waitUntilDone();
    EXPECT_EQ(describeTopLevel(*tree), "stays:60[y:60]");
    EXPECT_TRUE(root->getProgress() == 100.0f && ends == 1);
}

TEST_P(ScanTest, StopDuringAWalkKeepsThePartialTree)
{
    build.folder("big");
    for (int index = 0; index < 20000; ++index)
        build.file("big/f" + QByteArray::number(index), 1);
    build.entries({"later/x:1"});
    ASSERT_TRUE(build.ok()) << build.failure();
    const auto root = start(); // stopped once the first folder's walk has begun
    const auto begun = [this] {
        const auto lock = tree->lock();
        return !tree->topLevel().empty() && tree->topLevel().front()->size() > 0;
    };
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (root->isRunning() && !begun() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    root->stopScan();
    root->waitUntilDone();
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(disorder(*tree, true), ""); // partial, but consistent
    if (root->eumeFileCount() == 0) {
        const auto lock = tree->lock();
        EXPECT_LT(tree->topLevel().size(), 2u); // the later folder was never listed
    }
}

TEST_P(ScanTest, ANewScanStopsAPausedOneWhichThenLeavesItsTreeAlone)
{
    build.entries({"a/x:3"});
    ASSERT_TRUE(build.ok()) << build.failure();
    Progress::isPause(true);
    Controller controller;
    const auto first = std::make_shared<FileTree>(folder.path());
    controller.eumeAllRootFileNodeWithRootArr(first, folder.path());
    tree = std::make_shared<FileTree>(folder.path());
    auto started = std::async(std::launch::async, [&] {
        controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    });
    ASSERT_EQ(started.wait_for(10s), std::future_status::ready);
    Progress::isPause(false);
    controller.eumeRoot()->waitUntilDone();
    EXPECT_EQ(describeTopLevel(*first), "");
    EXPECT_EQ(describeTopLevel(*tree), "a:3[x:3]");
}

TEST_P(ScanTest, ARandomTreeIsOrderedForEveryReaderAndAddsUp)
{
    std::mt19937 random(7);
    std::uint64_t expected = 0;
    std::vector<QByteArray> folders{""};
    for (int index = 0; index < 3200; ++index) {
        const QByteArray parent = folders[random() % folders.size()];
        const QByteArray name =
            parent + (parent.isEmpty() ? "f" : "/f") + QByteArray::number(index);
        if (random() % 8 == 0) {
            build.folder(name);
            folders.push_back(name);
        } else {
            const std::uint64_t size = random() % 100000;
            build.file(name, size);
            expected += size;
        }
    }
    ASSERT_TRUE(build.ok()) << build.failure();
    const auto root = start();
    std::string disordered;
    do {
        disordered = disorder(*tree, false);
        std::this_thread::sleep_for(10ms); // a spinning reader would starve a single walker
    } while (root->isRunning() && disordered.empty());
    root->waitUntilDone();
    EXPECT_EQ(disordered, "");
    EXPECT_EQ(tree->totalSize(), expected);
    EXPECT_EQ(disorder(*tree, true), "");
}

INSTANTIATE_TEST_SUITE_P(Walkers, ScanTest, ::testing::Values(1, 2),
                         [](const auto& info) { return std::to_string(info.param) + "walkers"; });

} // namespace

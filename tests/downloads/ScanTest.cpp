#include "downloads/Controller.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "platform/TreeEraser.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <thread>

namespace {

using namespace std::chrono_literals;

class EndRecorder : public EumeRootDelegate {
public:
    void endScan() override { ++ends; }
    std::atomic<int> ends{0};
};

// One scan of a fixture folder, with 1 or 2 walkers.
class ScanTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        Progress::isPause(false);
        ASSERT_TRUE(folder.isValid());
    }
    void TearDown() override { Progress::isPause(false); }

    std::shared_ptr<FileTree> scan(const QString& path)
    {
        auto tree = std::make_shared<FileTree>(path);
        EumeRoot root(GetParam());
        root.setEumeDelegate(&recorder);
        root.eumeAllRootFileNodeWithRootArr(tree, path);
        root.waitUntilDone();
        progress = root.getProgress();
        return tree;
    }

    // name: size, children in order, as "name:size[child,child]".
    static std::string describe(FileNode* node)
    {
        std::string text = std::string(node->nameBytes()) + ":" + std::to_string(node->size());
        if (node->isDirectory()) {
            text += "[";
            for (FileNode* child : node->children())
                text += describe(child) + (child == node->children().back() ? "" : ",");
            text += "]";
        }
        return text;
    }
    static std::string describeTopLevel(FileTree& tree)
    {
        const auto lock = tree.lock();
        std::string text;
        for (FileNode* node : tree.topLevel())
            text += describe(node) + ";";
        return text;
    }

    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
    EndRecorder recorder;
    float progress = -1;
};

TEST_P(ScanTest, EmptyFolderEndsAtOnceWithNothing)
{
    auto tree = scan(folder.path());
    EXPECT_EQ(describeTopLevel(*tree), "");
    EXPECT_EQ(progress, 0.0f);
    EXPECT_EQ(recorder.ends, 1);
}

TEST_P(ScanTest, FolderTotalsAndOrder)
{
    build.folder("only");
    build.file("only/ten", 10);
    build.file("only/thirty", 30);
    build.file("only/twenty", 20);
    build.folder("only/empty");
    build.folder("only/.hidden");
    build.file("only/.hidden/.dot", 5);
    build.folder("empty top");
    build.file("loose", 15);
    auto tree = scan(folder.path());
    EXPECT_EQ(describeTopLevel(*tree),
              "only:65[thirty:30,twenty:20,ten:10,.hidden:5[.dot:5],empty:0[]];loose:15;"
              "empty top:0[];");
    EXPECT_EQ(tree->totalSize(), 80u);
    EXPECT_EQ(progress, 100.0f);
    EXPECT_EQ(recorder.ends, 1);
}

TEST_P(ScanTest, LinksAreNeverFollowed)
{
    QTemporaryDir outside;
    TreeBuilder away(outside.path());
    away.file("secret", 1000);
    const QByteArray secret = QFile::encodeName(outside.filePath(QStringLiteral("secret")));
    const QByteArray elsewhere = QFile::encodeName(outside.path());
    build.folder("inside");
    build.link(secret, "inside/to-file");
    build.link(elsewhere, "inside/to-folder");
    build.link("..", "inside/loop");
    build.link(elsewhere, "top-to-folder");
    auto tree = scan(folder.path());

    const auto lock = tree->lock();
    std::map<std::string, FileNode*> top;
    for (FileNode* node : tree->topLevel())
        top[std::string(node->nameBytes())] = node;
    ASSERT_EQ(top.size(), 2u);
    // A top-level link to a folder is a folder that lists nothing.
    EXPECT_TRUE(top["top-to-folder"]->isDirectory());
    EXPECT_EQ(top["top-to-folder"]->size(), 0u);
    EXPECT_EQ(top["top-to-folder"]->childCount(), 0u);
    // Links inside count their own length and are never walked.
    std::map<std::string, FileNode*> inside;
    for (FileNode* node : top["inside"]->children())
        inside[std::string(node->nameBytes())] = node;
    EXPECT_EQ(inside["to-file"]->size(), std::uint64_t(secret.size()));
    EXPECT_EQ(inside["to-folder"]->size(), std::uint64_t(elsewhere.size()));
    EXPECT_EQ(inside["loop"]->size(), 2u);
    for (const auto& [name, node] : inside) {
        EXPECT_FALSE(node->isDirectory()) << name;
        EXPECT_EQ(node->childCount(), 0u) << name;
    }
    EXPECT_EQ(tree->totalSize(), std::uint64_t(secret.size() + elsewhere.size() + 2));
}

TEST_P(ScanTest, RootThatIsAFileOrMissingSendsNoEnd)
{
    build.file("single", 42);
    auto tree = scan(build.qpath("single"));
    {
        const auto lock = tree->lock();
        ASSERT_EQ(tree->topLevel().size(), 1u);
        EXPECT_EQ(tree->topLevel()[0]->size(), 42u);
        EXPECT_FALSE(tree->topLevel()[0]->isDirectory());
    }
    EXPECT_EQ(progress, 0.0f);
    auto nothing = scan(build.qpath("missing"));
    EXPECT_EQ(describeTopLevel(*nothing), "");
    EXPECT_EQ(recorder.ends, 0);
}

TEST_P(ScanTest, HostileNamesAndADeepChain)
{
    build.folder("odd");
    build.file("odd/new\nline", 7);
    build.file(QByteArray("odd/bad\xff\xfe utf8"), 11);
    build.file("odd/" + QByteArray(255, 'x'), 13);
    build.folder("deep");
    build.chain("deep", 5000, 17);
    auto tree = scan(folder.path());
    EXPECT_EQ(tree->totalSize(), 7u + 11u + 13u + 17u);
    {
        const auto lock = tree->lock();
        FileNode* deep = tree->topLevel().back();
        ASSERT_EQ(std::string(deep->nameBytes()), "deep");
        EXPECT_EQ(deep->size(), 17u);
        std::size_t depth = 0;
        for (FileNode* node = deep; node->isDirectory(); node = node->children().front())
            ++depth;
        EXPECT_EQ(depth, 5001u);
    }
    EXPECT_TRUE(TreeEraser::erase(build.qpath("deep")).succeeded());
}

TEST_P(ScanTest, TotalsOfARandomTreeMatchWhatWasWritten)
{
    std::mt19937 random(7);
    std::uint64_t expected = 0;
    std::vector<QByteArray> folders{""};
    for (int index = 0; index < 300; ++index) {
        const QByteArray parent = folders[random() % folders.size()];
        const QByteArray name =
            parent + (parent.isEmpty() ? "" : "/") + "f" + QByteArray::number(index);
        if (random() % 4 == 0) {
            build.folder(name);
            folders.push_back(name);
        } else {
            const std::uint64_t size = random() % 100000;
            build.file(name, size);
            expected += size;
        }
    }
    auto tree = scan(folder.path());
    EXPECT_EQ(tree->totalSize(), expected);
    // Every folder's size is the sum of its entries; every list is in order.
    const auto lock = tree->lock();
    std::vector<FileNode*> pending(tree->topLevel().begin(), tree->topLevel().end());
    while (!pending.empty()) {
        FileNode* node = pending.back();
        pending.pop_back();
        std::uint64_t sum = 0;
        std::uint64_t previous = UINT64_MAX;
        for (FileNode* child : node->children()) {
            sum += child->size();
            EXPECT_LE(child->size(), previous);
            previous = child->size();
            pending.push_back(child);
        }
        if (node->isDirectory()) {
            EXPECT_EQ(node->size(), sum) << node->path().toStdString();
        }
    }
}

TEST_P(ScanTest, PausedScanWaitsAndContinues)
{
    build.folder("a");
    build.file("a/x", 3);
    build.file("b", 4);
    Progress::isPause(true);
    auto tree = std::make_shared<FileTree>(folder.path());
    EumeRoot root(GetParam());
    root.setEumeDelegate(&recorder);
    root.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    // The scan lists the folder, then waits before its first entry.
    for (int tries = 0; tries < 500 && root.allFileCount() == 0; ++tries)
        std::this_thread::sleep_for(2ms);
    EXPECT_EQ(root.allFileCount(), 2);
    EXPECT_EQ(root.getProgress(), 0.0f);
    EXPECT_TRUE(root.isRunning());
    Progress::isPause(false);
    root.waitUntilDone();
    EXPECT_EQ(root.getProgress(), 100.0f);
    EXPECT_EQ(recorder.ends, 1);
    EXPECT_EQ(tree->totalSize(), 7u);
}

TEST_P(ScanTest, StopWhilePausedWakesTheWorker)
{
    build.file("a", 1);
    Progress::isPause(true);
    auto tree = std::make_shared<FileTree>(folder.path());
    auto root = std::make_unique<EumeRoot>(GetParam());
    root->setEumeDelegate(&recorder);
    root->eumeAllRootFileNodeWithRootArr(tree, folder.path());
    root->stopScan();
    // Still paused: the stop alone must end the worker.
    auto done = std::async(std::launch::async, [&root] { root->waitUntilDone(); });
    ASSERT_EQ(done.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(recorder.ends, 0);
    EXPECT_EQ(describeTopLevel(*tree), "");
}

TEST_P(ScanTest, StopDuringAWalkKeepsThePartialTree)
{
    build.folder("big");
    for (int index = 0; index < 20000; ++index)
        build.file("big/f" + QByteArray::number(index), 1);
    build.folder("later");
    build.file("later/x", 1);
    auto tree = std::make_shared<FileTree>(folder.path());
    EumeRoot root(GetParam());
    root.setEumeDelegate(&recorder);
    root.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    // Stop once the walk of the first folder has begun (or the scan has already ended).
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (root.isRunning() && std::chrono::steady_clock::now() < deadline) {
        {
            const auto lock = tree->lock();
            if (!tree->topLevel().empty() && tree->topLevel().front()->size() > 0)
                break;
        }
        std::this_thread::yield();
    }
    root.stopScan();
    root.waitUntilDone();
    EXPECT_EQ(recorder.ends, 0);
    const auto lock = tree->lock();
    for (FileNode* node : tree->topLevel()) {
        std::uint64_t sum = 0;
        for (FileNode* child : node->children())
            sum += child->size();
        EXPECT_EQ(node->size(), sum); // partial, but consistent
    }
    if (root.eumeFileCount() == 0) {
        EXPECT_LT(tree->topLevel().size(), 2u); // the later folder was never listed
    }
}

TEST_P(ScanTest, FolderThatVanishesBeforeItsWalkIsSkipped)
{
    build.folder("gone");
    build.file("gone/x", 50);
    build.folder("stays");
    build.file("stays/y", 60);
    Progress::isPause(true);
    auto tree = std::make_shared<FileTree>(folder.path());
    EumeRoot root(GetParam());
    root.setEumeDelegate(&recorder);
    root.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    for (int tries = 0; tries < 2500 && root.allFileCount() == 0; ++tries)
        std::this_thread::sleep_for(2ms);
    ASSERT_EQ(root.allFileCount(), 2); // listed, then waiting before the first entry
    ASSERT_TRUE(QDir(build.qpath("gone")).removeRecursively());
    Progress::isPause(false);
    root.waitUntilDone();
    EXPECT_EQ(describeTopLevel(*tree), "stays:60[y:60];");
    EXPECT_EQ(root.getProgress(), 100.0f);
    EXPECT_EQ(recorder.ends, 1);
}

TEST_P(ScanTest, ANewScanStopsAPausedOneWhichThenLeavesItsTreeAlone)
{
    build.folder("a");
    build.file("a/x", 3);
    Progress::isPause(true);
    Controller controller;
    auto first = std::make_shared<FileTree>(folder.path());
    controller.eumeAllRootFileNodeWithRootArr(first, folder.path());
    auto second = std::make_shared<FileTree>(folder.path());
    // Starting the next scan must not wait for a continue that never comes.
    auto started = std::async(std::launch::async, [&] {
        controller.eumeAllRootFileNodeWithRootArr(second, folder.path());
    });
    ASSERT_EQ(started.wait_for(10s), std::future_status::ready);
    const std::string before = describeTopLevel(*first);
    Progress::isPause(false);
    controller.eumeRoot()->waitUntilDone();
    EXPECT_EQ(describeTopLevel(*first), before);
    EXPECT_EQ(describeTopLevel(*second), "a:3[x:3];");
}

TEST_P(ScanTest, AReaderAlwaysSeesOrderedListsWhileTheWalkWrites)
{
    for (int top = 0; top < 4; ++top) {
        for (int sub = 0; sub < 20; ++sub) {
            const QByteArray path = "t" + QByteArray::number(top) + "/s" + QByteArray::number(sub);
            build.folder(path);
            for (int file = 0; file < 40; ++file)
                build.file(path + "/f" + QByteArray::number(file), std::uint64_t(file * 7 + sub));
        }
    }
    auto tree = std::make_shared<FileTree>(folder.path());
    EumeRoot root(GetParam());
    root.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    int looks = 0;
    bool ordered = true;
    do {
        const auto lock = tree->lock();
        std::vector<FileNode*> pending{tree->root()};
        while (!pending.empty() && ordered) {
            FileNode* node = pending.back();
            pending.pop_back();
            // Folder sizes keep growing after a list was ordered; a file's size is final, so
            // the files among a list must stand in order.
            std::vector<FileNode*> files;
            const std::vector<FileNode*>& children = node->children();
            std::copy_if(children.begin(), children.end(), std::back_inserter(files),
                         [](FileNode* child) { return !child->isDirectory(); });
            ordered = std::is_sorted(files.begin(), files.end(), [](FileNode* a, FileNode* b) {
                return a->size() > b->size();
            });
            pending.insert(pending.end(), children.begin(), children.end());
        }
        ++looks;
        // A reader looks now and then, as the window does; one that held the lock in a spin would
        // starve a single walker (most of all under ThreadSanitizer).
        std::this_thread::sleep_for(10ms);
    } while (root.isRunning() && ordered);
    root.waitUntilDone();
    EXPECT_TRUE(ordered) << "after " << looks << " looks";
}

INSTANTIATE_TEST_SUITE_P(Walkers, ScanTest, ::testing::Values(1, 2),
                         [](const auto& info) { return std::to_string(info.param) + "walkers"; });

} // namespace

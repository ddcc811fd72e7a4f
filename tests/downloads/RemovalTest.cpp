#include "ScannedTree.h"
#include "downloads/ControllerDelegate.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QFileInfo>

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Names = std::vector<std::string>;
using Steps = std::vector<std::pair<int, std::string>>;

// Items a (1), b (2), c (3) and a folder box with p (10) and q (20), scanned, then moved to a
// trash in a temporary data home or erased.
class RemovalTest : public ::testing::TestWithParam<Controller::Removal>,
                    public ControllerDelegate,
                    protected ScannedTree {
protected:
    void SetUp() override
    {
        controller.setADelegate(this);
        scanItems();
    }
    void scanItems()
    {
        build.file("a", 1);
        build.file("b", 2);
        build.file("c", 3);
        build.folder("box");
        build.file("box/p", 10);
        build.file("box/q", 20);
        ASSERT_TRUE(build.ok()) << build.failure();
        scan();
        steps.clear();
    }
    void changeRemoveProgressWithPoint(int percent, const QString& path) override
    {
        steps.emplace_back(percent, QFileInfo(path).fileName().toStdString());
        if (stopAtFirstStep)
            controller.stopRemove();
    }
    void removeFailuresWithCount(int count, const QString& reason) override
    {
        failures = count;
        firstReason = reason;
    }

    // Ticks these boxes as a person would: everything off, folders opened to reach nested items.
    void choose(const Names& names)
    {
        controller.selectAllFileNode(false);
        for (const std::string& name : names) {
            FileNode* node = nodes.at(name);
            if (node->father())
                controller.expandNode(node->father(), true);
            controller.clickCheckBoxOfNode(node);
        }
    }
    void run()
    {
        if (GetParam() == Controller::Removal::MoveToTrash)
            controller.moveFileToTarshWithDic();
        else
            controller.deleteFilesWithDic();
        controller.waitForRemoval();
    }
    bool onDisk(const std::string& name) const
    {
        return exists(build.path(QByteArray::fromStdString(name)));
    }
    // The top level as "name:size,name:size".
    std::string topLevel() const
    {
        const auto lock = tree->lock();
        std::string text;
        for (FileNode* node : tree->topLevel())
            text += (text.empty() ? "" : ",") + relative(node) + ":" + std::to_string(node->size());
        return text;
    }
    void expectAllOff() const
    {
        const auto lock = tree->lock();
        for (FileNode* node : tree->topLevel())
            EXPECT_EQ(node->state(), FileNode::Off) << relative(node);
    }

    QTemporaryDir dataHome;
    ScopedEnvironmentVariable data{"XDG_DATA_HOME", QFile::encodeName(dataHome.path())};
    Steps steps;
    int failures = 0;
    QString firstReason;
    bool stopAtFirstStep = false;
};

TEST_P(RemovalTest, EachStepNamesTheItemAboutToGoAndAStopLeavesTheRest)
{
    const struct {
        Names chosen;
        bool stop; // stop while the first item is in hand
        Steps steps;
        const char* left;
        Names gone;
    } rows[] = {
        {{"b"}, false, {{30, "b"}, {100, "b"}}, "box:30,c:3,a:1", {"b"}},
        // Collected in tree order, largest first.
        {{"a", "b", "c"},
         false,
         {{0, "c"}, {33, "b"}, {66, "a"}, {100, "a"}},
         "box:30",
         {"a", "b", "c"}},
        {{"box"}, false, {{30, "box"}, {100, "box"}}, "c:3,b:2,a:1", {"box", "box/p", "box/q"}},
        // A chosen child alone leaves its folder, with the size of what is left in it.
        {{"box/q"}, false, {{30, "q"}, {100, "q"}}, "box:10,c:3,b:2,a:1", {"box/q"}},
        {{"a", "b", "c"}, true, {{0, "c"}, {100, "b"}}, "box:30,b:2,a:1", {"c"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosen.back() + (row.stop ? " stopped" : ""));
        scanItems();
        choose(row.chosen);
        stopAtFirstStep = row.stop;
        run();
        EXPECT_EQ(steps, row.steps);
        EXPECT_EQ(topLevel(), row.left);
        for (const std::string name : {"a", "b", "c", "box", "box/p", "box/q"})
            EXPECT_EQ(onDisk(name), !std::count(row.gone.begin(), row.gone.end(), name)) << name;
        EXPECT_EQ(failures, 0);
        expectAllOff();
    }
}

TEST_P(RemovalTest, FailedItemStaysInTheTreeUntickedAndIsReported)
{
    choose({"a", "c"});
    ASSERT_TRUE(QFile::remove(build.qpath("c"))); // gone behind the cleaner's back
    run();
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(firstReason.contains(build.qpath("c"))) << firstReason.toStdString();
    EXPECT_EQ(steps.back().first, 100);
    EXPECT_EQ(topLevel(), "box:30,c:3,b:2");
    expectAllOff();
}

TEST_P(RemovalTest, NothingChosenOrNothingScannedDoesNothing)
{
    choose({});
    run();
    Controller idle;
    idle.setADelegate(this);
    idle.setRootArr(std::make_shared<FileTree>(folder.path()));
    idle.deleteFilesWithDic();
    idle.waitForRemoval();
    EXPECT_EQ(steps, Steps());
}

TEST_P(RemovalTest, RemovalFromAPausedScanEndsTheScanFirst)
{
    for (const char* name : {"big1", "big2"}) {
        build.folder(name);
        for (int file = 0; file < 10000; ++file)
            build.file(QByteArray(name) + "/" + QByteArray::number(file), 1);
    }
    ASSERT_TRUE(build.ok()) << build.failure();
    tree = std::make_shared<FileTree>(folder.path());
    controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    // Held part way, with at least one big folder still to walk.
    while (controller.getProgress() == 0.0f && controller.isScanning())
        std::this_thread::yield();
    Progress::isPause(true);
    ASSERT_TRUE(controller.isScanning());

    run(); // everything found so far is on
    EXPECT_FALSE(controller.isScanning());
    Progress::isPause(false);
    controller.eumeRoot()->waitUntilDone();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().first, 100);
    // What was found is gone, and the stopped scan added nothing afterwards. An erase keeps a
    // folder with what the scan had not listed yet: a moved folder goes whole.
    const auto lock = tree->lock();
    for (FileNode* node : tree->topLevel()) {
        EXPECT_EQ(node->size() + node->childCount(), 0u) << relative(node);
        EXPECT_EQ(GetParam(), Controller::Removal::CompletelyErase) << relative(node);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, RemovalTest,
                         ::testing::Values(Controller::Removal::MoveToTrash,
                                           Controller::Removal::CompletelyErase),
                         [](const auto& info) {
                             return info.param == Controller::Removal::MoveToTrash ? "Trash"
                                                                                   : "Erase";
                         });

} // namespace

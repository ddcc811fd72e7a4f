#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <map>
#include <thread>

namespace {

class RemovalRecorder : public ControllerDelegate {
public:
    void changeRemoveProgressWithPoint(int percent, const QString& path) override
    {
        steps.emplace_back(percent, QFileInfo(path).fileName().toStdString());
        if (stopAfter >= 0 && int(steps.size()) > stopAfter)
            controller->stopRemove();
    }
    void removeFailuresWithCount(int count, const QString& reason) override
    {
        failures = count;
        firstReason = reason;
    }
    std::vector<std::pair<int, std::string>> steps;
    int failures = 0;
    QString firstReason;
    int stopAfter = -1;
    Controller* controller = nullptr;
};

using Steps = std::vector<std::pair<int, std::string>>;

// Items a (1), b (2), c (3) and a folder "box" with p (10) and q (20), scanned; removal is
// "Completely Erase" unless a test says otherwise. The trash lives in a temporary data home.
class RemovalTest : public ::testing::TestWithParam<Controller::Removal> {
protected:
    void SetUp() override
    {
        Progress::isPause(false);
        build.file("a", 1);
        build.file("b", 2);
        build.file("c", 3);
        build.folder("box");
        build.file("box/p", 10);
        build.file("box/q", 20);
        tree = std::make_shared<FileTree>(folder.path());
        controller.setADelegate(&recorder);
        recorder.controller = &controller;
        controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
        controller.eumeRoot()->waitUntilDone();
        const auto lock = tree->lock();
        for (FileNode* node : tree->topLevel()) {
            nodes[std::string(node->nameBytes())] = node;
            for (FileNode* child : node->children())
                nodes["box/" + std::string(child->nameBytes())] = child;
        }
    }
    // Ticks these boxes as a person would: everything off, folders opened to reach nested items.
    void choose(std::initializer_list<const char*> names)
    {
        controller.selectAllFileNode(false);
        for (const char* name : names) {
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
    bool exists(const QByteArray& name) const { return QFileInfo::exists(build.qpath(name)); }
    std::vector<std::string> topLevelNames()
    {
        const auto lock = tree->lock();
        std::vector<std::string> names;
        for (FileNode* node : tree->topLevel())
            names.emplace_back(node->nameBytes());
        return names;
    }
    void expectAllOff()
    {
        const auto lock = tree->lock();
        for (FileNode* node : tree->topLevel())
            EXPECT_EQ(node->state(), FileNode::Off) << node->path().toStdString();
    }

    QTemporaryDir dataHome;
    ScopedEnvironmentVariable data{"XDG_DATA_HOME", QFile::encodeName(dataHome.path())};
    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
    std::shared_ptr<FileTree> tree;
    Controller controller;
    RemovalRecorder recorder;
    std::map<std::string, FileNode*> nodes;
};

TEST_P(RemovalTest, OneItemReportsThirtyThenHundred)
{
    choose({"b"});
    run();
    EXPECT_EQ(recorder.steps, (Steps{{30, "b"}, {100, "b"}}));
    EXPECT_FALSE(exists("b"));
    EXPECT_TRUE(exists("a"));
    EXPECT_EQ(topLevelNames(), (std::vector<std::string>{"box", "c", "a"}));
    expectAllOff();
}

TEST_P(RemovalTest, ThreeItemsReportZeroThirtyThreeSixtySixHundred)
{
    choose({"a", "b", "c"});
    run();
    // Collected in tree order (largest first), each step names the item about to go.
    EXPECT_EQ(recorder.steps, (Steps{{0, "c"}, {33, "b"}, {66, "a"}, {100, "a"}}));
    EXPECT_EQ(topLevelNames(), (std::vector<std::string>{"box"}));
    EXPECT_EQ(recorder.failures, 0);
}

TEST_P(RemovalTest, ChosenFolderGoesWholeAndAChosenChildAloneLeavesItsFolder)
{
    choose({"box/q"});
    run();
    EXPECT_FALSE(exists("box/q"));
    EXPECT_TRUE(exists("box/p"));
    {
        const auto lock = tree->lock();
        EXPECT_EQ(nodes["box"]->state(), FileNode::Off);
        EXPECT_EQ(nodes["box"]->childCount(), 1u);
        // The folder's size follows what is left in it.
        EXPECT_EQ(nodes["box"]->size(), 10u);
    }
    recorder.steps.clear();
    choose({"box"});
    run();
    EXPECT_FALSE(exists("box"));
    EXPECT_EQ(recorder.steps, (Steps{{30, "box"}, {100, "box"}}));
}

TEST_P(RemovalTest, StopLeavesTheRestOnDiskAndOff)
{
    choose({"a", "b", "c"});
    recorder.stopAfter = 0; // stop while the first item is in hand
    run();
    EXPECT_EQ(recorder.steps, (Steps{{0, "c"}, {100, "b"}}));
    EXPECT_FALSE(exists("c"));
    EXPECT_TRUE(exists("b"));
    EXPECT_TRUE(exists("a"));
    EXPECT_EQ(controller.selectAllState(), FileNode::Off);
    expectAllOff();
}

TEST_P(RemovalTest, FailedItemStaysInTheTreeUntickedAndIsReported)
{
    choose({"a", "c"});
    ASSERT_TRUE(QFile::remove(build.qpath("c"))); // gone behind the cleaner's back
    run();
    EXPECT_EQ(recorder.failures, 1);
    EXPECT_TRUE(recorder.firstReason.contains(build.qpath("c")))
        << recorder.firstReason.toStdString();
    EXPECT_EQ(recorder.steps.back().first, 100);
    EXPECT_EQ(topLevelNames(), (std::vector<std::string>{"box", "c", "b"}));
    expectAllOff();
}

TEST_P(RemovalTest, NothingChosenOrNothingScannedDoesNothing)
{
    choose({});
    run();
    EXPECT_TRUE(recorder.steps.empty());
    Controller idle;
    idle.setADelegate(&recorder);
    idle.setRootArr(std::make_shared<FileTree>(folder.path()));
    idle.deleteFilesWithDic();
    idle.waitForRemoval();
    EXPECT_TRUE(recorder.steps.empty());
}

TEST_P(RemovalTest, RemovalFromAPausedScanEndsTheScanFirst)
{
    for (const char* name : {"big1", "big2"}) {
        build.folder(name);
        for (int file = 0; file < 10000; ++file)
            build.file(QByteArray(name) + "/" + QByteArray::number(file), 1);
    }
    tree = std::make_shared<FileTree>(folder.path());
    controller.eumeAllRootFileNodeWithRootArr(tree, folder.path());
    // Held part way, with at least one big folder still to walk.
    while (controller.getProgress() == 0.0f && controller.isScanning())
        std::this_thread::yield();
    Progress::isPause(true);
    ASSERT_TRUE(controller.isScanning());

    run(); // everything found so far is on
    Progress::isPause(false);
    EXPECT_FALSE(controller.isScanning());
    ASSERT_FALSE(recorder.steps.empty());
    EXPECT_EQ(recorder.steps.back().first, 100);
    // What was found is gone, and the stopped scan added nothing afterwards.
    EXPECT_TRUE(topLevelNames().empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, RemovalTest,
                         ::testing::Values(Controller::Removal::MoveToTrash,
                                           Controller::Removal::CompletelyErase),
                         [](const auto& info) {
                             return info.param == Controller::Removal::MoveToTrash ? "Trash"
                                                                                   : "Erase";
                         });

} // namespace

#include "ScannedTree.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/RemovalOutcome.h"
#include "platform/fs/TreeEraser.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QFileInfo>

#include <dirent.h>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace Qt::StringLiterals;

// a (1), b (2), c (3) and box with p (10) and q (20), moved to a private trash or erased.
class RemovalTest : public ::testing::TestWithParam<Controller::Removal>,
                    public ControllerDelegate,
                    protected ScannedTree {
protected:
    void SetUp() override
    {
        controller.setADelegate(this);
        scanItems();
    }
    // A trashed name that is not valid UTF-8 is more than QTemporaryDir can remove.
    void TearDown() override { TreeEraser::erase(dataHome.filePath(u"Trash"_s)); }
    void scanItems()
    {
        scan({{"a", 1}, {"b", 2}, {"c", 3}, {"box/p", 10}, {"box/q", 20}});
        steps.clear();
    }
    void changeRemoveProgressWithPoint(int percent, const QString& path) override
    {
        steps += (steps.isEmpty() ? "" : ",") + QString::number(percent) + u' ' +
                 QFileInfo(path).fileName();
        if (stopAtFirstStep)
            controller.stopRemove();
    }
    void removeFinishedWithOutcome(const RemovalOutcome& finished) override { outcome = finished; }

    void choose(const QString& names)
    {
        controller.selectAllFileNode(false);
        for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
            FileNode* node = nodes.at(name.toStdString());
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
    // "name:size,name:size", "+" on a node still ticked.
    QString topLevel() const
    {
        const auto lock = tree->lock();
        QStringList text;
        for (FileNode* node : tree->topLevel())
            text.append(node->name() + u':' + QString::number(node->size()) +
                        (node->state() == FileNode::Off ? "" : "+"));
        return text.join(u',');
    }

    QTemporaryDir dataHome;
    ScopedEnvironmentVariable data{"XDG_DATA_HOME", QFile::encodeName(dataHome.path())};
    QString steps;
    bool stopAtFirstStep = false;
    RemovalOutcome outcome;
};

TEST_P(RemovalTest, EachStepNamesTheItemAboutToGoAndAStopLeavesTheRest)
{
    const bool erase = GetParam() == Controller::Removal::CompletelyErase;
    const struct {
        const char* chosen;
        bool stop; // while the first item is in hand
        const char* steps;
        const char* left;
        const char* gone;
        const char* eraseSteps = nullptr; // where erasing moves on within an item
    } rows[] = {
        {"a b c", false, "0 c,33 b,66 a,100 a", "box:30", "a b c"},
        // box, p and q: the bar moves on as each of p and q goes, before box itself.
        {"box", false, "30 box,100 box", "c:3,b:2,a:1", "box box/p box/q",
         "30 box,53 box,76 box,100 box"},
        // A chosen child alone leaves its folder, with the size of what is left in it.
        {"box/q", false, "30 q,100 q", "box:10,c:3,b:2,a:1", "box/q"},
        {"a b c", true, "0 c,100 b", "box:30,b:2,a:1", "c"},
        {"", false, "", "box:30,c:3,b:2,a:1", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.chosen) + (row.stop ? " stopped" : ""));
        scanItems();
        choose(QString::fromUtf8(row.chosen));
        stopAtFirstStep = row.stop;
        run();
        EXPECT_EQ(steps, QString::fromUtf8(erase && row.eraseSteps ? row.eraseSteps : row.steps));
        EXPECT_EQ(topLevel(), QString::fromUtf8(row.left));
        const QList<QByteArray> gone = QByteArray(row.gone).split(' ');
        for (const QByteArray name : {"a", "b", "c", "box", "box/p", "box/q"})
            EXPECT_EQ(exists(build.path(name)), !gone.contains(name)) << name.constData();
        EXPECT_TRUE(outcome.failures.empty());
    }
}

TEST_P(RemovalTest, FailedItemStaysInTheTreeUntickedAndIsReported)
{
    choose("a c");
    ASSERT_TRUE(QFile::remove(build.qpath("c"))); // gone behind the cleaner's back
    run();
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_TRUE(outcome.failures[0].reason.contains(build.qpath("c")));
    EXPECT_TRUE(steps.section(u',', -1).startsWith(u"100 ")) << steps.toStdString();
    EXPECT_EQ(topLevel(), u"box:30,c:3,b:2");
}

TEST_P(RemovalTest, TakesWhatTheScanShowedByItsBytesAndNeverASystemPath)
{
    const bool erase = GetParam() == Controller::Removal::CompletelyErase;
    QTemporaryDir lists; // the system list is read once per file name
    const QString list = lists.filePath(u"SystemFile.plist"_s);
    ASSERT_TRUE(writeFile(list, "<plist><dict><key>0</key><string>" + build.path("box/p") +
                                    "</string></dict></plist>"));
    const ScopedEnvironmentVariable systemList{"CORVELLA_SYSTEM_FILE_LIST",
                                               QFile::encodeName(list)};
    build.entries({"bad\xff:4", "late/old:5"}); // not valid UTF-8
    scan({});
    // A download that finishes after the scan, in a folder that is chosen whole.
    ASSERT_TRUE(writeFile(build.path("late/new")));
    run(); // everything was ticked by the scan
    EXPECT_TRUE(outcome.failures.empty()) << outcome.failures.front().reason.toStdString();
    for (const char* name : {"a", "bad\xff", "box/q", "late/old"})
        EXPECT_FALSE(exists(build.path(name))) << name;
    EXPECT_TRUE(exists(build.path("box/p")));
    // Erasing keeps the file the scan never listed and says so; the trash takes the folder whole.
    EXPECT_EQ(exists(build.path("late/new")), erase);
    EXPECT_EQ(outcome.keptUnlisted, erase ? 1 : 0);
    EXPECT_EQ(topLevel(), erase ? u"box:10,late:0"_s : u"box:10"_s);
}

TEST_P(RemovalTest, StopEndsALargeEraseInsideTheFolderAndTheTreeFollowsTheDisk)
{
    if (GetParam() == Controller::Removal::MoveToTrash)
        GTEST_SKIP() << "a move to the trash is one rename, with no inside to stop in";
    build.folder("big");
    for (int file = 0; file < 40000; ++file)
        build.file("big/" + QByteArray::number(file), 3);
    scan({});
    choose("big");
    // The eraser takes a folder's entries in directory order: stop once the 2,000th is gone.
    QByteArray marker;
    DIR* listing = ::opendir(build.path("big").constData());
    for (int seen = 0; const dirent* entry = ::readdir(listing);)
        if (entry->d_name[0] != '.' && ++seen == 2000)
            marker = build.path("big/" + QByteArray(entry->d_name));
    ::closedir(listing);
    controller.deleteFilesWithDic();
    while (exists(marker) && controller.isRemoving())
        std::this_thread::yield();
    controller.stopRemove();
    controller.waitForRemoval();
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.removed, 0);
    EXPECT_TRUE(outcome.failures.empty()) << outcome.failures.front().reason.toStdString();
    const qsizetype left = entriesOf(build.path("big")).size();
    EXPECT_GT(left, 1000);
    EXPECT_LT(left, 40000);
    const auto lock = tree->lock();
    EXPECT_EQ(nodes.at("big")->children().size(), std::size_t(left));
    EXPECT_EQ(nodes.at("big")->size(), std::uint64_t(3 * left));
    EXPECT_EQ(nodes.at("big")->state(), FileNode::Off);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RemovalTest,
                         ::testing::Values(Controller::Removal::MoveToTrash,
                                           Controller::Removal::CompletelyErase),
                         [](const auto& info) {
                             return info.param == Controller::Removal::MoveToTrash ? "Trash"
                                                                                   : "Erase";
                         });

} // namespace

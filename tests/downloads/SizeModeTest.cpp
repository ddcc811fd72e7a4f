#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "downloads/RemovalOutcome.h"
#include "support/SizeFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// The same fixture scanned in each mode gives du's figure for it, the tree's order follows the
// mode, and what an erase reports freed is what the tree listed.
class SizeModeTest : public ::testing::TestWithParam<SizeMode>, public ControllerDelegate {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sizefixture::make(fixture(), 3000));
        controller.setADelegate(this);
    }
    QString fixture() const { return folder.filePath(u"fixture"_s); }
    std::shared_ptr<FileTree> scan(const QString& path)
    {
        Progress::isPause(false);
        auto tree = std::make_shared<FileTree>(path, GetParam());
        controller.eumeAllRootFileNodeWithRootArr(tree, path);
        controller.eumeRoot()->waitUntilDone();
        return tree;
    }
    void removeFinishedWithOutcome(const RemovalOutcome& finished) override { outcome = finished; }

    QTemporaryDir folder;
    Controller controller;
    RemovalOutcome outcome;
};

TEST_P(SizeModeTest, AFolderMeasuresAsDuMeasuresItAndTheFreedFigureIsTheListedOne)
{
    const qint64 expected = sizefixture::du(fixture(), GetParam());
    ASSERT_GT(expected, 0);

    // The fixture as a folder of the scanned one, and as the scanned folder itself.
    const std::shared_ptr<FileTree> parent = scan(folder.path());
    {
        const auto lock = parent->lock();
        ASSERT_EQ(parent->topLevel().size(), 1u);
        EXPECT_EQ(qint64(parent->topLevel().front()->size()), expected);
    }
    const std::shared_ptr<FileTree> tree = scan(fixture());
    EXPECT_EQ(qint64(tree->totalSize()), expected);

    // 3,000 tiny files outweigh the sparse image on disk, and only there.
    FileNode* tiny = nullptr;
    {
        const auto lock = tree->lock();
        QStringList order;
        for (FileNode* node : tree->topLevel()) {
            order.append(node->name());
            if (node->name() == u"tiny"_s)
                tiny = node;
        }
        EXPECT_EQ(order.indexOf(u"tiny"_s) < order.indexOf(u"installer.img"_s),
                  GetParam() == SizeMode::DiskUsage)
            << order.join(u' ').toStdString();
    }
    ASSERT_NE(tiny, nullptr);
    const std::uint64_t listed = tiny->size();
    controller.selectAllFileNode(false);
    controller.clickCheckBoxOfNode(tiny);
    controller.deleteFilesWithDic();
    controller.waitForRemoval();
    EXPECT_EQ(outcome.removed, 1);
    EXPECT_EQ(outcome.bytesFreed, listed);
}

INSTANTIATE_TEST_SUITE_P(Modes, SizeModeTest,
                         ::testing::Values(SizeMode::Apparent, SizeMode::DiskUsage),
                         [](const auto& info) {
                             return info.param == SizeMode::DiskUsage ? "DiskUsage" : "Apparent";
                         });

} // namespace

#include "downloads/Controller.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/SizeFixture.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// The fixture scanned in each mode gives du's figure; the order follows the mode; an erase takes
// out of the sizes (the freed figure) what the tree listed.
class SizeModeTest : public ::testing::TestWithParam<SizeMode> {
protected:
    std::shared_ptr<FileTree> scan(const QString& path)
    {
        Progress::isPause(false);
        auto tree = std::make_shared<FileTree>(path, GetParam());
        controller.eumeAllRootFileNodeWithRootArr(tree, path);
        controller.eumeRoot()->waitUntilDone();
        return tree;
    }
    QTemporaryDir folder;
    Controller controller;
};

TEST_P(SizeModeTest, AFolderMeasuresAsDuMeasuresItAndTheFreedFigureIsTheListedOne)
{
    const QString fixture = folder.filePath(u"fixture"_s);
    ASSERT_TRUE(sizefixture::make(fixture, 3000));
    const qint64 expected = sizefixture::du(fixture, GetParam());
    ASSERT_GT(expected, 0);
    const std::shared_ptr<FileTree> tree = scan(fixture);
    EXPECT_EQ(qint64(tree->totalSize()), expected);

    // 3,000 tiny files outweigh the sparse image on disk, and only there.
    FileNode* tiny = nullptr;
    QStringList order;
    for (const auto lock = tree->lock(); FileNode * node : tree->topLevel()) {
        order.append(node->name());
        tiny = node->name() == u"tiny"_s ? node : tiny;
    }
    EXPECT_EQ(order.indexOf(u"tiny"_s) < order.indexOf(u"installer.img"_s),
              GetParam() == SizeMode::DiskUsage)
        << order.join(u' ').toStdString();
    ASSERT_NE(tiny, nullptr);
    const std::uint64_t listed = tiny->size();
    const std::uint64_t before = tree->totalSize();
    controller.selectAllFileNode(false);
    controller.clickCheckBoxOfNode(tiny);
    controller.deleteFilesWithDic();
    controller.waitForRemoval();
    EXPECT_FALSE(QFileInfo::exists(fixture + u"/tiny"_s));
    EXPECT_EQ(before - tree->totalSize(), listed);
}

INSTANTIATE_TEST_SUITE_P(Modes, SizeModeTest,
                         ::testing::Values(SizeMode::Apparent, SizeMode::DiskUsage),
                         [](const auto& info) {
                             return info.param == SizeMode::DiskUsage ? "DiskUsage" : "Apparent";
                         });

} // namespace

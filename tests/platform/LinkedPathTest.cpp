// Paths through links and "..": every action takes what the kernel resolves, never a text
// cleaning of the path, and touches nothing around it.
#include "platform/FreedesktopTrash.h"
#include "platform/MountTable.h"
#include "platform/NativePath.h"
#include "platform/TrashDirectory.h"
#include "platform/TrashRestorer.h"
#include "platform/TreeEraser.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeSnapshot.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LinkedPath {
    const char* given;    // relative to the work folder
    const char* resolved; // what the kernel makes of it, relative to the work folder
};

void PrintTo(const LinkedPath& row, std::ostream* stream)
{
    *stream << row.given;
}

class LinkedPathTest : public ::testing::TestWithParam<LinkedPath> {
protected:
    void SetUp() override
    {
        // work/link -> sub/inner, so work/link/.. is work/sub; work/sub/up -> ../deep, so
        // work/sub/up/.. is work itself. Text cleaning gets both wrong.
        ASSERT_TRUE(writeFile(work("home/keep.txt"), "the home folder") &&
                    writeFile(work("x"), "bystander") && writeFile(work("sub/x"), "sub x") &&
                    writeFile(work("sub/home/mine.txt"), "sub home") &&
                    writeFile(work("sub/inner/in.txt"), "inner") && writeFile(work("deep/d"), "d"));
        ASSERT_EQ(::symlink("sub/inner", work("link").constData()), 0);
        ASSERT_EQ(::symlink("../deep", work("sub/up").constData()), 0);
    }
    QByteArray work(const QByteArray& relative = {}) const
    {
        return relative.isEmpty() ? QByteArray(m_top + "/work")
                                  : QByteArray(m_top + "/work/" + relative);
    }

    QTemporaryDir m_root{QDir::tempPath() + QStringLiteral("/corvella-linked-XXXXXX")};
    QByteArray m_top = QFile::encodeName(QFileInfo(m_root.path()).canonicalFilePath());
    ScopedEnvironmentVariable m_home{"HOME", work("home")};
    ScopedEnvironmentVariable m_dataHome{"XDG_DATA_HOME", QByteArray(m_top + "/data")};
};

TEST_P(LinkedPathTest, AbsoluteIsWhatTheKernelResolves)
{
    EXPECT_EQ(NativePath::absolute(work(GetParam().given)), work(GetParam().resolved));
}

TEST_P(LinkedPathTest, EraseTakesExactlyTheResolvedEntry)
{
    const auto before = treeSnapshot(work());
    ASSERT_TRUE(before.contains(GetParam().resolved));
    const TreeEraser::Result result = TreeEraser::erase(work(GetParam().given));
    EXPECT_TRUE(result.succeeded()) << result.firstError.toStdString();
    EXPECT_EQ(treeSnapshot(work()), withoutEntry(before, GetParam().resolved));
}

TEST_P(LinkedPathTest, TrashRecordsTheRealPlaceAndRestorePutsItBackThere)
{
    const auto before = treeSnapshot(work());
    const FreedesktopTrash::Result trashed = FreedesktopTrash().moveToTrash(work(GetParam().given));
    ASSERT_TRUE(trashed.succeeded()) << trashed.error.toStdString();
    EXPECT_EQ(treeSnapshot(work()), withoutEntry(before, GetParam().resolved));

    const QByteArray real = work(GetParam().resolved);
    const QByteArray name = NativePath::fileName(real);
    EXPECT_TRUE(readFile(m_top + "/data/Trash/info/" + name + ".trashinfo")
                    .contains(QByteArray("\nPath=" + real.toPercentEncoding("/") + '\n')));
    TrashItems items;
    for (const TrashDirectory& trash : TrashDirectory::findAll(
             QFile::decodeName(m_top + "/data/Trash"), MountTable::standardPath(), ::geteuid()))
        items += trash.list();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first().originalPath, real);
    const TrashRestorer::Result restored = TrashRestorer::restore(items.first());
    EXPECT_TRUE(restored.succeeded()) << restored.message.toStdString();
    EXPECT_EQ(treeSnapshot(work()), before);
}

INSTANTIATE_TEST_SUITE_P(Paths, LinkedPathTest,
                         ::testing::Values(LinkedPath{"link/../home", "sub/home"},
                                           LinkedPath{"link/../x", "sub/x"},
                                           LinkedPath{"link/./../home/", "sub/home"},
                                           LinkedPath{"sub/inner/../../link/../x", "sub/x"},
                                           LinkedPath{"sub/up/../x", "x"},
                                           LinkedPath{"link/../up/../sub//x", "sub/x"},
                                           LinkedPath{"link/../../x", "x"}));

// "Restore as" through a link and "..", and a folder part that does not exist yet: the missing
// folders are made where the kernel resolves their parent.
TEST_F(LinkedPathTest, RestoreAsGoesWhereThePathLeads)
{
    ASSERT_TRUE(FreedesktopTrash().moveToTrash(work("x")).succeeded());
    TrashItems items;
    for (const TrashDirectory& trash : TrashDirectory::findAll(
             QFile::decodeName(m_top + "/data/Trash"), MountTable::standardPath(), ::geteuid()))
        items += trash.list();
    ASSERT_EQ(items.size(), 1);
    const QByteArray destination = NativePath::absolute(work("link/../new/deeper/y"));
    EXPECT_EQ(destination, work("sub/new/deeper/y"));
    EXPECT_TRUE(TrashRestorer::restore(items.first(), destination).succeeded());
    EXPECT_EQ(readFile(work("sub/new/deeper/y")), "bystander");
    EXPECT_FALSE(exists(work("new")));
}

} // namespace

// Paths through links and "..": the guard, erase, trash and restore take what the kernel resolves,
// never a text cleaning, and touch nothing around it. The system list matches whole paths.
#include "downloads/RemovalGuard.h"
#include "downloads/SystemFolder.h"
#include "platform/fs/MountTable.h"
#include "platform/fs/NativePath.h"
#include "platform/fs/TreeEraser.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeSnapshot.h"
#include "trash/FreedesktopTrash.h"
#include "trash/TrashDirectory.h"
#include "trash/TrashRestorer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LinkedPath {
    const char* given;    // relative to the work folder
    const char* resolved; // what the kernel makes of it, relative to the work folder
    const char* refusal;  // "" when it may be removed
};

void PrintTo(const LinkedPath& row, std::ostream* stream)
{
    *stream << row.given;
}

class LinkedPathTest : public ::testing::TestWithParam<LinkedPath> {
protected:
    // work/link -> sub/inner (link/.. is sub), work/sub/up -> ../deep (sub/up/.. is work); the
    // working folder is work/sub/inner/cwd. Text cleaning gets both links wrong.
    void SetUp() override
    {
        for (const char* name : {"home/keep", "x", "sub/x", "sub/home/mine", "sub/inner/cwd/in",
                                 "deep/d", "system.txt"})
            ASSERT_TRUE(writeFile(work(name), name));
        ASSERT_EQ(::symlink("sub/inner", work("link").constData()), 0);
        ASSERT_EQ(::symlink("../deep", work("sub/up").constData()), 0);
        ASSERT_TRUE(writeFile(m_top + "/system.plist",
                              "<plist version=\"1.0\"><dict><key>0</key><string>" +
                                  work("system.txt") + "</string></dict></plist>"));
        ASSERT_TRUE(QDir::setCurrent(QFile::decodeName(work("sub/inner/cwd"))));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }
    QByteArray work(const char* relative) const
    {
        return *relative ? QByteArray(m_top + "/site/" + relative) : QByteArray(m_top + "/site");
    }

    QTemporaryDir m_root;
    QByteArray m_top = QFile::encodeName(QFileInfo(m_root.path()).canonicalFilePath());
    QString m_previous = QDir::currentPath();
    ScopedEnvironmentVariable m_home{"HOME", work("home")};
    ScopedEnvironmentVariable m_dataHome{"XDG_DATA_HOME", QByteArray(m_top + "/data")};
    ScopedEnvironmentVariable m_list{"CORVELLA_SYSTEM_FILE_LIST", m_top + "/system.plist"};
};

TEST_P(LinkedPathTest, EachActionTakesWhatTheKernelResolvesAndNothingElse)
{
    const LinkedPath& row = GetParam();
    const QByteArray path = work(row.given);
    EXPECT_EQ(NativePath::absolute(path), work(row.resolved));
    ASSERT_EQ(RemovalGuard::refusal(path), QString::fromLatin1(row.refusal));
    if (*row.refusal)
        return;
    const auto before = treeSnapshot(work(""));
    const auto without = withoutEntry(before, QString::fromLatin1(row.resolved));
    ASSERT_TRUE(FreedesktopTrash().moveToTrash(path).succeeded());
    EXPECT_EQ(treeSnapshot(work("")), without);
    // Recorded at its real place, and restored there.
    const TrashItems items = TrashDirectory::findAll(QFile::decodeName(m_top + "/data/Trash"),
                                                     MountTable::standardPath(), ::geteuid())
                                 .value(0)
                                 .list();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first().originalPath, work(row.resolved));
    EXPECT_TRUE(TrashRestorer::restore(items.first()).succeeded());
    EXPECT_EQ(treeSnapshot(work("")), before);
    EXPECT_TRUE(TreeEraser::erase(path).succeeded());
    EXPECT_EQ(treeSnapshot(work("")), without);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LinkedPathTest,
    ::testing::Values(
        LinkedPath{"link/../home", "sub/home", ""}, LinkedPath{"link/./../home/", "sub/home", ""},
        LinkedPath{"link/../x", "sub/x", ""}, LinkedPath{"sub/up/../x", "x", ""},
        LinkedPath{"sub/inner/../../link/../x", "sub/x", ""}, LinkedPath{"link/../../x", "x", ""},
        LinkedPath{"sub/up/../home", "home", "it is the home folder"},
        LinkedPath{"link/../../../site", "", "it holds the home folder"},
        LinkedPath{"link/../inner", "sub/inner", "it is or holds the current folder"},
        LinkedPath{"link/../../system.txt", "system.txt", "it is on the system list"},
        LinkedPath{"sub/up/../sub/up/..", "", "it does not name one file or folder"}));

} // namespace

// A scan of "/" lists its folders; none of them is ever removed, however the path is written.
TEST(RemovalGuardTest, TheFoldersInTheRootFolderAreRefused)
{
    for (const QByteArray path : {"/usr", "/tmp", "/usr/../etc", "//var/"})
        EXPECT_EQ(RemovalGuard::refusal(path), QStringLiteral("it is a folder of the system"))
            << path.constData();
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

// The removal guard decides on what the kernel resolves a path to, never on a text cleaning.
#include "downloads/RemovalGuard.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RemovalGuardTest, RefusalsFollowWhatTheKernelResolves)
{
    QTemporaryDir root;
    const QByteArray work = QFile::encodeName(QFileInfo(root.path()).canonicalFilePath()) + "/work";
    // work/link -> sub/inner (work/link/.. is work/sub); work/sub/up -> ../deep (work/sub/up/..
    // is work).
    ASSERT_TRUE(writeFile(work + "/home/keep.txt") && writeFile(work + "/sub/home/mine.txt") &&
                writeFile(work + "/sub/inner/cwd/in.txt") && writeFile(work + "/deep/d") &&
                writeFile(work + "/system.txt") && writeFile(work + "/sub/system.txt"));
    ASSERT_EQ(::symlink("sub/inner", QByteArray(work + "/link").constData()), 0);
    ASSERT_EQ(::symlink("../deep", QByteArray(work + "/sub/up").constData()), 0);
    const QByteArray list = QFile::encodeName(root.filePath(QStringLiteral("system.plist")));
    ASSERT_TRUE(writeFile(list, "<plist version=\"1.0\"><dict><key>0</key><string>" + work +
                                    "/system.txt</string></dict></plist>"));
    const ScopedEnvironmentVariable home("HOME", work + "/home");
    const ScopedEnvironmentVariable systemList("CORVELLA_SYSTEM_FILE_LIST", list);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFile::decodeName(work + "/sub/inner/cwd")));

    const struct {
        const char* path;   // relative to work
        const char* reason; // "" when not refused
    } rows[] = {
        {"link/../home", ""},                        // sub/home
        {"sub/up/../home", "it is the home folder"}, // text cleaning says sub/home
        {"sub/up/../sub/up/../home/", "it is the home folder"},
        {"link/../../../work", "it holds the home folder"},
        {"link/../inner", "it is or holds the current folder"}, // text cleaning says work/inner
        {"sub/up/../sub/up/..", "it does not name one file or folder"},
        {"link/../../system.txt", "it is on the system list"},
        {"link/../system.txt", ""}, // sub/system.txt
        {"sub/up/../link/../..", "it does not name one file or folder"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RemovalGuard::refusal(work + '/' + row.path), QString::fromLatin1(row.reason))
            << row.path;
    }
    // Relative paths resolve from the working folder, as the kernel does.
    EXPECT_EQ(RemovalGuard::refusal("../../up/../home"), QStringLiteral("it is the home folder"));
    EXPECT_EQ(RemovalGuard::refusal("../../../link/../home"), QString());
    QDir::setCurrent(previous);
}

} // namespace

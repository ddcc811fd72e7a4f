#include "platform/fs/TreeEraser.h"

#include "support/AsUser.h"
#include "support/Files.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <atomic>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t nobody = 65534;

int openDescriptorCount()
{
    return int(entriesOf(u"/proc/self/fd"_s).size());
}

// In a child process as `nobody`, so that permission bits apply to root too.
TreeEraser::Result eraseAsNobody(const QString& path)
{
    const QByteArray report =
        runAsUser(nobody, [&path]() -> QByteArray {
            const TreeEraser::Result result = TreeEraser::erase(path);
            return QByteArray::number(result.failures) + '\n' + result.firstError.toUtf8();
        }).value_or("-1\nthe child process failed");
    const qsizetype newline = report.indexOf('\n');
    return {report.left(newline).toInt(), QString::fromUtf8(report.mid(newline + 1)), false};
}

class TreeEraserTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_top + u'/' + relativePath; }
    void write(const QStringList& relativePaths) const
    {
        for (const QString& file : relativePaths)
            ASSERT_TRUE(writeFile(path(file))) << file.toStdString();
    }
    void chmod(const QString& relativePath, mode_t mode) const
    {
        ASSERT_EQ(::chmod(QFile::encodeName(path(relativePath)).constData(), mode), 0);
    }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-erase-XXXXXX"};
    const QString m_top = QFileInfo(m_root.path()).canonicalFilePath();
};

TEST_F(TreeEraserTest, ErasesTreesAndSingleItemsButNothingALinkPointsTo)
{
    write({u"outside/kept.txt"_s, u"outside/folder/deep.txt"_s, u"tree/a.txt"_s, u"tree/.hidden"_s,
           u"tree/.hidden-folder/x"_s, u"tree/one/two/three/four.txt"_s, u"tree/été \n newline"_s,
           u"file.txt"_s});
    ASSERT_TRUE(QDir().mkpath(path(u"tree/empty"_s)) && QDir().mkpath(path(u"empty"_s)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"tree/one/pipe"_s)).constData(), 0600), 0);
    const QString folder = path(u"outside/folder"_s);
    for (const auto& [target, name] : {std::pair{path(u"outside/kept.txt"_s), u"tree/file-link"_s},
                                       {folder, u"tree/one/folder-link"_s},
                                       {u"../.."_s, u"tree/one/two/loop"_s},
                                       {path(u"missing"_s), u"tree/dangling"_s},
                                       {folder, u"link"_s},
                                       {folder, u"slashed"_s}})
        ASSERT_TRUE(QFile::link(target, path(name))) << name.toStdString();
    const int descriptors = openDescriptorCount();

    for (const QString& given : {u"tree"_s, u"file.txt"_s, u"empty"_s, u"link"_s, u"slashed/"_s}) {
        const TreeEraser::Result result = TreeEraser::erase(path(given));
        EXPECT_TRUE(result.succeeded()) << result.firstError.toStdString();
        EXPECT_FALSE(exists(QDir::cleanPath(path(given)))) << given.toStdString();
    }
    EXPECT_EQ(entriesOf(path({})), QStringList{u"outside"_s});
    EXPECT_EQ(entriesOf(path(u"outside"_s)), (QStringList{u"folder"_s, u"kept.txt"_s}));
    EXPECT_TRUE(exists(path(u"outside/folder/deep.txt"_s)));
    EXPECT_EQ(openDescriptorCount(), descriptors) << "every folder descriptor is closed again";
}

TEST_F(TreeEraserTest, FoldersOfTheUsersOwnWithoutPermissionsAreOpenedAndErased)
{
    write({u"tree/locked/inner/file.txt"_s, u"tree/locked/file.txt"_s,
           u"tree/write-only/file.txt"_s});
    chmod(u"tree/locked/inner"_s, 0);
    chmod(u"tree/locked"_s, 0);
    chmod(u"tree/write-only"_s, 0300);
    const bool asRoot = ::geteuid() == 0;
    ASSERT_TRUE(!asRoot || giveTree(path({}), nobody));
    const TreeEraser::Result result =
        asRoot ? eraseAsNobody(path(u"tree"_s)) : TreeEraser::erase(path(u"tree"_s));
    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_FALSE(exists(path(u"tree"_s)));
}

TEST_F(TreeEraserTest, WhatCannotBeRemovedIsReportedAndTheRestIsErased)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make folders in the tree that the erasing user does not own";
    write({u"tree/a.txt"_s, u"tree/sub/b.txt"_s, u"tree/roots/kept.txt"_s,
           u"tree/sealed/kept.txt"_s, u"tree/z.txt"_s});
    chmod(u"tree/sealed"_s, 0700);
    chmod({}, 0755);
    ASSERT_TRUE(giveTree(path(u"tree"_s), nobody, {path(u"tree/roots"_s), path(u"tree/sealed"_s)}));
    const TreeEraser::Result result = eraseAsNobody(path(u"tree"_s));
    EXPECT_EQ(result.failures, 2) << "roots/kept.txt and sealed, not the folders above them";
    EXPECT_TRUE(result.firstError.contains(path(u"tree/roots/kept.txt"_s)) ||
                result.firstError.contains(path(u"tree/sealed"_s)))
        << result.firstError.toStdString();
    EXPECT_EQ(entriesOf(path(u"tree"_s)), (QStringList{u"roots"_s, u"sealed"_s}));
    EXPECT_TRUE(exists(path(u"tree/roots/kept.txt"_s)) && exists(path(u"tree/sealed/kept.txt"_s)));
}

TEST_F(TreeEraserTest, AnotherFileSystemMountedInsideIsLeftAlone)
{
    write({u"tree/a.txt"_s});
    const QByteArray mounted = QFile::encodeName(path(u"tree/mounted"_s));
    ASSERT_TRUE(QDir().mkpath(path(u"tree/mounted"_s)));
    if (::geteuid() != 0 ||
        ::mount("corvella-test", mounted.constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    write({u"tree/mounted/on-tmpfs.txt"_s});
    const TreeEraser::Result result = TreeEraser::erase(path(u"tree"_s));
    const bool survived = exists(path(u"tree/mounted/on-tmpfs.txt"_s));
    ::umount2(mounted.constData(), MNT_DETACH);
    EXPECT_EQ(result.failures, 1);
    EXPECT_TRUE(result.firstError.contains(path(u"tree/mounted"_s)))
        << result.firstError.toStdString();
    EXPECT_TRUE(survived);
    EXPECT_FALSE(exists(path(u"tree/a.txt"_s)));
}

TEST_F(TreeEraserTest, ChainFiveThousandFoldersDeepIsErasedWithFewDescriptors)
{
    TreeBuilder build(path({}));
    build.folder("chain");
    build.chain("chain", 5000, 1);
    ASSERT_TRUE(build.ok()) << build.failure();
    struct rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &previous), 0);
    const struct rlimit tight {
        rlim_t(openDescriptorCount() + 100), previous.rlim_max
    };
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    const TreeEraser::Result result = TreeEraser::erase(path(u"chain"_s));
    ::setrlimit(RLIMIT_NOFILE, &previous);
    EXPECT_TRUE(result.succeeded()) << result.firstError.toStdString();
    EXPECT_FALSE(exists(path(u"chain"_s)));
}

// A stop flag set before the walk counts as a failure too, and nothing is erased.
TEST_F(TreeEraserTest, BadPathsAndAStopAreRefusedAndNothingIsErased)
{
    write({u"kept/file.txt"_s, u"kept/more.txt"_s});
    const std::atomic<bool> stop{true};
    for (const QString& given :
         {path(u"none/gone"_s), QString(), path(u"kept/.."_s), path(u"kept"_s)}) {
        const TreeEraser::Result result =
            TreeEraser::erase(given, given == path(u"kept"_s) ? &stop : nullptr);
        EXPECT_EQ(result.failures, 1) << given.toStdString();
        EXPECT_EQ(result.stopped, given == path(u"kept"_s));
        EXPECT_TRUE(result.firstError.contains(given) && !result.firstError.isEmpty())
            << result.firstError.toStdString();
    }
    EXPECT_EQ(entriesOf(path(u"kept"_s)), (QStringList{u"file.txt"_s, u"more.txt"_s}));
}

} // namespace

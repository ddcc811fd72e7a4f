#include "platform/TreeEraser.h"

#include "support/AsUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

namespace {

// Who the unprivileged cases run as when the tests run as root.
constexpr uid_t unprivilegedUser = 65534;

void writeFile(const QString& path, const QByteArray& content = "content")
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

bool exists(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

int openDescriptorCount()
{
    return int(QDir(u"/proc/self/fd"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// Gives the tree to the user, leaving out the given subtrees (which stay root's).
void giveTree(const QString& root, uid_t user, const QStringList& keptByRoot = {})
{
    namespace fs = std::filesystem;
    const auto give = [user](const fs::path& path) {
        ASSERT_EQ(::lchown(path.c_str(), user, user), 0) << path;
    };
    give(QFile::encodeName(root).toStdString());
    for (auto entry = fs::recursive_directory_iterator(QFile::encodeName(root).toStdString());
         entry != fs::recursive_directory_iterator(); ++entry) {
        if (keptByRoot.contains(QFile::decodeName(entry->path().c_str()))) {
            entry.disable_recursion_pending();
        } else {
            give(entry->path());
        }
    }
}

// Erases path in a child process running as user, so that permission bits apply even when the
// tests run as root.
TreeEraser::Result eraseAs(uid_t user, const QString& path)
{
    const std::optional<QByteArray> report = runAsUser(user, [&path]() -> QByteArray {
        const TreeEraser::Result result = TreeEraser::erase(path);
        return QByteArray::number(result.failures) + '\n' + result.firstError.toUtf8();
    });
    if (!report) {
        return {-1, u"the child process failed"_s, false};
    }
    const qsizetype newline = report->indexOf('\n');
    return {report->left(newline).toInt(), QString::fromUtf8(report->mid(newline + 1)), false};
}

class TreeEraserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }
    QString path(const QString& relativePath) const
    {
        return QFileInfo(m_root.path()).canonicalFilePath() + u'/' + relativePath;
    }
    void link(const QString& target, const QString& relativePath) const
    {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(path(relativePath)).constData()),
                  0);
    }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-erase-XXXXXX"};
};

TEST_F(TreeEraserTest, ErasesAWholeTreeButNothingALinkPointsTo)
{
    writeFile(path(u"outside/kept.txt"_s), "kept");
    writeFile(path(u"outside/folder/deep.txt"_s), "deep");
    for (const QString& file : {u"tree/a.txt"_s, u"tree/.hidden"_s, u"tree/.hidden-folder/x"_s,
                                u"tree/one/two/three/four.txt"_s, u"tree/été \n newline"_s}) {
        writeFile(path(file));
    }
    ASSERT_TRUE(QDir().mkpath(path(u"tree/empty"_s)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"tree/one/pipe"_s)).constData(), 0600), 0);
    link(path(u"outside/kept.txt"_s), u"tree/file-link"_s);
    link(path(u"outside/folder"_s), u"tree/one/folder-link"_s);
    link(u"../.."_s, u"tree/one/two/loop"_s);
    link(path(u"missing"_s), u"tree/dangling"_s);
    const int descriptors = openDescriptorCount();

    const TreeEraser::Result result = TreeEraser::erase(path(u"tree"_s));

    EXPECT_TRUE(result.succeeded()) << result.firstError.toStdString();
    EXPECT_EQ(result.failures, 0);
    EXPECT_FALSE(exists(path(u"tree"_s)));
    EXPECT_EQ(QDir(path(u"outside"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{u"folder"_s, u"kept.txt"_s}));
    EXPECT_TRUE(exists(path(u"outside/folder/deep.txt"_s)));
    EXPECT_EQ(openDescriptorCount(), descriptors) << "every folder descriptor is closed again";
}

struct SingleItemCase {
    const char* description;
    const char* given; // what is passed, relative to the test folder
};

void PrintTo(const SingleItemCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class SingleItemTest : public TreeEraserTest,
                       public ::testing::WithParamInterface<SingleItemCase> {};

TEST_P(SingleItemTest, RemovesTheItemItselfNeverALinksTarget)
{
    writeFile(path(u"target/inside.txt"_s));
    writeFile(path(u"file.txt"_s));
    ASSERT_TRUE(QDir().mkpath(path(u"empty"_s)));
    link(path(u"target"_s), u"link"_s);
    const QString given = path(QString::fromUtf8(GetParam().given));

    const TreeEraser::Result result = TreeEraser::erase(given);

    EXPECT_TRUE(result.succeeded()) << result.firstError.toStdString();
    EXPECT_FALSE(exists(QDir::cleanPath(given)));
    EXPECT_TRUE(exists(path(u"target/inside.txt"_s)));
}

INSTANTIATE_TEST_SUITE_P(Items, SingleItemTest,
                         ::testing::Values(SingleItemCase{"File", "file.txt"},
                                           SingleItemCase{"EmptyFolder", "empty"},
                                           SingleItemCase{"LinkToFolder", "link"},
                                           SingleItemCase{"LinkWithTrailingSlash", "link/"}),
                         [](const ::testing::TestParamInfo<SingleItemCase>& info) {
                             return info.param.description;
                         });

TEST_F(TreeEraserTest, FoldersOfTheUsersOwnWithoutPermissionsAreOpenedAndErased)
{
    writeFile(path(u"tree/locked/inner/file.txt"_s));
    writeFile(path(u"tree/locked/file.txt"_s));
    writeFile(path(u"tree/write-only/file.txt"_s));
    for (const auto& [folder, mode] : {std::pair{u"tree/locked/inner"_s, 0000},
                                       {u"tree/locked"_s, 0000},
                                       {u"tree/write-only"_s, 0300}}) {
        ASSERT_EQ(::chmod(QFile::encodeName(path(folder)).constData(), mode_t(mode)), 0);
    }
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        giveTree(path({}), unprivilegedUser);
    }

    const TreeEraser::Result result =
        asRoot ? eraseAs(unprivilegedUser, path(u"tree"_s)) : TreeEraser::erase(path(u"tree"_s));

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_FALSE(exists(path(u"tree"_s)));
}

TEST_F(TreeEraserTest, WhatCannotBeRemovedIsReportedAndTheRestIsErased)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make folders in the tree that the erasing user does not own";
    }
    writeFile(path(u"tree/a.txt"_s));
    writeFile(path(u"tree/sub/b.txt"_s));
    writeFile(path(u"tree/roots/kept.txt"_s));
    writeFile(path(u"tree/sealed/kept.txt"_s));
    writeFile(path(u"tree/z.txt"_s));
    ASSERT_EQ(::chmod(QFile::encodeName(path(u"tree/sealed"_s)).constData(), 0700), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path({})).constData(), 0755), 0);
    giveTree(path(u"tree"_s), unprivilegedUser, {path(u"tree/roots"_s), path(u"tree/sealed"_s)});

    const TreeEraser::Result result = eraseAs(unprivilegedUser, path(u"tree"_s));

    EXPECT_EQ(result.failures, 2) << "roots/kept.txt and sealed, not the folders above them";
    EXPECT_TRUE(
        result.firstError ==
            u"Cannot erase “%1”: Permission denied."_s.arg(path(u"tree/roots/kept.txt"_s)) ||
        result.firstError == u"Cannot erase “%1”: Permission denied."_s.arg(path(u"tree/sealed"_s)))
        << result.firstError.toStdString();
    EXPECT_TRUE(exists(path(u"tree/roots/kept.txt"_s)));
    EXPECT_TRUE(exists(path(u"tree/sealed/kept.txt"_s)));
    for (const QString& gone : {u"tree/a.txt"_s, u"tree/sub"_s, u"tree/z.txt"_s}) {
        EXPECT_FALSE(exists(path(gone))) << gone.toStdString();
    }
}

TEST_F(TreeEraserTest, AnotherFileSystemMountedInsideIsLeftAlone)
{
    writeFile(path(u"tree/a.txt"_s));
    ASSERT_TRUE(QDir().mkpath(path(u"tree/mounted"_s)));
    if (::geteuid() != 0 ||
        ::mount("corvella-test", QFile::encodeName(path(u"tree/mounted"_s)).constData(), "tmpfs", 0,
                "size=1m") != 0) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    writeFile(path(u"tree/mounted/on-tmpfs.txt"_s));

    const TreeEraser::Result result = TreeEraser::erase(path(u"tree"_s));
    const bool survived = exists(path(u"tree/mounted/on-tmpfs.txt"_s));
    ::umount2(QFile::encodeName(path(u"tree/mounted"_s)).constData(), MNT_DETACH);

    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(result.firstError, u"Cannot erase “%1”: another file system is mounted there."_s.arg(
                                     path(u"tree/mounted"_s)));
    EXPECT_TRUE(survived);
    EXPECT_FALSE(exists(path(u"tree/a.txt"_s)));
}

TEST_F(TreeEraserTest, ChainFiveThousandFoldersDeepIsErasedWithFewDescriptors)
{
    constexpr int depth = 5000;
    int folder = ::open(QFile::encodeName(path({})).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(::mkdirat(folder, "d", 0700), 0) << "at level " << level;
        if (level % 1000 == 0) {
            ::close(::openat(folder, "file", O_CREAT | O_WRONLY, 0600));
        }
        const int next = ::openat(folder, "d", O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = next;
        ASSERT_GE(folder, 0);
    }
    ::close(folder);
    struct rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &previous), 0);
    struct rlimit tight = previous;
    tight.rlim_cur = rlim_t(openDescriptorCount() + 100);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);

    const TreeEraser::Result result = TreeEraser::erase(path(u"d"_s));
    ::setrlimit(RLIMIT_NOFILE, &previous);

    EXPECT_TRUE(result.succeeded()) << result.firstError.toStdString();
    EXPECT_FALSE(exists(path(u"d"_s)));
}

struct RefusalCase {
    const char* description;
    const char* given; // "@" stands for the test folder
    const char* error;
};

void PrintTo(const RefusalCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class EraseRefusalTest : public TreeEraserTest,
                         public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(EraseRefusalTest, BadPathsAreRefusedWithAClearReason)
{
    writeFile(path(u"kept/file.txt"_s));
    const QString base = path({}).chopped(1);
    const QString given = QString::fromUtf8(GetParam().given).replace(u'@', base);

    const TreeEraser::Result result = TreeEraser::erase(given);

    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(result.firstError, QString::fromUtf8(GetParam().error).replace(u'@', base));
    EXPECT_TRUE(exists(path(u"kept/file.txt"_s)));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EraseRefusalTest,
    ::testing::Values(
        RefusalCase{"Missing", "@/gone", "Cannot erase “@/gone”: it does not exist."},
        RefusalCase{"MissingFolder", "@/none/gone",
                    "Cannot erase “@/none/gone”: it does not exist."},
        RefusalCase{"Empty", "", "No item was given to erase."},
        RefusalCase{"Root", "/", "Cannot erase “/”: it does not name one file or folder."},
        RefusalCase{"DotDot", "@/kept/..",
                    "Cannot erase “@/kept/..”: it does not name one file or folder."}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.description; });

TEST_F(TreeEraserTest, StopFlagEndsTheWalkBeforeTheNextEntry)
{
    for (int index = 0; index < 20; ++index) {
        writeFile(path(u"tree/file%1"_s.arg(index)));
    }
    const std::atomic<bool> stop{true};

    const TreeEraser::Result result = TreeEraser::erase(path(u"tree"_s), &stop);

    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(
        result.firstError,
        u"Cannot erase “%1”: erasing was stopped before it was finished."_s.arg(path(u"tree"_s)));
    EXPECT_EQ(QDir(path(u"tree"_s)).entryList(QDir::Files).size(), 20);
}

} // namespace

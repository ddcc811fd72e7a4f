#include "platform/FreedesktopTrash.h"

#include "support/LoopVolume.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

ino_t inodeOf(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

mode_t modeOf(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

bool exists(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

struct TrashInfo {
    QString header;
    QByteArray path;
    QString deletionDate;
};

TrashInfo readTrashInfo(const QString& trashFolder, const QString& name)
{
    const QList<QByteArray> lines =
        readFile(trashFolder + u"/info/" + name + u".trashinfo").split('\n');
    TrashInfo info{QString::fromUtf8(lines.value(0)), {}, {}};
    for (const QByteArray& line : lines) {
        if (line.startsWith("Path=")) {
            info.path = line.mid(5);
        } else if (line.startsWith("DeletionDate=")) {
            info.deletionDate = QString::fromUtf8(line.mid(13));
        }
    }
    return info;
}

class HomeTrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_dataHome.emplace("XDG_DATA_HOME", QFile::encodeName(path(u"data"_s)));
    }
    QString path(const QString& relativePath) const
    {
        return QFileInfo(m_root.path()).canonicalFilePath() + u'/' + relativePath;
    }
    QString trashFolder() const { return path(u"data/Trash"_s); }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-trash-XXXXXX"};
    std::optional<ScopedEnvironmentVariable> m_dataHome;
};

TEST_F(HomeTrashTest, StandardHomeTrashFollowsTheDataHome)
{
    const ScopedEnvironmentVariable home("HOME", QFile::encodeName(path(u"home"_s)));
    EXPECT_EQ(FreedesktopTrash::standardHomeTrash(), trashFolder());
    EXPECT_EQ(FreedesktopTrash().homeTrash(), trashFolder());
    for (const std::optional<QByteArray>& unusable :
         {std::optional<QByteArray>(), std::optional<QByteArray>(""),
          std::optional<QByteArray>("relative/data")}) {
        const ScopedEnvironmentVariable dataHome("XDG_DATA_HOME", unusable);
        EXPECT_EQ(FreedesktopTrash::standardHomeTrash(), path(u"home/.local/share/Trash"_s));
    }
}

struct NameCase {
    const char* name;
    const char* encoded;
};

void PrintTo(const NameCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class TrashedNameTest : public HomeTrashTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(TrashedNameTest, ItemMovesIntoTheHomeTrashWithItsOriginalPathRecorded)
{
    const QString name = QString::fromUtf8(GetParam().name);
    const QString original = path(u"Downloads/"_s + name);
    writeFile(original, "content of " + name.toUtf8());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(original);

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_FALSE(exists(original));
    EXPECT_EQ(result.trashedPath, trashFolder() + u"/files/" + name);
    EXPECT_EQ(readFile(result.trashedPath), "content of " + name.toUtf8());
    const TrashInfo info = readTrashInfo(trashFolder(), name);
    EXPECT_EQ(info.header, u"[Trash Info]");
    EXPECT_EQ(info.path, QFile::encodeName(path(u"Downloads/"_s)) + GetParam().encoded);
    const QDateTime deleted = QDateTime::fromString(info.deletionDate, u"yyyy-MM-dd'T'hh:mm:ss");
    ASSERT_TRUE(deleted.isValid()) << info.deletionDate.toStdString();
    EXPECT_GE(deleted, before);
    EXPECT_LE(deleted, QDateTime::currentDateTime().addSecs(1));
}

INSTANTIATE_TEST_SUITE_P(
    Names, TrashedNameTest,
    ::testing::Values(NameCase{"plain.txt", "plain.txt"},
                      NameCase{"with two spaces.txt", "with%20two%20spaces.txt"},
                      NameCase{"na\u00efve \u65e5\u672c.txt",
                               "na%C3%AFve%20%E6%97%A5%E6%9C%AC.txt"},
                      NameCase{"100% sure #1?.txt", "100%25%20sure%20%231%3F.txt"},
                      NameCase{"line\nbreak", "line%0Abreak"}));

TEST_F(HomeTrashTest, ItemsOfTheSameNameGetDistinctNamesAndNothingIsReplaced)
{
    writeFile(trashFolder() + u"/files/report.pdf.2", "left in the trash without a record");
    for (const QString& folder : {u"a"_s, u"b"_s, u"c"_s}) {
        writeFile(path(folder + u"/report.pdf"), folder.toUtf8());
    }
    const FreedesktopTrash trash;
    QStringList trashed;
    for (const QString& folder : {u"a"_s, u"b"_s, u"c"_s}) {
        const FreedesktopTrash::Result result = trash.moveToTrash(path(folder + u"/report.pdf"));
        ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
        trashed.append(QFileInfo(result.trashedPath).fileName());
        EXPECT_EQ(readFile(result.trashedPath), folder.toUtf8());
        EXPECT_EQ(readTrashInfo(trashFolder(), trashed.last()).path,
                  QFile::encodeName(path(folder + u"/report.pdf")));
    }
    EXPECT_EQ(trashed, (QStringList{u"report.pdf"_s, u"report.pdf.3"_s, u"report.pdf.4"_s}));
    EXPECT_EQ(readFile(trashFolder() + u"/files/report.pdf.2"),
              "left in the trash without a record");
    EXPECT_FALSE(exists(trashFolder() + u"/info/report.pdf.2.trashinfo"));
}

TEST_F(HomeTrashTest, ThreadsTrashingTheSameNameAtOnceEachGetTheirOwnEntry)
{
    constexpr int threadCount = 8;
    for (int index = 0; index < threadCount; ++index) {
        writeFile(path(u"%1/same.txt"_s.arg(index)), QByteArray::number(index));
    }
    const FreedesktopTrash trash;
    std::vector<FreedesktopTrash::Result> results(threadCount);
    std::vector<std::thread> threads;
    for (int index = 0; index < threadCount; ++index) {
        threads.emplace_back(
            [&, index] { results[index] = trash.moveToTrash(path(u"%1/same.txt"_s.arg(index))); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    QSet<QString> names;
    for (int index = 0; index < threadCount; ++index) {
        ASSERT_TRUE(results[index].succeeded()) << results[index].error.toStdString();
        const QString name = QFileInfo(results[index].trashedPath).fileName();
        names.insert(name);
        EXPECT_EQ(readFile(results[index].trashedPath), QByteArray::number(index));
        EXPECT_EQ(readTrashInfo(trashFolder(), name).path,
                  QFile::encodeName(path(u"%1/same.txt"_s.arg(index))));
    }
    EXPECT_EQ(names.size(), threadCount);
    EXPECT_EQ(QDir(trashFolder() + u"/info").entryList(QDir::Files).size(), threadCount);
}

TEST_F(HomeTrashTest, LinkIsTrashedItselfAndItsTargetIsLeftAlone)
{
    writeFile(path(u"target.txt"_s), "target");
    ASSERT_TRUE(QFile::link(path(u"target.txt"_s), path(u"link"_s)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_s), path(u"dangling"_s)));
    const FreedesktopTrash trash;

    for (const QString& link : {u"link"_s, u"dangling"_s}) {
        const FreedesktopTrash::Result result = trash.moveToTrash(path(link));
        ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
        EXPECT_FALSE(exists(path(link)));
        EXPECT_TRUE(QFileInfo(result.trashedPath).isSymLink());
    }
    EXPECT_EQ(QFileInfo(trashFolder() + u"/files/link").symLinkTarget(), path(u"target.txt"_s));
    EXPECT_EQ(readFile(path(u"target.txt"_s)), "target");
}

TEST_F(HomeTrashTest, FolderIsMovedWholeByOneRename)
{
    for (int index = 0; index < 300; ++index) {
        writeFile(path(u"big/sub%1/file.bin"_s.arg(index % 10)) + QString::number(index),
                  QByteArray(1024, 'x'));
    }
    const ino_t folder = inodeOf(path(u"big"_s));
    const ino_t file = inodeOf(path(u"big/sub3/file.bin3"_s));
    EXPECT_EQ(FreedesktopTrash().trashFolderFor(path(u"big"_s)).trashedPath, trashFolder());

    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(path(u"big/"_s));

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_FALSE(exists(path(u"big"_s)));
    EXPECT_EQ(inodeOf(result.trashedPath), folder);
    EXPECT_EQ(inodeOf(result.trashedPath + u"/sub3/file.bin3"), file);
}

TEST_F(HomeTrashTest, MissingDataHomeIsCreatedInsteadOfTrashingIntoTheWorkingFolder)
{
    const ScopedEnvironmentVariable dataHome("XDG_DATA_HOME",
                                             QFile::encodeName(path(u"not/yet/there"_s)));
    writeFile(path(u"work/item.txt"_s), "item");
    const QString previousWorkingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(path(u"work"_s)));

    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(u"item.txt"_s);
    QDir::setCurrent(previousWorkingFolder);

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(result.trashedPath, path(u"not/yet/there/Trash/files/item.txt"_s));
    EXPECT_EQ(modeOf(path(u"not/yet/there"_s)), 0700u);
    EXPECT_EQ(modeOf(path(u"not/yet/there/Trash"_s)), 0700u);
    EXPECT_EQ(QDir(path(u"work"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(HomeTrashTest, OverlongNameIsShortenedAtACharacterBoundary)
{
    QString name;
    for (int index = 0; index < 127; ++index) {
        name.append(u'\u00e9'); // two bytes in UTF-8
    }
    writeFile(path(u"a/"_s + name), "a");
    writeFile(path(u"b/"_s + name), "b");
    const FreedesktopTrash trash;
    for (const QString& folder : {u"a/"_s, u"b/"_s}) {
        const FreedesktopTrash::Result result = trash.moveToTrash(path(folder + name));
        ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
        const QByteArray trashedName = QFile::encodeName(QFileInfo(result.trashedPath).fileName());
        EXPECT_LE(trashedName.size() + 10, 255);
        EXPECT_TRUE(QString::fromUtf8(trashedName).isValidUtf16());
        EXPECT_FALSE(QString::fromUtf8(trashedName).contains(QChar::ReplacementCharacter));
        EXPECT_EQ(QByteArray::fromPercentEncoding(
                      readTrashInfo(trashFolder(), QFile::decodeName(trashedName)).path),
                  QFile::encodeName(path(folder + name)));
    }
}

struct RefusalCase {
    const char* description;
    const char* path; // relative to the test folder; "@" stands for the test folder itself
    const char* reason;
};

void PrintTo(const RefusalCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class TrashRefusalTest : public HomeTrashTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(TrashRefusalTest, RefusesWithAClearReasonAndLeavesNothingBehind)
{
    writeFile(path(u"Downloads/kept.txt"_s), "kept");
    ASSERT_TRUE(FreedesktopTrash().trashFolderFor(path(u"Downloads/kept.txt"_s)).succeeded());
    const QString given = QString::fromUtf8(GetParam().path).replace(u'@', path({}).chopped(1));

    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(given);

    EXPECT_FALSE(result.succeeded());
    EXPECT_TRUE(result.error.contains(QString::fromUtf8(GetParam().reason)))
        << result.error.toStdString();
    if (!given.isEmpty()) {
        EXPECT_TRUE(result.error.startsWith(u"Cannot move “" + given + u"” to the trash: "))
            << result.error.toStdString();
    }
    EXPECT_EQ(readFile(path(u"Downloads/kept.txt"_s)), "kept");
    EXPECT_TRUE(QDir(trashFolder() + u"/info").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, TrashRefusalTest,
    ::testing::Values(
        RefusalCase{"Missing", "@/Downloads/gone.txt", "it does not exist."},
        RefusalCase{"MissingFolder", "@/nowhere/gone.txt", "it does not exist."},
        RefusalCase{"Empty", "", "No item was given to move to the trash."},
        RefusalCase{"Root", "/", "it does not name one file or folder."},
        RefusalCase{"DotDot", "@/Downloads/..", "it does not name one file or folder."},
        RefusalCase{"HoldsTheTrash", "@/data", "it holds the trash folder itself."},
        RefusalCase{"IsTheTrash", "@/data/Trash/", "it holds the trash folder itself."}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.description; });

// As root on ext4, an immutable item cannot be renamed: the failure comes after the record was
// written, and the record must go again.
TEST_F(HomeTrashTest, FailedRenameRemovesTheRecordAgain)
{
    writeFile(path(u"Downloads/fixed.txt"_s), "fixed");
    if (QProcess::execute(u"chattr"_s, {u"+i"_s, path(u"Downloads/fixed.txt"_s)}) != 0) {
        GTEST_SKIP() << "chattr +i is not available here (it needs root and a file system with "
                        "the immutable flag)";
    }
    const FreedesktopTrash::Result result =
        FreedesktopTrash().moveToTrash(path(u"Downloads/fixed.txt"_s));
    QProcess::execute(u"chattr"_s, {u"-i"_s, path(u"Downloads/fixed.txt"_s)});

    EXPECT_EQ(result.error,
              u"Cannot move “%1” to the trash: it cannot be moved into “%2/files” "
              u"(Operation not permitted)."_s.arg(path(u"Downloads/fixed.txt"_s), trashFolder()));
    EXPECT_EQ(readFile(path(u"Downloads/fixed.txt"_s)), "fixed");
    EXPECT_TRUE(QDir(trashFolder() + u"/info").isEmpty());
    EXPECT_TRUE(QDir(trashFolder() + u"/files").isEmpty());
}

// A bind mount shares the device of the home trash, yet rename cannot cross it: the item must
// stay where it is, with a reason, and its record must go again.
TEST_F(HomeTrashTest, ItemBehindABindMountIsRefusedRatherThanCopied)
{
    writeFile(path(u"source/item.txt"_s), "item");
    ASSERT_TRUE(QDir().mkpath(path(u"bound"_s)));
    if (::geteuid() != 0 ||
        ::mount(QFile::encodeName(path(u"source"_s)).constData(),
                QFile::encodeName(path(u"bound"_s)).constData(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "bind mounts need root";
    }
    const FreedesktopTrash::Result result =
        FreedesktopTrash().moveToTrash(path(u"bound/item.txt"_s));
    ::umount2(QFile::encodeName(path(u"bound"_s)).constData(), MNT_DETACH);

    EXPECT_EQ(result.error, u"Cannot move “%1” to the trash: it is on another file system than the "
                            u"trash folder “%2”, and it is not copied there."_s.arg(
                                path(u"bound/item.txt"_s), trashFolder()));
    EXPECT_EQ(readFile(path(u"source/item.txt"_s)), "item");
    EXPECT_TRUE(QDir(trashFolder() + u"/info").isEmpty());
    EXPECT_TRUE(QDir(trashFolder() + u"/files").isEmpty());
}

// A loop volume mounted in a temporary folder, and a data home of the case's own.
class VolumeTrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_dataHome.emplace("XDG_DATA_HOME", QFile::encodeName(m_root.filePath(u"data"_s)));
        const QString why =
            m_volume.mount(m_root.filePath(u"volume.img"_s), m_root.filePath(u"volume"_s));
        if (!why.isEmpty()) {
            GTEST_SKIP() << why.toStdString();
        }
    }

    void TearDown() override
    {
        if (!m_volume.unmount()) {
            ADD_FAILURE() << "the loop volume was busy; detaching it lazily";
        }
    }

    QString volume(const QString& relativePath = {}) const
    {
        const QString top = QFileInfo(m_root.filePath(u"volume"_s)).canonicalFilePath();
        return relativePath.isEmpty() ? top : top + u'/' + relativePath;
    }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-volume-XXXXXX"};
    std::optional<ScopedEnvironmentVariable> m_dataHome;
    LoopVolume m_volume;
};

TEST_F(VolumeTrashTest, ItemsLandInTheVolumesOwnTrashByRenameWithRelativePaths)
{
    writeFile(volume(u"docs/report one.txt"_s), "report");
    writeFile(volume(u"photos/2024/beach.jpg"_s), "beach");
    const FreedesktopTrash trash;
    EXPECT_EQ(trash.trashFolderFor(volume(u"docs/report one.txt"_s)).trashedPath,
              volume(u".Trash-0"_s));

    for (const QString& item : {u"docs/report one.txt"_s, u"photos"_s}) {
        const ino_t inode = inodeOf(volume(item));
        const FreedesktopTrash::Result result = trash.moveToTrash(volume(item));
        ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
        const QString name = QFileInfo(item).fileName();
        EXPECT_EQ(result.trashedPath, volume(u".Trash-0/files/"_s + name));
        EXPECT_EQ(inodeOf(result.trashedPath), inode) << "moved by rename, not copied";
        EXPECT_FALSE(exists(volume(item)));
        EXPECT_EQ(readTrashInfo(volume(u".Trash-0"_s), name).path,
                  QUrl::toPercentEncoding(item, "/"));
    }
    EXPECT_EQ(readTrashInfo(volume(u".Trash-0"_s), u"report one.txt"_s).path,
              "docs/report%20one.txt");
    EXPECT_EQ(readFile(volume(u".Trash-0/files/photos/2024/beach.jpg"_s)), "beach");
    EXPECT_EQ(modeOf(volume(u".Trash-0"_s)), 0700u);
    EXPECT_FALSE(exists(m_root.filePath(u"data"_s))) << "the home trash is not involved";
}

TEST_F(VolumeTrashTest, TheMountPointItselfIsRefused)
{
    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(volume());
    EXPECT_EQ(result.error,
              u"Cannot move “"_s + volume() + u"” to the trash: a volume is mounted there.");
    EXPECT_TRUE(QFileInfo(volume(u"lost+found"_s)).isDir());
}

struct SharedTrashCase {
    const char* description;
    void (*prepare)(const QString& volume);
    const char* expectedTrash;
};

void PrintTo(const SharedTrashCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class SharedTrashTest : public VolumeTrashTest,
                        public ::testing::WithParamInterface<SharedTrashCase> {};

TEST_P(SharedTrashTest, SharedTrashFolderIsUsedOnlyWhenItIsARealStickyFolder)
{
    GetParam().prepare(volume());
    writeFile(volume(u"item.txt"_s), "item");
    const ino_t inode = inodeOf(volume(u"item.txt"_s));
    const QString expectedTrash = volume(QString::fromUtf8(GetParam().expectedTrash));

    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(volume(u"item.txt"_s));

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(result.trashedPath, expectedTrash + u"/files/item.txt");
    EXPECT_EQ(inodeOf(result.trashedPath), inode);
    EXPECT_EQ(readTrashInfo(expectedTrash, u"item.txt"_s).path, "item.txt");
    EXPECT_TRUE(QDir(volume(u"elsewhere"_s)).isEmpty()) << "nothing went through a link";
}

void makeFolder(const QString& path, mode_t mode)
{
    ASSERT_EQ(::mkdir(QFile::encodeName(path).constData(), 0700), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SharedTrashTest,
    ::testing::Values(
        SharedTrashCase{"Sticky", [](const QString& v) { makeFolder(v + u"/.Trash", 01777); },
                        ".Trash/0"},
        SharedTrashCase{"WithoutStickyBit",
                        [](const QString& v) { makeFolder(v + u"/.Trash", 0777); }, ".Trash-0"},
        SharedTrashCase{"LinkToStickyFolder",
                        [](const QString& v) {
                            makeFolder(v + u"/elsewhere", 01777);
                            ASSERT_TRUE(QFile::link(v + u"/elsewhere", v + u"/.Trash"));
                        },
                        ".Trash-0"},
        SharedTrashCase{"File", [](const QString& v) { writeFile(v + u"/.Trash", "x"); },
                        ".Trash-0"},
        SharedTrashCase{"StickyWithLinkedUserFolder",
                        [](const QString& v) {
                            makeFolder(v + u"/.Trash", 01777);
                            makeFolder(v + u"/elsewhere", 0700);
                            ASSERT_TRUE(QFile::link(v + u"/elsewhere", v + u"/.Trash/0"));
                        },
                        ".Trash-0"}),
    [](const ::testing::TestParamInfo<SharedTrashCase>& info) { return info.param.description; });

struct UnusableTrashCase {
    const char* description;
    void (*prepare)(const QString& volume);
    const char* reason; // "@" stands for the volume's top folder
};

void PrintTo(const UnusableTrashCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class UnusableTrashTest : public VolumeTrashTest,
                          public ::testing::WithParamInterface<UnusableTrashCase> {};

TEST_P(UnusableTrashTest, VolumeWithoutAUsableTrashFailsTheItemAndMovesNothing)
{
    GetParam().prepare(volume());
    writeFile(volume(u"item.txt"_s), "item");

    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(volume(u"item.txt"_s));

    EXPECT_EQ(result.error,
              u"Cannot move “%1/item.txt” to the trash: the volume at %1 has no "
              u"usable trash folder (%2)."_s.arg(
                  volume(), QString::fromUtf8(GetParam().reason).replace(u'@', volume())));
    EXPECT_EQ(readFile(volume(u"item.txt"_s)), "item");
    EXPECT_TRUE(QDir(volume(u"elsewhere"_s)).isEmpty());
    EXPECT_FALSE(exists(m_root.filePath(u"data/Trash"_s)));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UnusableTrashTest,
    ::testing::Values(
        UnusableTrashCase{"Link",
                          [](const QString& v) {
                              makeFolder(v + u"/elsewhere", 0700);
                              ASSERT_TRUE(QFile::link(v + u"/elsewhere", v + u"/.Trash-0"));
                          },
                          "“@/.Trash-0” is a symbolic link"},
        UnusableTrashCase{
            "OtherUsersFolder",
            [](const QString& v) {
                makeFolder(v + u"/.Trash-0", 0700);
                ASSERT_EQ(::chown(QFile::encodeName(v + u"/.Trash-0").constData(), 4242, 4242), 0);
            },
            "“@/.Trash-0” belongs to another user"},
        UnusableTrashCase{"WritableByGroup",
                          [](const QString& v) { makeFolder(v + u"/.Trash-0", 0770); },
                          "“@/.Trash-0” can be changed by other users"},
        UnusableTrashCase{"BothUnusable",
                          [](const QString& v) {
                              makeFolder(v + u"/.Trash", 0777);
                              writeFile(v + u"/.Trash-0", "x");
                          },
                          "“@/.Trash” lacks the sticky bit; “@/.Trash-0” is not a folder"}),
    [](const ::testing::TestParamInfo<UnusableTrashCase>& info) { return info.param.description; });

} // namespace

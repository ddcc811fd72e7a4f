#include "trash/FreedesktopTrash.h"

#include "support/Files.h"
#include "support/LoopVolume.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>
#include <optional>
#include <sys/mount.h>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The raw Path= of the item's record, "<no record>" without the header.
QByteArray recordedPath(const QString& trashFolder, const QString& name,
                        QString* deletionDate = nullptr)
{
    const QList<QByteArray> lines =
        readFile(trashFolder + u"/info/" + name + u".trashinfo").split('\n');
    QByteArray path = lines.value(0) == "[Trash Info]" ? QByteArray() : "<no record>";
    for (const QByteArray& line : lines) {
        if (line.startsWith("Path="))
            path += line.mid(5);
        else if (line.startsWith("DeletionDate=") && deletionDate)
            *deletionDate = QString::fromUtf8(line.mid(13));
    }
    return path;
}

QString trashed(const QString& item, const FreedesktopTrash& trash = FreedesktopTrash())
{
    const FreedesktopTrash::Result result = trash.moveToTrash(item);
    EXPECT_TRUE(result.succeeded()) << item.toStdString() << ": " << result.error.toStdString();
    return result.trashedPath;
}

class HomeTrashTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_top + u'/' + relativePath; }
    QString trashFolder() const { return path(u"data/Trash"_s); }
    QString write(const QString& relativePath, const QByteArray& content) const
    {
        EXPECT_TRUE(writeFile(path(relativePath), content)) << relativePath.toStdString();
        return path(relativePath);
    }
    bool trashIsEmpty() const
    {
        return entriesOf(trashFolder() + u"/info").isEmpty() &&
               entriesOf(trashFolder() + u"/files").isEmpty();
    }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-trash-XXXXXX"};
    const QString m_top = QFileInfo(m_root.path()).canonicalFilePath();
    ScopedEnvironmentVariable m_dataHome{"XDG_DATA_HOME", QFile::encodeName(path(u"data"_s))};
};

TEST_F(HomeTrashTest, StandardHomeTrashFollowsTheDataHome)
{
    const ScopedEnvironmentVariable home("HOME", QFile::encodeName(path(u"home"_s)));
    EXPECT_EQ(FreedesktopTrash::standardHomeTrash(), trashFolder());
    EXPECT_EQ(FreedesktopTrash().homeTrash(), trashFolder());
    for (const std::optional<QByteArray>& unusable :
         {std::optional<QByteArray>(), std::optional<QByteArray>("relative/data")}) {
        const ScopedEnvironmentVariable dataHome("XDG_DATA_HOME", unusable);
        EXPECT_EQ(FreedesktopTrash::standardHomeTrash(), path(u"home/.local/share/Trash"_s));
    }
}

TEST_F(HomeTrashTest, ItemMovesIntoTheHomeTrashWithItsOriginalPathRecorded)
{
    const std::pair<QString, QByteArray> names[] = {
        {u"na\u00efve \u65e5\u672c.txt"_s, "na%C3%AFve%20%E6%97%A5%E6%9C%AC.txt"},
        {u"100% sure #1?.txt"_s, "100%25%20sure%20%231%3F.txt"},
        {u"line\nbreak"_s, "line%0Abreak"}};
    for (const auto& [name, encoded] : names) {
        const QString original = write(u"Downloads/"_s + name, "content of " + name.toUtf8());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const QString result = trashed(original);
        EXPECT_FALSE(exists(original));
        EXPECT_EQ(result, trashFolder() + u"/files/" + name);
        EXPECT_EQ(readFile(result), "content of " + name.toUtf8());
        QString date;
        EXPECT_EQ(recordedPath(trashFolder(), name, &date),
                  QFile::encodeName(path(u"Downloads/"_s)) + encoded);
        const QDateTime deleted = QDateTime::fromString(date, u"yyyy-MM-dd'T'hh:mm:ss");
        EXPECT_TRUE(deleted >= before && deleted <= QDateTime::currentDateTime().addSecs(1))
            << date.toStdString();
    }
}

TEST_F(HomeTrashTest, ItemsOfTheSameNameGetDistinctNamesAndNothingIsReplaced)
{
    write(u"data/Trash/files/report.pdf.2"_s, "left in the trash without a record");
    const FreedesktopTrash trash;
    QStringList names;
    for (const QString& folder : {u"a"_s, u"b"_s, u"c"_s}) {
        const QString result = trashed(write(folder + u"/report.pdf", folder.toUtf8()), trash);
        names.append(QFileInfo(result).fileName());
        EXPECT_EQ(readFile(result), folder.toUtf8());
        EXPECT_EQ(recordedPath(trashFolder(), names.last()),
                  QFile::encodeName(path(folder + u"/report.pdf")));
    }
    EXPECT_EQ(names, (QStringList{u"report.pdf"_s, u"report.pdf.3"_s, u"report.pdf.4"_s}));
    EXPECT_EQ(readFile(trashFolder() + u"/files/report.pdf.2"),
              "left in the trash without a record");
    EXPECT_FALSE(exists(trashFolder() + u"/info/report.pdf.2.trashinfo"));
}

TEST_F(HomeTrashTest, ThreadsTrashingTheSameNameAtOnceEachGetTheirOwnEntry)
{
    constexpr int threadCount = 8;
    const FreedesktopTrash trash;
    std::vector<QString> results(threadCount);
    for (int index = 0; index < threadCount; ++index)
        write(u"%1/same.txt"_s.arg(index), QByteArray::number(index));
    {
        std::vector<std::jthread> threads;
        for (int index = 0; index < threadCount; ++index)
            threads.emplace_back(
                [&, index] { results[index] = trashed(path(u"%1/same.txt"_s.arg(index)), trash); });
    }
    for (int index = 0; index < threadCount; ++index) {
        EXPECT_EQ(readFile(results[index]), QByteArray::number(index));
        EXPECT_EQ(recordedPath(trashFolder(), QFileInfo(results[index]).fileName()),
                  QFile::encodeName(path(u"%1/same.txt"_s.arg(index))));
    }
    EXPECT_EQ(entriesOf(trashFolder() + u"/info").size(), threadCount);
}

TEST_F(HomeTrashTest, LinksAndFoldersMoveAsThemselvesByOneRename)
{
    write(u"target.txt"_s, "target");
    ASSERT_TRUE(QFile::link(path(u"target.txt"_s), path(u"link"_s)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_s), path(u"dangling"_s)));
    for (int index = 0; index < 300; ++index)
        write(u"big/sub%1/file.bin%2"_s.arg(index % 10).arg(index), QByteArray(1024, 'x'));
    const ino_t folder = inodeOf(path(u"big"_s));
    const ino_t file = inodeOf(path(u"big/sub3/file.bin3"_s));
    const FreedesktopTrash trash;
    EXPECT_EQ(trash.trashFolderFor(path(u"big"_s)).trashedPath, trashFolder());
    for (const QString& item : {u"link"_s, u"dangling"_s, u"big/"_s}) {
        EXPECT_EQ(QFileInfo(trashed(path(item), trash)).isSymLink(), item != u"big/");
        EXPECT_FALSE(exists(path(item)));
    }
    EXPECT_EQ(QFileInfo(trashFolder() + u"/files/link").symLinkTarget(), path(u"target.txt"_s));
    EXPECT_EQ(readFile(path(u"target.txt"_s)), "target");
    EXPECT_EQ(inodeOf(trashFolder() + u"/files/big"), folder);
    EXPECT_EQ(inodeOf(trashFolder() + u"/files/big/sub3/file.bin3"), file);
}

TEST_F(HomeTrashTest, MissingDataHomeIsCreatedInsteadOfTrashingIntoTheWorkingFolder)
{
    const ScopedEnvironmentVariable dataHome("XDG_DATA_HOME",
                                             QFile::encodeName(path(u"not/yet/there"_s)));
    write(u"work/item.txt"_s, "item");
    const QString previousWorkingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(path(u"work"_s)));
    const QString result = trashed(u"item.txt"_s);
    QDir::setCurrent(previousWorkingFolder);
    EXPECT_EQ(result, path(u"not/yet/there/Trash/files/item.txt"_s));
    EXPECT_EQ(modeOf(path(u"not/yet/there"_s)), 0700u);
    EXPECT_EQ(modeOf(path(u"not/yet/there/Trash"_s)), 0700u);
    EXPECT_EQ(entriesOf(path(u"work"_s)), QStringList());
}

TEST_F(HomeTrashTest, OverlongNameIsShortenedAtACharacterBoundary)
{
    const QString name(127, QChar(u'\u00e9'));
    for (const QString& folder : {u"a/"_s, u"b/"_s}) {
        const QByteArray trashedName =
            QFile::encodeName(QFileInfo(trashed(write(folder + name, "item"))).fileName());
        EXPECT_LE(trashedName.size() + 10, 255);
        EXPECT_FALSE(QString::fromUtf8(trashedName).contains(QChar::ReplacementCharacter));
        EXPECT_EQ(QByteArray::fromPercentEncoding(
                      recordedPath(trashFolder(), QFile::decodeName(trashedName))),
                  QFile::encodeName(path(folder + name)));
    }
}

TEST_F(HomeTrashTest, BadPathsAreRefusedAndNothingIsRecorded)
{
    write(u"Downloads/kept.txt"_s, "kept");
    ASSERT_TRUE(FreedesktopTrash().trashFolderFor(path(u"Downloads/kept.txt"_s)).succeeded());
    for (const QString& given : {path(u"nowhere/gone.txt"_s), QString(), path(u"Downloads/.."_s),
                                 path(u"data/Trash/"_s)}) {
        const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(given);
        EXPECT_FALSE(result.succeeded()) << given.toStdString();
        EXPECT_TRUE(result.error.contains(given)) << result.error.toStdString();
    }
    EXPECT_EQ(readFile(path(u"Downloads/kept.txt"_s)), "kept");
    EXPECT_TRUE(trashIsEmpty());
}

// The bind mount is the same device as the trash, yet rename cannot cross it (EXDEV): no copy.
TEST_F(HomeTrashTest, FailedRenameLeavesTheItemAndNoRecord)
{
    write(u"source/item.txt"_s, "item");
    ASSERT_TRUE(QDir().mkpath(path(u"bound"_s)));
    const QByteArray bound = QFile::encodeName(path(u"bound"_s));
    if (::geteuid() != 0 || ::mount(QFile::encodeName(path(u"source"_s)).constData(),
                                    bound.constData(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "bind mounts need root";
    const FreedesktopTrash::Result behindMount =
        FreedesktopTrash().moveToTrash(path(u"bound/item.txt"_s));
    ::umount2(bound.constData(), MNT_DETACH);
    EXPECT_TRUE(behindMount.error.contains(trashFolder())) << behindMount.error.toStdString();
    EXPECT_EQ(readFile(path(u"source/item.txt"_s)), "item");
    EXPECT_TRUE(trashIsEmpty());
}

class VolumeTrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const QString why = m_volume.mount(m_root.filePath(u"img"_s), m_root.filePath(u"v"_s));
            !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        m_top = QFileInfo(m_root.filePath(u"v"_s)).canonicalFilePath();
    }
    void TearDown() override { EXPECT_TRUE(m_volume.unmount()) << "busy; detached lazily"; }
    QString volume(const QString& relative = {}) const { return m_top + u'/' + relative; }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-volume-XXXXXX"};
    ScopedEnvironmentVariable m_dataHome{"XDG_DATA_HOME",
                                         QFile::encodeName(m_root.filePath(u"data"_s))};
    LoopVolume m_volume;
    QString m_top;
};

TEST_F(VolumeTrashTest, ItemsLandInTheVolumesOwnTrashByRenameWithRelativePaths)
{
    ASSERT_TRUE(writeFile(volume(u"docs/report one.txt"_s), "report"));
    ASSERT_TRUE(writeFile(volume(u"photos/2024/beach.jpg"_s), "beach"));
    const FreedesktopTrash trash;
    EXPECT_EQ(trash.trashFolderFor(volume(u"docs/report one.txt"_s)).trashedPath,
              volume(u".Trash-0"_s));
    for (const QString& item : {u"docs/report one.txt"_s, u"photos"_s}) {
        const ino_t inode = inodeOf(volume(item));
        const QString result = trashed(volume(item), trash);
        EXPECT_EQ(result, volume(u".Trash-0/files/"_s + QFileInfo(item).fileName()));
        EXPECT_EQ(inodeOf(result), inode) << "moved by rename, not copied";
        EXPECT_FALSE(exists(volume(item)));
    }
    EXPECT_EQ(recordedPath(volume(u".Trash-0"_s), u"report one.txt"_s), "docs/report%20one.txt");
    EXPECT_EQ(recordedPath(volume(u".Trash-0"_s), u"photos"_s), "photos");
    EXPECT_EQ(readFile(volume(u".Trash-0/files/photos/2024/beach.jpg"_s)), "beach");
    EXPECT_EQ(modeOf(volume(u".Trash-0"_s)), 0700u);
    EXPECT_FALSE(exists(m_root.filePath(u"data"_s))) << "the home trash is not involved";

    const FreedesktopTrash::Result mountPoint = trash.moveToTrash(m_top);
    EXPECT_TRUE(mountPoint.error.contains(m_top + u"” to the trash: a volume is mounted"))
        << mountPoint.error.toStdString();
    EXPECT_TRUE(QFileInfo(volume(u"lost+found"_s)).isDir());
}

// Steps: "folder NAME MODE", "link NAME TARGET", "file NAME", "owner NAME" (to another user).
void plant(const QString& volume, const QStringList& steps)
{
    for (const QString& step : steps) {
        const QStringList word = step.split(u' ');
        const QByteArray path = QFile::encodeName(volume + u'/' + word[1]);
        if (word[0] == u"folder") {
            ASSERT_TRUE(::mkdir(path, 0700) == 0 && ::chmod(path, word[2].toUInt(nullptr, 8)) == 0);
        } else if (word[0] == u"link") {
            ASSERT_TRUE(QFile::link(volume + u'/' + word[2], volume + u'/' + word[1]));
        } else if (word[0] == u"file") {
            ASSERT_TRUE(writeFile(path, "x"));
        } else {
            ASSERT_EQ(::chown(path, 4242, 4242), 0);
        }
    }
}

struct VolumeFolderCase {
    const char* name;
    QStringList steps;
    const char* trash; // null: none is usable
};

class VolumeTrashFolderTest : public VolumeTrashTest,
                              public ::testing::WithParamInterface<VolumeFolderCase> {};

TEST_P(VolumeTrashFolderTest, OnlyASafeTrashFolderIsUsed)
{
    ASSERT_NO_FATAL_FAILURE(plant(m_top, GetParam().steps));
    ASSERT_TRUE(writeFile(volume(u"item.txt"_s), "item"));
    const ino_t inode = inodeOf(volume(u"item.txt"_s));
    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(volume(u"item.txt"_s));
    EXPECT_EQ(entriesOf(volume(u"elsewhere"_s)), QStringList()) << "nothing went through a link";
    if (!GetParam().trash) {
        EXPECT_TRUE(result.error.contains(volume(u".Trash"_s))) << result.error.toStdString();
        EXPECT_EQ(readFile(volume(u"item.txt"_s)), "item");
        EXPECT_FALSE(exists(m_root.filePath(u"data/Trash"_s)));
        return;
    }
    const QString trash = volume(QString::fromUtf8(GetParam().trash));
    EXPECT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(result.trashedPath, trash + u"/files/item.txt");
    EXPECT_EQ(inodeOf(result.trashedPath), inode);
    EXPECT_EQ(recordedPath(trash, u"item.txt"_s), "item.txt");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, VolumeTrashFolderTest,
    ::testing::Values(
        VolumeFolderCase{"Sticky", {u"folder .Trash 1777"_s}, ".Trash/0"},
        VolumeFolderCase{"WithoutStickyBit", {u"folder .Trash 777"_s}, ".Trash-0"},
        VolumeFolderCase{"LinkToStickyFolder",
                         {u"folder elsewhere 1777"_s, u"link .Trash elsewhere"_s},
                         ".Trash-0"},
        VolumeFolderCase{
            "StickyWithLinkedUserFolder",
            {u"folder .Trash 1777"_s, u"folder elsewhere 700"_s, u"link .Trash/0 elsewhere"_s},
            ".Trash-0"},
        VolumeFolderCase{
            "UserFolderOfAnotherUser", {u"folder .Trash-0 700"_s, u"owner .Trash-0"_s}, nullptr},
        VolumeFolderCase{"UserFolderWritableByGroup", {u"folder .Trash-0 770"_s}, nullptr},
        VolumeFolderCase{"BothUnusable", {u"folder .Trash 777"_s, u"file .Trash-0"_s}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

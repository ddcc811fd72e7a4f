#include "trash/FreedesktopTrash.h"

#include "TrashFixture.h"

#include <sys/mount.h>
#include <thread>
#include <vector>

namespace {

// The raw Path= of the item's record, "<no record>" without the header.
QByteArray recordedPath(const QByteArray& trash, const QByteArray& name)
{
    const QList<QByteArray> lines = readFile(trash + "/info/" + name + ".trashinfo").split('\n');
    QByteArray path = lines.value(0) == "[Trash Info]" ? QByteArray() : "<no record>";
    for (const QByteArray& line : lines) {
        if (line.startsWith("Path="))
            path += line.mid(5);
    }
    return path;
}

// The name the item got in the trash.
QByteArray trashed(const QByteArray& item, const FreedesktopTrash& trash = FreedesktopTrash())
{
    const FreedesktopTrash::Result result = trash.moveToTrash(item);
    EXPECT_TRUE(result.succeeded()) << item.constData() << ": " << result.error.toStdString();
    return QFile::encodeName(QFileInfo(result.trashedPath).fileName());
}

class HomeTrashTest : public TrashFixture {
protected:
    QByteArray write(const QByteArray& relative, const QByteArray& content = "item") const
    {
        EXPECT_TRUE(writeFile(path(relative), content)) << relative.constData();
        return path(relative);
    }
    bool trashIsEmpty() const
    {
        return (entriesOf(homeTrash() + "/info") + entriesOf(homeTrash() + "/files")).isEmpty();
    }
};

// Threads trashing one name at once each get their own entry; a name left in the trash without a
// record is skipped, never replaced.
TEST_F(HomeTrashTest, ItemsOfTheSameNameGetDistinctNamesAndNothingIsReplaced)
{
    write("data/Trash/files/same.txt.2", "left in the trash without a record");
    constexpr int threadCount = 8;
    const FreedesktopTrash trash;
    std::vector<QByteArray> names(threadCount);
    for (int index = 0; index < threadCount; ++index)
        write(QByteArray::number(index) + "/same.txt", QByteArray::number(index));
    {
        std::vector<std::jthread> threads;
        for (int index = 0; index < threadCount; ++index)
            threads.emplace_back([&, index] {
                names[index] = trashed(path(QByteArray::number(index) + "/same.txt"), trash);
            });
    }
    for (int index = 0; index < threadCount; ++index) {
        EXPECT_EQ(readFile(homeTrash() + "/files/" + names[index]), QByteArray::number(index));
        EXPECT_EQ(recordedPath(homeTrash(), names[index]),
                  path(QByteArray::number(index) + "/same.txt"));
    }
    EXPECT_EQ(entriesOf(homeTrash() + "/info").size(), threadCount);
    EXPECT_EQ(readFile(homeTrash() + "/files/same.txt.2"), "left in the trash without a record");
    EXPECT_FALSE(exists(homeTrash() + "/info/same.txt.2.trashinfo"));
}

TEST_F(HomeTrashTest, LinksAndFoldersMoveAsThemselvesByOneRename)
{
    write("target.txt", "target");
    ASSERT_EQ(::symlink(path("target.txt"), path("link")), 0);
    ASSERT_EQ(::symlink(path("nowhere"), path("dangling")), 0);
    for (int index = 0; index < 300; ++index)
        write("big/sub" + QByteArray::number(index % 10) + "/file.bin" + QByteArray::number(index),
              QByteArray(1024, 'x'));
    const ino_t folder = inodeOf(path("big"));
    const ino_t file = inodeOf(path("big/sub3/file.bin3"));
    const FreedesktopTrash trash;
    EXPECT_EQ(trash.trashFolderFor(qpath("big")).trashedPath, QFile::decodeName(homeTrash()));
    for (const char* item : {"link", "dangling", "big/"}) {
        const QByteArray name = trashed(path(item), trash);
        EXPECT_EQ(QFileInfo(QFile::decodeName(homeTrash() + "/files/" + name)).isSymLink(),
                  name != "big");
        EXPECT_FALSE(exists(path(item)));
    }
    EXPECT_EQ(QFileInfo(QFile::decodeName(homeTrash() + "/files/link")).symLinkTarget(),
              qpath("target.txt"));
    EXPECT_EQ(readFile(path("target.txt")), "target");
    EXPECT_EQ(inodeOf(homeTrash() + "/files/big"), folder);
    EXPECT_EQ(inodeOf(homeTrash() + "/files/big/sub3/file.bin3"), file);
}

TEST_F(HomeTrashTest, MissingDataHomeIsCreatedInsteadOfTrashingIntoTheWorkingFolder)
{
    const ScopedEnvironmentVariable dataHome("XDG_DATA_HOME", path("not/yet/there"));
    write("work/item.txt");
    const QString previousWorkingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(qpath("work")));
    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(QByteArray("item.txt"));
    QDir::setCurrent(previousWorkingFolder);
    EXPECT_EQ(result.trashedPath, qpath("not/yet/there/Trash/files/item.txt"));
    EXPECT_EQ(modeOf(path("not/yet/there")), 0700u);
    EXPECT_EQ(modeOf(path("not/yet/there/Trash")), 0700u);
    EXPECT_EQ(entriesOf(path("work")), QStringList());
}

TEST_F(HomeTrashTest, OverlongNameIsShortenedAtACharacterBoundary)
{
    const QByteArray name = QString(127, QChar(u'\u00e9')).toUtf8();
    for (const char* folder : {"a/", "b/"}) {
        const QByteArray trashedName = trashed(write(folder + name));
        EXPECT_LE(trashedName.size() + 10, 255);
        EXPECT_FALSE(QString::fromUtf8(trashedName).contains(QChar::ReplacementCharacter));
        EXPECT_EQ(QByteArray::fromPercentEncoding(recordedPath(homeTrash(), trashedName)),
                  path(QByteArray(folder) + name));
    }
}

// Refused: nothing there, no path, "..", the trash itself, and (as root) an item behind a bind
// mount: the same device as the trash, yet rename cannot cross it (EXDEV), and it is not copied.
TEST_F(HomeTrashTest, BadPathsAreRefusedAndNothingIsRecorded)
{
    write("Downloads/kept.txt", "kept");
    write("source/item.txt");
    ASSERT_TRUE(FreedesktopTrash().trashFolderFor(qpath("Downloads/kept.txt")).succeeded());
    ASSERT_TRUE(QDir().mkpath(qpath("bound")));
    const bool bound =
        ::geteuid() == 0 && ::mount(path("source"), path("bound"), nullptr, MS_BIND, nullptr) == 0;
    QStringList refused{qpath("nowhere/gone.txt"), {}, qpath("Downloads/.."), qpath("data/Trash/")};
    if (bound)
        refused.append(qpath("bound/item.txt"));
    for (const QString& given : refused) {
        const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(given);
        EXPECT_FALSE(result.succeeded()) << given.toStdString();
        EXPECT_TRUE(result.error.contains(given)) << result.error.toStdString();
    }
    ::umount2(path("bound"), MNT_DETACH);
    EXPECT_EQ(readFile(path("Downloads/kept.txt")) + readFile(path("source/item.txt")), "keptitem");
    EXPECT_TRUE(trashIsEmpty());
}

} // namespace

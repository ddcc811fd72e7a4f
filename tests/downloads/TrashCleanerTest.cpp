#include "downloads/TrashCleaner.h"

#include "platform/FreedesktopTrash.h"
#include "platform/MountTable.h"
#include "support/AsUser.h"
#include "support/Files.h"
#include "support/LoopVolume.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>

#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

// Writes the file and answers its size.
qint64 put(const QByteArray& path, const QByteArray& content)
{
    EXPECT_TRUE(writeFile(path, content)) << path.constData();
    return content.size();
}

// One line of a mount table, the mount point escaped as the kernel writes a space.
QByteArray mountLine(int id, QByteArray mountPoint, const QByteArray& type = "ext4")
{
    const QByteArray number = QByteArray::number(id);
    return number + " 1 8:" + number + " / " + mountPoint.replace(" ", "\\040") +
           " rw,relatime shared:" + number + " - " + type + " /dev/sdz rw\n";
}

class TrashCleanerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        writeMountTable({});
    }

    QByteArray path(const QByteArray& relative) const { return m_top + '/' + relative; }
    QByteArray homeTrash() const { return path("data/Trash"); }
    QString mountTable() const { return QFile::decodeName(path("mountinfo")); }
    void writeMountTable(const QByteArrayList& lines) const
    {
        put(path("mountinfo"), lines.join());
    }
    TrashCleaner cleaner() const
    {
        return {QFile::decodeName(homeTrash()), mountTable(), ::geteuid()};
    }
    // An item as FreedesktopTrash leaves it: a file of size bytes in "files" and its record in
    // "info". Answers the bytes both take.
    static qint64 trashFile(const QByteArray& trash, const QByteArray& name, qint64 size)
    {
        TreeBuilder tree(QFile::decodeName(trash));
        tree.folder("files");
        tree.file("files/" + name, std::uint64_t(size));
        EXPECT_TRUE(tree.ok()) << tree.failure();
        return size + put(trash + "/info/" + name + ".trashinfo",
                          "[Trash Info]\nPath=/home/user/" + name +
                              "\nDeletionDate=2024-05-01T10:00:00\n");
    }
    // The trash folder is kept, with "files" and "info" empty and no size cache.
    static void expectEmptied(const QByteArray& trash)
    {
        EXPECT_EQ(entriesOf(trash + "/files"), QStringList()) << trash.constData();
        EXPECT_EQ(entriesOf(trash + "/info"), QStringList()) << trash.constData();
        EXPECT_FALSE(exists(trash + "/directorysizes")) << trash.constData();
    }

    QTemporaryDir m_root{QDir::tempPath() + QStringLiteral("/corvella-trash-clean-XXXXXX")};
    QByteArray m_top = QFile::encodeName(QFileInfo(m_root.path()).canonicalFilePath());
    ScopedEnvironmentVariable m_dataHome{"XDG_DATA_HOME", QByteArray(m_top + "/data")};
};

// Sizes are logical: a hard-linked file counts once, a link its own length; nothing is followed.
TEST_F(TrashCleanerTest, HomeTrashIsEmptiedItsFoldersKeptAndLinkTargetsLeft)
{
    EXPECT_EQ(TrashCleaner::forCurrentUser().homeTrash(), QFile::decodeName(homeTrash()));
    const QByteArray trash = homeTrash();
    TreeBuilder tree(QFile::decodeName(trash));
    qint64 expected = trashFile(trash, "report.txt", 1000);
    expected += trashFile(trash, "empty", 0);
    expected += trashFile(trash, "été \n newline", 5);
    expected += trashFile(trash, "invalid \xff\xfe name", 7);
    tree.folder("files/photos/2024");
    tree.file("files/photos/2024/beach.jpg", 300000);
    tree.file("files/photos/linked", 40);
    expected += 300000 + 40 + put(trash + "/info/photos.trashinfo", "[Trash Info]\n");
    EXPECT_EQ(::link(tree.path("files/photos/linked"), tree.path("files/linked again")), 0);
    tree.chain("files/photos", 200, 11);
    expected += 11;
    put(path("outside/kept.txt"), "kept");
    put(path("outside/folder/deep.txt"), "deep");
    using Link = std::pair<QByteArray, QByteArray>; // target, link
    for (const auto& [target, link] : {Link{path("outside/kept.txt"), "files/to-file"},
                                       Link{path("outside/folder"), "files/photos/to-folder"},
                                       Link{"/nowhere/at/all", "files/dangling"}}) {
        tree.link(target, link);
        expected += target.size();
    }
    expected += put(trash + "/expunged/half-gone/rest", "rest of an item");
    expected += put(trash + "/directorysizes", "16384 1714557600 photos\n");
    ASSERT_TRUE(tree.ok()) << tree.failure();

    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.bytesFreed, expected);
    EXPECT_EQ(result.itemsRemoved, 8);
    EXPECT_EQ(result.trashFolders, 1);
    EXPECT_FALSE(result.stopped);
    expectEmptied(trash);
    EXPECT_EQ(entriesOf(trash), (QStringList{"expunged", "files", "info"}));
    EXPECT_EQ(entriesOf(trash + "/expunged"), QStringList());
    EXPECT_EQ(readFile(path("outside/kept.txt")), "kept");
    EXPECT_EQ(readFile(path("outside/folder/deep.txt")), "deep");

    const TrashCleaner::Result again = cleaner().emptyAll();
    EXPECT_EQ(again.bytesFreed + again.itemsRemoved + again.failures, 0);
}

// A trash whose "info" is a link is not followed there; the rest of the trash is still emptied.
TEST_F(TrashCleanerTest, ATrashFolderThatIsALinkIsLeftAloneAndTheRestGoesOn)
{
    const QByteArray trash = homeTrash();
    put(path("elsewhere/precious.trashinfo"), "precious");
    put(trash + "/files/item", "0123456789");
    ASSERT_EQ(::symlink(path("elsewhere").constData(), QByteArray(trash + "/info").constData()), 0);

    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 1);
    EXPECT_TRUE(result.firstError.contains(QFile::decodeName(trash + "/info")))
        << result.firstError.toStdString();
    EXPECT_EQ(result.bytesFreed, 10);
    EXPECT_EQ(entriesOf(trash + "/files"), QStringList());
    EXPECT_EQ(readFile(path("elsewhere/precious.trashinfo")), "precious");
    EXPECT_TRUE(QFileInfo(QFile::decodeName(trash + "/info")).isSymLink());
}

// The owner of a folder without any permission may still erase it; the cleaner gives the owner
// access first, and counts what was inside. Run as an ordinary user, where permissions apply.
TEST_F(TrashCleanerTest, FoldersWithoutPermissionsAreErased)
{
    TreeBuilder tree(QFile::decodeName(homeTrash()));
    tree.folder("files/locked/inner");
    tree.file("files/locked/data", 123);
    tree.file("files/locked/inner/more", 77);
    ASSERT_TRUE(tree.ok()) << tree.failure();
    ASSERT_EQ(::chmod(tree.path("files/locked/inner"), 0), 0);
    ASSERT_EQ(::chmod(tree.path("files/locked"), 0), 0);
    const bool asRoot = ::geteuid() == 0;
    ASSERT_TRUE(!asRoot || giveTree(QFile::decodeName(m_top), nobody));
    const auto empty = [this]() -> QByteArray {
        const TrashCleaner::Result result = cleaner().emptyAll();
        return QByteArray::number(result.bytesFreed) + " bytes, " +
               QByteArray::number(result.itemsRemoved) + " items. " + result.firstError.toUtf8();
    };
    EXPECT_EQ(asRoot ? runAsUser(nobody, empty) : empty(), "200 bytes, 1 items. ");
    EXPECT_EQ(entriesOf(homeTrash() + "/files"), QStringList());
}

// Volumes come from the mount table; only trash folders that are real folders of the user count,
// and "$topdir/.Trash" only with the sticky bit. Pseudo file systems are not looked into, and a
// volume mounted twice is emptied once.
TEST_F(TrashCleanerTest, OnlyTheVolumesValidTrashFoldersAreEmptied)
{
    const QByteArray uid = QByteArray::number(::geteuid());
    const QByteArray own = path("volumes/own");
    const QByteArray shared = path("volumes/shared space");
    const QByteArray notSticky = path("volumes/not-sticky");
    qint64 expected = trashFile(homeTrash(), "home.txt", 10);
    expected += trashFile(own + "/.Trash-" + uid, "a", 100);
    expected += trashFile(shared + "/.Trash/" + uid, "b", 200);
    trashFile(notSticky + "/.Trash/" + uid, "c", 300);
    trashFile(path("elsewhere/.Trash-" + uid), "d", 400);
    trashFile(path("sticky-elsewhere/" + uid), "e", 500);
    trashFile(path("volumes/proc/.Trash-" + uid), "f", 600);
    TreeBuilder volumes(QFile::decodeName(path("volumes")));
    volumes.folder("linked");
    volumes.link(path("elsewhere/.Trash-" + uid), "linked/.Trash-" + uid);
    volumes.folder("linked-shared");
    volumes.link(path("sticky-elsewhere"), "linked-shared/.Trash");
    ASSERT_TRUE(volumes.ok()) << volumes.failure();
    using Mode = std::pair<QByteArray, mode_t>;
    for (const auto& [folder, mode] :
         {Mode{shared + "/.Trash", 01777}, Mode{notSticky + "/.Trash", 0777},
          Mode{path("sticky-elsewhere"), 01777}})
        ASSERT_EQ(::chmod(folder.constData(), mode), 0) << folder.constData();
    writeMountTable({mountLine(21, own), mountLine(22, shared), mountLine(23, notSticky),
                     mountLine(24, path("volumes/linked")),
                     mountLine(25, path("volumes/linked-shared")),
                     mountLine(26, path("volumes/proc"), "proc"), mountLine(27, own),
                     mountLine(28, path("volumes/gone"))});
    const QByteArrayList emptied{homeTrash(), own + "/.Trash-" + uid, shared + "/.Trash/" + uid};

    QStringList folders;
    for (const QByteArray& trash : emptied)
        folders.append(QFile::decodeName(trash));
    QString error;
    EXPECT_EQ(cleaner().trashFolders(&error), folders);
    EXPECT_EQ(error, QString());
    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.trashFolders, 3);
    EXPECT_EQ(result.itemsRemoved, 3);
    EXPECT_EQ(result.bytesFreed, expected);
    for (const QByteArray& trash : emptied)
        expectEmptied(trash);
    for (const QByteArray& kept : QByteArrayList{notSticky + "/.Trash/" + uid + "/files/c",
                                                 path("elsewhere/.Trash-" + uid + "/files/d"),
                                                 path("sticky-elsewhere/" + uid + "/files/e"),
                                                 path("volumes/proc/.Trash-" + uid + "/files/f")})
        EXPECT_TRUE(exists(kept)) << kept.constData();
}

// As root, a volume trash of the right name that belongs to someone else is not the user's.
TEST_F(TrashCleanerTest, AnotherUsersTrashFolderIsLeftAlone)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    const QByteArray foreign = path("volumes/foreign/.Trash-0");
    trashFile(foreign, "theirs", 10);
    ASSERT_EQ(::chown(foreign.constData(), nobody, nobody), 0);
    writeMountTable({mountLine(30, path("volumes/foreign"))});

    EXPECT_EQ(cleaner().emptyAll().trashFolders, 0); // there is no home trash either
    EXPECT_TRUE(exists(foreign + "/files/theirs"));
}

TEST_F(TrashCleanerTest, AnUnreadableMountTableIsReportedAndTheHomeTrashStillEmptied)
{
    trashFile(homeTrash(), "home.txt", 10);
    const QString missingTable = QFile::decodeName(path("no-such-mountinfo"));

    const TrashCleaner::Result result =
        TrashCleaner(QFile::decodeName(homeTrash()), missingTable, ::geteuid()).emptyAll();

    EXPECT_EQ(result.failures, 1);
    EXPECT_TRUE(result.firstError.contains(missingTable)) << result.firstError.toStdString();
    EXPECT_EQ(result.trashFolders, 1);
    expectEmptied(homeTrash());
}

TEST_F(TrashCleanerTest, AStopBeforeTheFirstEntryLeavesEverything)
{
    trashFile(homeTrash(), "home.txt", 10);
    const std::atomic<bool> stop{true};

    const TrashCleaner::Result result = cleaner().emptyAll(&stop);

    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(result.bytesFreed, 0);
    EXPECT_TRUE(exists(homeTrash() + "/files/home.txt"));
}

TEST(MountTableTest, ParsesOptionalFieldsAndEscapes)
{
    const QList<MountTable::Mount> mounts = MountTable::parse(
        "36 35 98:0 /mnt1 /mnt/a\\040b rw,noatime master:1 - ext3 /dev/root rw,errors=continue\n"
        "37 35 0:5 / /proc rw - proc proc rw\n"
        "not a mount line\n");
    ASSERT_EQ(mounts.size(), 2);
    EXPECT_EQ(mounts.at(0).mountPoint, "/mnt/a b");
    EXPECT_EQ(mounts.at(0).root, "/mnt1");
    EXPECT_EQ(mounts.at(0).fileSystemType, "ext3");
    EXPECT_EQ(mounts.at(0).source, "/dev/root");
    EXPECT_EQ(mounts.at(1).mountPoint, "/proc");
    EXPECT_EQ(mounts.at(1).fileSystemType, "proc");
}

// A loop volume mounted at "volume" in the case's folder (as root), whose ".Trash-0" is root's.
class LoopVolumeTest : public TrashCleanerTest {
protected:
    void SetUp() override
    {
        TrashCleanerTest::SetUp();
        const QString why =
            m_volume.mount(QFile::decodeName(path("volume.img")), QFile::decodeName(volume()));
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
    }
    void TearDown() override
    {
        for (const QByteArray& file : m_immutable)
            runCommand(QStringLiteral("chattr"), {QStringLiteral("-i"), QFile::decodeName(file)});
        EXPECT_TRUE(m_volume.unmount()) << "the loop volume was busy; detached lazily";
    }
    QByteArray volume(const QByteArray& relative = {}) const
    {
        return relative.isEmpty() ? path("volume") : path("volume/" + relative);
    }

    LoopVolume m_volume;
    QByteArrayList m_immutable;
};

// The process's real mount table leads to the volume's ".Trash-0", made by moving items to the
// trash. Every other trash folder the table leads to must be empty already, or the case would
// touch trash that is not its own.
TEST_F(LoopVolumeTest, TheVolumesTrashIsFoundInTheProcessMountTableAndEmptied)
{
    put(volume("docs/report one.txt"), QByteArray(1234, 'r'));
    put(volume("photos/2024/beach.jpg"), QByteArray(4321, 'b'));
    const FreedesktopTrash trash(QFile::decodeName(homeTrash()));
    for (const char* item : {"docs/report one.txt", "photos"}) {
        const FreedesktopTrash::Result moved = trash.moveToTrash(QFile::decodeName(volume(item)));
        ASSERT_TRUE(moved.succeeded()) << moved.error.toStdString();
    }
    const QByteArray volumeTrash = volume(".Trash-0");
    qint64 expected = 1234 + 4321;
    for (const QString& record : entriesOf(volumeTrash + "/info"))
        expected += QFileInfo(QFile::decodeName(volumeTrash + "/info/") + record).size();
    const TrashCleaner cleaner(QFile::decodeName(homeTrash()), MountTable::standardPath(), 0);
    const QStringList folders = cleaner.trashFolders();
    ASSERT_TRUE(folders.contains(QFile::decodeName(volumeTrash)))
        << folders.join(',').toStdString();
    for (const QString& folder : folders) {
        for (const char* part : {"/files", "/info", "/expunged"}) {
            if (folder != QFile::decodeName(volumeTrash) && !entriesOf(folder + part).isEmpty())
                GTEST_SKIP() << "the trash folder " << folder.toStdString()
                             << " of this machine is not empty; emptying it would touch it";
        }
    }

    const TrashCleaner::Result result = cleaner.emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.itemsRemoved, 2);
    EXPECT_EQ(result.bytesFreed, expected);
    EXPECT_EQ(result.trashFolders, folders.size());
    expectEmptied(volumeTrash);
    EXPECT_TRUE(QFileInfo(QFile::decodeName(volume("docs"))).isDir());
}

// An immutable file cannot be removed: it is reported, stays, and does not count as freed, while
// the rest of that trash and the next trash are emptied.
TEST_F(LoopVolumeTest, AFailureInOneTrashDoesNotStopTheOthers)
{
    const QByteArray firstTrash = volume("home/.local/share/Trash");
    const QByteArray volumeTrash = volume(".Trash-0");
    qint64 expected = trashFile(firstTrash, "free.txt", 100);
    expected += trashFile(firstTrash, "fixed.txt", 50) - 50; // its record goes
    expected += trashFile(volumeTrash, "other.txt", 200);
    const QByteArray fixed = firstTrash + "/files/fixed.txt";
    if (runCommand(QStringLiteral("chattr"), {QStringLiteral("+i"), QFile::decodeName(fixed)})
            .exitCode != 0)
        GTEST_SKIP() << "chattr +i is not available here";
    m_immutable.append(fixed);
    writeMountTable({mountLine(40, volume())});

    const TrashCleaner::Result result =
        TrashCleaner(QFile::decodeName(firstTrash), mountTable(), 0).emptyAll();

    EXPECT_EQ(result.trashFolders, 2);
    EXPECT_EQ(result.failures, 1);
    EXPECT_TRUE(result.firstError.contains(QFile::decodeName(fixed)))
        << result.firstError.toStdString();
    EXPECT_EQ(result.itemsRemoved, 2);
    EXPECT_EQ(result.bytesFreed, expected);
    EXPECT_EQ(entriesOf(firstTrash + "/files"), QStringList{"fixed.txt"});
    expectEmptied(volumeTrash);
}

} // namespace

#include "trash/TrashCleaner.h"

#include "TrashFixture.h"
#include "platform/fs/MountTable.h"
#include "support/AsUser.h"
#include "support/TreeBuilder.h"
#include "trash/FreedesktopTrash.h"
#include "trash/TrashDirectory.h"
#include "trash/TrashRestorer.h"

#include <QScopeGuard>

#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

qint64 put(const QByteArray& path, const QByteArray& content)
{
    EXPECT_TRUE(writeFile(path, content)) << path.constData();
    return content.size();
}

// "bytes/items/failures/trash folders", "+stop" when stopped.
QByteArray outcome(const TrashCleaner::Result& result)
{
    return QByteArray::number(result.bytesFreed) + '/' + QByteArray::number(result.itemsRemoved) +
           '/' + QByteArray::number(result.failures) + '/' +
           QByteArray::number(result.trashFolders) + (result.stopped ? "+stop" : "");
}
QByteArray outcome(qint64 bytes, int items, int failures, qsizetype folders)
{
    return outcome({bytes, items, failures, {}, int(folders), false});
}

QByteArray mountLine(int id, QByteArray mountPoint, const QByteArray& type = "ext4")
{
    const QByteArray number = QByteArray::number(id);
    return number + " 1 8:" + number + " / " + mountPoint.replace(" ", "\\040") +
           " rw,relatime shared:" + number + " - " + type + " /dev/sdz rw\n";
}

class TrashCleanerTest : public TrashFixture {
protected:
    void SetUp() override { put(path("mountinfo"), {}); }
    QString mountTable() const { return QFile::decodeName(path("mountinfo")); }
    TrashCleaner cleaner() const
    {
        return {QFile::decodeName(homeTrash()), mountTable(), ::geteuid()};
    }
    // The item's size: only items count in what is freed, not their records.
    static qint64 trashFile(const QByteArray& trash, const QByteArray& name, qint64 size)
    {
        put(trash + "/info/" + name + ".trashinfo",
            "[Trash Info]\nPath=/home/user/" + name + "\nDeletionDate=2024-05-01T10:00:00\n");
        return put(trash + "/files/" + name, QByteArray(size, 'x'));
    }
    static void expectEmptied(const QByteArray& trash)
    {
        EXPECT_EQ(entriesOf(trash + "/files") + entriesOf(trash + "/info"), QStringList())
            << trash.constData();
        EXPECT_FALSE(exists(trash + "/directorysizes")) << trash.constData();
    }
};

// Sizes are the items' lengths (the cleaner's default mode): each name of a hard link counts, a
// link its own length; records and caches do not count; nothing is followed. The owner erases
// folders without permissions too (run as a user, where permissions apply).
TEST_F(TrashCleanerTest, HomeTrashIsEmptiedItsFoldersKeptAndLinkTargetsLeft)
{
    EXPECT_EQ(TrashCleaner::forCurrentUser().homeTrash(), QFile::decodeName(homeTrash()));
    const QByteArray trash = homeTrash();
    TreeBuilder tree(QFile::decodeName(trash));
    qint64 expected = trashFile(trash, "report.txt", 1000);
    expected += trashFile(trash, "empty", 0);
    expected += trashFile(trash, "été \n newline", 5);
    expected += trashFile(trash, "invalid \xff\xfe name", 7);
    tree.entries({"files/photos/2024/beach.jpg:300000", "files/photos/linked:40"});
    put(trash + "/info/photos.trashinfo", "[Trash Info]\n");
    expected += 300000 + 40 + 40; // "linked again" is another name of "photos/linked"
    EXPECT_EQ(::link(tree.path("files/photos/linked"), tree.path("files/linked again")), 0);
    tree.chain("files/photos", 200, 11);
    tree.entries({"files/locked/data:123", "files/locked/inner/more:77"});
    expected += 11 + 200;
    put(path("outside/kept.txt"), "kept");
    put(path("outside/folder/deep.txt"), "deep");
    using Link = std::pair<QByteArray, QByteArray>; // target, link
    for (const auto& [target, link] : {Link{path("outside/kept.txt"), "files/to-file"},
                                       Link{path("outside/folder"), "files/photos/to-folder"},
                                       Link{"/nowhere/at/all", "files/dangling"}}) {
        tree.link(target, link);
        expected += target.size();
    }
    put(trash + "/expunged/half-gone/rest", "rest of an item");
    put(trash + "/directorysizes", "16384 1714557600 photos\n");
    ASSERT_TRUE(tree.ok()) << tree.failure();
    ASSERT_TRUE(::chmod(tree.path("files/locked/inner"), 0) == 0 &&
                ::chmod(tree.path("files/locked"), 0) == 0);
    const bool asRoot = ::geteuid() == 0;
    ASSERT_TRUE(!asRoot || giveTree(QFile::decodeName(m_top), nobody));
    const auto empty = [this, asRoot] {
        const auto work = [this]() -> QByteArray {
            const TrashCleaner::Result result = cleaner().emptyAll();
            return outcome(result) + result.firstError.toUtf8();
        };
        return asRoot ? runAsUser(nobody, work) : work();
    };
    EXPECT_EQ(empty(), outcome(expected, 9, 0, 1));
    expectEmptied(trash);
    EXPECT_EQ(entriesOf(trash) + entriesOf(trash + "/expunged"),
              (QStringList{"expunged", "files", "info"}));
    EXPECT_EQ(readFile(path("outside/kept.txt")) + readFile(path("outside/folder/deep.txt")),
              "keptdeep");
    EXPECT_EQ(empty(), outcome(0, 0, 0, 1));
}

// A stop leaves everything. An unreadable mount table is reported; a trash folder that is a link
// is a failure too, its target left alone, and the rest goes on.
TEST_F(TrashCleanerTest, AStopLeavesEverythingAndFailuresAreReportedWhileTheRestGoesOn)
{
    const qint64 bytes = trashFile(homeTrash(), "home.txt", 10);
    const std::atomic<bool> stop{true};
    const QString missing = qpath("no-such-mountinfo");
    const TrashCleaner::Result stopped =
        TrashCleaner(QFile::decodeName(homeTrash()), missing, ::geteuid()).emptyAll(&stop);
    EXPECT_EQ(outcome(stopped), outcome(0, 0, 2, 1) + "+stop");
    EXPECT_TRUE(stopped.firstError.contains(missing)) << stopped.firstError.toStdString();
    EXPECT_TRUE(exists(homeTrash() + "/files/home.txt"));

    const QByteArray info = homeTrash() + "/info";
    ASSERT_EQ(::rename(info, path("elsewhere")), 0);
    ASSERT_EQ(::symlink(path("elsewhere"), info), 0);
    const TrashCleaner::Result result = cleaner().emptyAll();
    EXPECT_EQ(outcome(result), outcome(bytes, 1, 1, 1));
    EXPECT_TRUE(result.firstError.contains(qpath("data/Trash/info")))
        << result.firstError.toStdString();
    EXPECT_EQ(entriesOf(homeTrash() + "/files"), QStringList());
    EXPECT_EQ(entriesOf(path("elsewhere")), QStringList{"home.txt.trashinfo"});
    EXPECT_TRUE(QFileInfo(qpath("data/Trash/info")).isSymLink());
}

// Only real trash folders of the user count, "$topdir/.Trash" only when sticky; pseudo file
// systems are skipped, a volume mounted twice emptied once. As root, "foreign" is another user's.
TEST_F(TrashCleanerTest, OnlyTheVolumesValidTrashFoldersAreEmptied)
{
    const QByteArray uid = QByteArray::number(::geteuid());
    const bool asRoot = ::geteuid() == 0;
    const struct {
        QByteArray trash;
        bool emptied;
    } trashes[] = {{homeTrash(), true},
                   {path("volumes/own/.Trash-" + uid), true},
                   {path("volumes/shared space/.Trash/" + uid), true},
                   {path("volumes/not-sticky/.Trash/" + uid), false},
                   {path("elsewhere/.Trash-" + uid), false}, // reached through a link
                   {path("sticky-elsewhere/" + uid), false}, // reached through a link
                   {path("volumes/proc/.Trash-" + uid), false},
                   {path("volumes/foreign/.Trash-" + uid), !asRoot}};
    qint64 expected = 0;
    QStringList folders;
    for (const auto& [trash, emptied] : trashes) {
        const qint64 bytes = trashFile(trash, "item", 100);
        expected += emptied ? bytes : 0;
        if (emptied)
            folders.append(QFile::decodeName(trash));
    }
    TreeBuilder volumes(QFile::decodeName(path("volumes")));
    volumes.entries({"linked/", "linked/.Trash-" + uid + '>' + path("elsewhere/.Trash-" + uid),
                     "linked-shared/", "linked-shared/.Trash>" + path("sticky-elsewhere")});
    ASSERT_TRUE(volumes.ok()) << volumes.failure();
    ASSERT_TRUE(!asRoot ||
                ::chown(path("volumes/foreign/.Trash-0").constData(), nobody, nobody) == 0);
    for (const auto& [folder, mode] :
         {std::pair{"volumes/shared space/.Trash", 01777},
          std::pair{"volumes/not-sticky/.Trash", 0777}, std::pair{"sticky-elsewhere", 01777}})
        ASSERT_EQ(::chmod(path(folder).constData(), mode_t(mode)), 0) << folder;
    QByteArrayList table;
    for (const char* volume :
         {"own", "shared space", "not-sticky", "linked", "linked-shared", "own", "gone", "foreign"})
        table.append(mountLine(int(table.size()) + 21, path("volumes/" + QByteArray(volume))));
    table.append(mountLine(30, path("volumes/proc"), "proc"));
    put(path("mountinfo"), table.join());
    QString error;
    EXPECT_EQ(cleaner().trashFolders(&error), folders);
    EXPECT_EQ(error, QString());
    const TrashCleaner::Result result = cleaner().emptyAll();
    EXPECT_EQ(outcome(result), outcome(expected, int(folders.size()), 0, folders.size()))
        << result.firstError.toStdString();
    for (const auto& [trash, emptied] : trashes) {
        if (emptied)
            expectEmptied(trash);
        else
            EXPECT_TRUE(exists(trash + "/files/item")) << trash.constData();
    }
}

using LoopVolumeTest = WithLoopVolume<TrashCleanerTest>;

// Items on the volume go by rename into its own ".Trash-0" with paths relative to its top, the
// home trash not involved; the process's real mount table leads the listing (trash-list's too),
// restoring and the cleaner there. Every other trash folder it leads to must be empty already, or
// the case would touch trash not its own.
TEST_F(LoopVolumeTest, ItemsLandInTheVolumesOwnTrashWhichTheRealMountTableLeadsTo)
{
    const QByteArray volumeTrash = volume(".Trash-0");
    const TrashCleaner cleaner(QFile::decodeName(homeTrash()), MountTable::standardPath(), 0);
    for (const QString& folder : cleaner.trashFolders()) {
        for (const char* part : {"/files", "/info", "/expunged"}) {
            if (!entriesOf(folder + part).isEmpty())
                GTEST_SKIP() << "the trash folder " << folder.toStdString()
                             << " of this machine is not empty; emptying it would touch it";
        }
    }
    put(volume("docs/report one.txt"), QByteArray(1234, 'r'));
    put(volume("photos/2024/beach.jpg"), QByteArray(4321, 'b'));
    const FreedesktopTrash trash(QFile::decodeName(homeTrash()));
    for (const auto& [item, name, record] :
         {std::tuple{"docs/report one.txt", "report one.txt", "\nPath=docs/report%20one.txt\n"},
          std::tuple{"photos", "photos", "\nPath=photos\n"}}) {
        const ino_t inode = inodeOf(volume(item));
        const FreedesktopTrash::Result moved = trash.moveToTrash(volume(item));
        ASSERT_TRUE(moved.succeeded()) << moved.error.toStdString();
        EXPECT_FALSE(exists(volume(item)));
        EXPECT_EQ(inodeOf(volumeTrash + "/files/" + name), inode) << "moved by rename";
        EXPECT_TRUE(readFile(volumeTrash + "/info/" + name + ".trashinfo").contains(record));
    }
    EXPECT_EQ(modeOf(volumeTrash), 0700u);
    EXPECT_FALSE(exists(homeTrash())) << "the home trash is not involved";
    const FreedesktopTrash::Result mountPoint = trash.moveToTrash(path("volume"));
    EXPECT_TRUE(mountPoint.error.contains(qpath("volume") + u"” to the trash: a volume is mounted"))
        << mountPoint.error.toStdString();
    EXPECT_TRUE(QFileInfo(QFile::decodeName(volume("lost+found"))).isDir());

    const ToolOutcome peer = runCommand(QStringLiteral("trash-list"), {});
    EXPECT_TRUE(peer.output.contains(QFile::decodeName(volume("docs/report one.txt"))))
        << peer.output.toStdString();
    for (const TrashDirectory& folder :
         TrashDirectory::findAll(QFile::decodeName(homeTrash()), MountTable::standardPath(), 0)) {
        for (const TrashItem& item : folder.list()) {
            EXPECT_TRUE(item.originalPath != volume("photos") ||
                        TrashRestorer::restore(item).succeeded());
        }
    }
    EXPECT_EQ(readFile(volume("photos/2024/beach.jpg")).size(), 4321);
    const QStringList folders = cleaner.trashFolders();
    const TrashCleaner::Result result = cleaner.emptyAll();
    EXPECT_EQ(outcome(result), outcome(1234, 1, 0, folders.size()))
        << result.firstError.toStdString();
    EXPECT_TRUE(folders.contains(QFile::decodeName(volumeTrash)))
        << folders.join(',').toStdString();
    expectEmptied(volumeTrash);
    EXPECT_TRUE(QFileInfo(QFile::decodeName(volume("docs"))).isDir());
}

TEST_F(LoopVolumeTest, AFailureInOneTrashDoesNotStopTheOthers)
{
    const QByteArray firstTrash = volume("home/.local/share/Trash");
    const QByteArray volumeTrash = volume(".Trash-0");
    qint64 expected = trashFile(firstTrash, "free.txt", 100);
    trashFile(firstTrash, "fixed.txt", 50); // it stays, and so does its record
    expected += trashFile(volumeTrash, "other.txt", 200);
    const QByteArray fixed = firstTrash + "/files/fixed.txt";
    if (runCommand(QStringLiteral("chattr"), {QStringLiteral("+i"), QFile::decodeName(fixed)})
            .exitCode != 0)
        GTEST_SKIP() << "chattr +i is not available here";
    const auto mutableAgain = qScopeGuard([&fixed] {
        runCommand(QStringLiteral("chattr"), {QStringLiteral("-i"), QFile::decodeName(fixed)});
    });
    put(path("mountinfo"), mountLine(40, path("volume")));
    const TrashCleaner::Result result =
        TrashCleaner(QFile::decodeName(firstTrash), mountTable(), 0).emptyAll();
    EXPECT_EQ(outcome(result), outcome(expected, 2, 1, 2));
    EXPECT_TRUE(result.firstError.contains(QFile::decodeName(fixed)))
        << result.firstError.toStdString();
    EXPECT_EQ(entriesOf(firstTrash + "/files"), QStringList{"fixed.txt"});
    EXPECT_EQ(entriesOf(firstTrash + "/info"), QStringList{"fixed.txt.trashinfo"});
    expectEmptied(volumeTrash);
}

} // namespace

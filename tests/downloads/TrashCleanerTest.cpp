#include "downloads/TrashCleaner.h"

#include "platform/FreedesktopTrash.h"
#include "platform/MountTable.h"
#include "support/AsUser.h"
#include "support/LoopVolume.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
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

bool exists(const QByteArray& path)
{
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

// Every name in the folder, hidden ones included; a missing folder gives "<missing>".
QStringList entriesOf(const QByteArray& folder)
{
    const QString path = QFile::decodeName(folder);
    if (!QFileInfo(path).isDir()) {
        return {u"<missing>"_s};
    }
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot);
}

qint64 sizeOf(const QByteArray& path)
{
    return QFileInfo(QFile::decodeName(path)).size();
}

// Whether anything is in the trash folder's "files", "info" or "expunged", or a size cache.
bool holdsAnything(const QByteArray& trash)
{
    for (const char* const folder : {"/files", "/info", "/expunged"}) {
        if (QFileInfo(QFile::decodeName(trash + folder)).isDir() &&
            !entriesOf(trash + folder).isEmpty()) {
            return true;
        }
    }
    return exists(trash + "/directorysizes");
}

QByteArray readFile(const QByteArray& path)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes content and answers its size.
qint64 writeFile(const QByteArray& path, const QByteArray& content)
{
    QFile file(QFile::decodeName(path));
    EXPECT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.constData();
    EXPECT_EQ(file.write(content), content.size());
    return content.size();
}

// One line of a mount table, with the mount point escaped as the kernel writes it.
QByteArray mountLine(int id, const QByteArray& mountPoint, const QByteArray& type = "ext4")
{
    QByteArray escaped;
    for (const char character : mountPoint) {
        if (character == ' ' || character == '\t' || character == '\n' || character == '\\') {
            escaped += '\\' + QByteArray::number(int(uchar(character)), 8).rightJustified(3, '0');
        } else {
            escaped += character;
        }
    }
    return QByteArray::number(id) + " 1 8:" + QByteArray::number(id) + " / " + escaped +
           " rw,relatime shared:" + QByteArray::number(id) + " - " + type + " /dev/sdz rw\n";
}

// Runs the cleaner in a child process as user, so that permission bits apply even when the tests
// run as root.
TrashCleaner::Result emptyAs(uid_t user, const TrashCleaner& cleaner)
{
    const std::optional<QByteArray> report = runAsUser(user, [&cleaner]() -> QByteArray {
        const TrashCleaner::Result result = cleaner.emptyAll();
        return QByteArray::number(result.bytesFreed) + '\n' +
               QByteArray::number(result.itemsRemoved) + '\n' +
               QByteArray::number(result.failures) + '\n' + result.firstError.toUtf8();
    });
    if (!report)
        return {0, 0, -1, u"the child process failed"_s, 0, false};
    const QList<QByteArray> lines = report->split('\n');
    qsizetype errorStart = 0;
    for (int line = 0; line < 3; ++line) {
        errorStart = report->indexOf('\n', errorStart) + 1;
    }
    return {lines.value(0).toLongLong(),
            lines.value(1).toInt(),
            lines.value(2).toInt(),
            QString::fromUtf8(report->mid(errorStart)),
            1,
            false};
}

class TrashCleanerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_top = QFile::encodeName(QFileInfo(m_root.path()).canonicalFilePath());
        m_dataHome.emplace("XDG_DATA_HOME", m_top + "/data");
        writeMountTable({});
    }

    QByteArray path(const QByteArray& relative) const { return m_top + '/' + relative; }
    QByteArray homeTrash() const { return path("data/Trash"); }
    QString mountTable() const { return QFile::decodeName(path("mountinfo")); }
    void writeMountTable(const QByteArrayList& lines) const
    {
        writeFile(path("mountinfo"), lines.join());
    }
    TrashCleaner cleaner(uid_t uid = ::geteuid()) const
    {
        return {QFile::decodeName(homeTrash()), mountTable(), uid};
    }
    // An item in a trash as FreedesktopTrash leaves it: the file of size bytes in "files" and its
    // record in "info". Answers the bytes both take.
    static qint64 trashFile(const QByteArray& trash, const QByteArray& name, qint64 size)
    {
        TreeBuilder tree(QFile::decodeName(trash));
        tree.folder("files");
        tree.file("files/" + name, std::uint64_t(size));
        return size + writeFile(trash + "/info/" + name + ".trashinfo",
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

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-trash-clean-XXXXXX"};
    QByteArray m_top;
    std::optional<ScopedEnvironmentVariable> m_dataHome;
};

TEST_F(TrashCleanerTest, HomeTrashIsEmptiedAndItsFoldersAreKept)
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
    tree.file("files/photos/notes", 20);
    tree.file("files/photos/linked", 40);
    ASSERT_EQ(::link(tree.path("files/photos/linked"), tree.path("files/linked again")), 0);
    expected += 300000 + 20 + 40 + writeFile(trash + "/info/photos.trashinfo", "[Trash Info]\n");
    tree.chain("files/photos", 200, 11);
    expected += 11;
    expected += writeFile(trash + "/expunged/half-gone/rest", "rest of an item");
    expected += writeFile(trash + "/directorysizes", "16384 1714557600 photos\n");

    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.firstError, QString());
    EXPECT_EQ(result.bytesFreed, expected) << "a hard-linked file counts once";
    EXPECT_EQ(result.itemsRemoved, 6);
    EXPECT_EQ(result.trashFolders, 1);
    EXPECT_FALSE(result.stopped);
    expectEmptied(trash);
    EXPECT_EQ(entriesOf(trash + "/expunged"), QStringList());
    EXPECT_EQ(entriesOf(trash), (QStringList{u"expunged"_s, u"files"_s, u"info"_s}));

    const TrashCleaner::Result again = cleaner().emptyAll();
    EXPECT_EQ(again.bytesFreed, 0);
    EXPECT_EQ(again.itemsRemoved, 0);
    EXPECT_EQ(again.failures, 0);
}

TEST_F(TrashCleanerTest, LinksInTheTrashAreRemovedAndTheirTargetsStay)
{
    const QByteArray outside = path("outside");
    writeFile(outside + "/kept.txt", "kept");
    writeFile(outside + "/folder/deep.txt", "deep");
    const QByteArray trash = homeTrash();
    TreeBuilder tree(QFile::decodeName(trash));
    tree.folder("files/nested");
    const QByteArrayList targets = {outside + "/kept.txt", outside + "/folder", outside + "/folder",
                                    "/nowhere/at/all", "loop"};
    const QByteArrayList links = {"files/to-file", "files/to-folder", "files/nested/to-folder",
                                  "files/dangling", "files/loop"};
    qint64 expected = 0;
    for (qsizetype index = 0; index < links.size(); ++index) {
        tree.link(targets.at(index), links.at(index));
        expected += targets.at(index).size();
    }

    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.bytesFreed, expected) << "a link counts with its own size";
    EXPECT_EQ(result.itemsRemoved, 5);
    EXPECT_EQ(entriesOf(trash + "/files"), QStringList());
    EXPECT_EQ(readFile(outside + "/kept.txt"), "kept");
    EXPECT_EQ(readFile(outside + "/folder/deep.txt"), "deep");
    EXPECT_EQ(entriesOf(outside + "/folder"), QStringList{u"deep.txt"_s});
}

// A trash whose "info" is a link is not followed there; the rest of the trash is still emptied.
TEST_F(TrashCleanerTest, ATrashFolderThatIsALinkIsLeftAloneAndTheRestGoesOn)
{
    const QByteArray trash = homeTrash();
    writeFile(path("elsewhere/precious.trashinfo"), "precious");
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(trash + "/files")));
    ASSERT_EQ(::symlink(path("elsewhere").constData(), QByteArray(trash + "/info").constData()), 0);
    writeFile(trash + "/files/item", "0123456789");

    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(result.firstError, u"“"_s + QFile::decodeName(trash) +
                                     u"/info” is a symbolic link, not a folder, so it was left "
                                     u"alone.");
    EXPECT_EQ(result.bytesFreed, 10);
    EXPECT_EQ(entriesOf(trash + "/files"), QStringList());
    EXPECT_EQ(readFile(path("elsewhere/precious.trashinfo")), "precious");
    EXPECT_TRUE(QFileInfo(QFile::decodeName(trash + "/info")).isSymLink());
}

// The owner of a folder without any permission may still erase it; the cleaner gives the owner
// access first, and counts what was inside.
TEST_F(TrashCleanerTest, FoldersWithoutPermissionsAreErased)
{
    const QByteArray trash = homeTrash();
    TreeBuilder tree(QFile::decodeName(trash));
    tree.folder("files/locked/inner");
    tree.file("files/locked/data", 123);
    tree.file("files/locked/inner/more", 77);
    ASSERT_EQ(::chmod(tree.path("files/locked/inner"), 0), 0);
    ASSERT_EQ(::chmod(tree.path("files/locked"), 0), 0);
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        namespace fs = std::filesystem;
        ASSERT_EQ(::chown(m_top.constData(), unprivilegedUser, unprivilegedUser), 0);
        for (const fs::directory_entry& entry :
             fs::recursive_directory_iterator(m_top.toStdString())) {
            ASSERT_EQ(::lchown(entry.path().c_str(), unprivilegedUser, unprivilegedUser), 0);
        }
    }

    const TrashCleaner::Result result =
        asRoot ? emptyAs(unprivilegedUser, cleaner(unprivilegedUser)) : cleaner().emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.bytesFreed, 200);
    EXPECT_EQ(result.itemsRemoved, 1);
    EXPECT_EQ(entriesOf(trash + "/files"), QStringList());
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
    const QByteArray linked = path("volumes/linked");
    const QByteArray linkedShared = path("volumes/linked-shared");
    const QByteArray pseudo = path("volumes/proc");
    qint64 expected = trashFile(homeTrash(), "home.txt", 10);
    expected += trashFile(own + "/.Trash-" + uid, "a", 100);
    expected += trashFile(shared + "/.Trash/" + uid, "b", 200);
    ASSERT_EQ(::chmod(QByteArray(shared + "/.Trash").constData(), 01777), 0);
    trashFile(notSticky + "/.Trash/" + uid, "c", 300);
    ASSERT_EQ(::chmod(QByteArray(notSticky + "/.Trash").constData(), 0777), 0);
    trashFile(path("elsewhere/.Trash-" + uid), "d", 400);
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(linked)));
    ASSERT_EQ(::symlink(path("elsewhere/.Trash-" + uid).constData(),
                        QByteArray(linked + "/.Trash-" + uid).constData()),
              0);
    trashFile(path("sticky-elsewhere/" + uid), "e", 500);
    ASSERT_EQ(::chmod(path("sticky-elsewhere").constData(), 01777), 0);
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(linkedShared)));
    ASSERT_EQ(::symlink(path("sticky-elsewhere").constData(),
                        QByteArray(linkedShared + "/.Trash").constData()),
              0);
    trashFile(pseudo + "/.Trash-" + uid, "f", 600);
    writeMountTable({mountLine(21, own), mountLine(22, shared), mountLine(23, notSticky),
                     mountLine(24, linked), mountLine(25, linkedShared),
                     mountLine(26, pseudo, "proc"), mountLine(27, own, "ext4"),
                     mountLine(28, path("volumes/gone"))});

    QString error;
    EXPECT_EQ(
        cleaner().trashFolders(&error),
        (QStringList{QFile::decodeName(homeTrash()), QFile::decodeName(own) + u"/.Trash-" + uid,
                     QFile::decodeName(shared) + u"/.Trash/" + uid}));
    EXPECT_EQ(error, QString());
    const TrashCleaner::Result result = cleaner().emptyAll();

    EXPECT_EQ(result.failures, 0) << result.firstError.toStdString();
    EXPECT_EQ(result.trashFolders, 3);
    EXPECT_EQ(result.itemsRemoved, 3);
    EXPECT_EQ(result.bytesFreed, expected);
    for (const QByteArray& trash :
         QByteArrayList{homeTrash(), own + "/.Trash-" + uid, shared + "/.Trash/" + uid}) {
        expectEmptied(trash);
    }
    EXPECT_TRUE(exists(notSticky + "/.Trash/" + uid + "/files/c"));
    EXPECT_TRUE(exists(pseudo + "/.Trash-" + uid + "/files/f"));
    EXPECT_TRUE(exists(path("elsewhere/.Trash-" + uid + "/files/d")));
    EXPECT_TRUE(exists(path("sticky-elsewhere/" + uid + "/files/e")));
}

// As root, a volume trash of the right name that belongs to someone else is not the user's.
TEST_F(TrashCleanerTest, AnotherUsersTrashFolderIsLeftAlone)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    const QByteArray foreign = path("volumes/foreign/.Trash-0");
    trashFile(foreign, "theirs", 10);
    ASSERT_EQ(::chown(foreign.constData(), unprivilegedUser, unprivilegedUser), 0);
    writeMountTable({mountLine(30, path("volumes/foreign"))});

    EXPECT_EQ(cleaner().trashFolders(), QStringList());
    const TrashCleaner::Result result = cleaner().emptyAll();
    EXPECT_EQ(result.trashFolders, 0);
    EXPECT_TRUE(exists(foreign + "/files/theirs"));
}

TEST_F(TrashCleanerTest, AnUnreadableMountTableIsReportedAndTheHomeTrashStillEmptied)
{
    trashFile(homeTrash(), "home.txt", 10);
    const QString missingTable = QFile::decodeName(path("no-such-mountinfo"));

    const TrashCleaner::Result result =
        TrashCleaner(QFile::decodeName(homeTrash()), missingTable, ::geteuid()).emptyAll();

    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(result.firstError, u"The list of mounted volumes “"_s + missingTable +
                                     u"” cannot be read: No such file or directory.");
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
    EXPECT_EQ(result.firstError, u"Emptying the Trash was stopped before it was finished."_s);
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

// A loop volume mounted in the case's temporary folder, with the helpers the cases need.
class LoopVolumeTest : public TrashCleanerTest {
protected:
    void SetUp() override
    {
        TrashCleanerTest::SetUp();
        const QString why =
            m_volume.mount(QFile::decodeName(path("volume.img")), QFile::decodeName(volume()));
        if (!why.isEmpty()) {
            GTEST_SKIP() << why.toStdString();
        }
    }

    void TearDown() override
    {
        for (const QByteArray& file : m_immutable) {
            runCommand(u"chattr"_s, {u"-i"_s, QFile::decodeName(file)});
        }
        if (!m_volume.unmount()) {
            ADD_FAILURE() << "the loop volume was busy; detaching it lazily";
        }
    }

    QByteArray volume(const QByteArray& relative = {}) const
    {
        return relative.isEmpty() ? path("volume") : path("volume/" + relative);
    }
    // Makes the file immutable (undone in TearDown); false where chattr cannot.
    bool makeImmutable(const QByteArray& file)
    {
        if (runCommand(u"chattr"_s, {u"+i"_s, QFile::decodeName(file)}).exitCode != 0) {
            return false;
        }
        m_immutable.append(file);
        return true;
    }

    LoopVolume m_volume;
    QByteArrayList m_immutable;
};

// The real mount table of this process: the volume's ".Trash-0", made by moving items to the
// trash, is found and emptied. Every other trash folder the table leads to must be empty already,
// or the case would touch trash that is not its own.
TEST_F(LoopVolumeTest, TheVolumesTrashIsFoundInTheProcessMountTableAndEmptied)
{
    writeFile(volume("docs/report one.txt"), QByteArray(1234, 'r'));
    writeFile(volume("photos/2024/beach.jpg"), QByteArray(4321, 'b'));
    const FreedesktopTrash trash(QFile::decodeName(homeTrash()));
    for (const QByteArray& item : {QByteArray("docs/report one.txt"), QByteArray("photos")}) {
        const FreedesktopTrash::Result moved = trash.moveToTrash(QFile::decodeName(volume(item)));
        ASSERT_TRUE(moved.succeeded()) << moved.error.toStdString();
    }
    const QByteArray volumeTrash = volume(".Trash-0");
    const qint64 expected = 1234 + 4321 + sizeOf(volumeTrash + "/info/report one.txt.trashinfo") +
                            sizeOf(volumeTrash + "/info/photos.trashinfo");
    const TrashCleaner cleaner(QFile::decodeName(homeTrash()), MountTable::standardPath(), 0);
    const QStringList folders = cleaner.trashFolders();
    ASSERT_TRUE(folders.contains(QFile::decodeName(volumeTrash)))
        << folders.join(u", ").toStdString();
    for (const QString& folder : folders) {
        if (QFile::encodeName(folder) != volumeTrash && holdsAnything(QFile::encodeName(folder))) {
            GTEST_SKIP() << "the trash folder " << folder.toStdString()
                         << " of this machine is not empty; emptying every trash would touch it";
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
    if (!makeImmutable(firstTrash + "/files/fixed.txt")) {
        GTEST_SKIP() << "chattr +i is not available here";
    }
    writeMountTable({mountLine(40, volume())});

    const TrashCleaner::Result result =
        TrashCleaner(QFile::decodeName(firstTrash), mountTable(), 0).emptyAll();

    EXPECT_EQ(result.trashFolders, 2);
    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(result.firstError, u"Cannot erase “"_s + QFile::decodeName(firstTrash) +
                                     u"/files/fixed.txt”: Operation not permitted.");
    EXPECT_EQ(result.itemsRemoved, 2);
    EXPECT_EQ(result.bytesFreed, expected);
    EXPECT_EQ(entriesOf(firstTrash + "/files"), QStringList{u"fixed.txt"_s});
    expectEmptied(volumeTrash);
}

} // namespace

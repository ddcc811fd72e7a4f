#include "TrashFixture.h"
#include "support/Cli.h"
#include "trash/FreedesktopTrash.h"
#include "trash/TrashDirectory.h"
#include "trash/TrashRestorer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using namespace Qt::StringLiterals;

const QByteArray uid = QByteArray::number(::geteuid());

QByteArray info(const QByteArray& path)
{
    return "[Trash Info]\nPath=" + path + "\nDeletionDate=2024-05-01T10:00:00\n";
}

class TrashRestoreTest : public TrashFixture {
protected:
    // The items of every trash found through the fixture mount table.
    TrashItems items() const
    {
        TrashItems all;
        for (const TrashDirectory& trash :
             TrashDirectory::findAll(qpath("data/Trash"), qpath("mountinfo"), ::geteuid()))
            all += trash.list();
        return all;
    }
};

// How an item is trashed: by gio (GLib's trash, the peer) or by Corvella.
bool trashWith(const QString& tool, const QByteArray& path)
{
    if (tool == u"corvella")
        return FreedesktopTrash().moveToTrash(path).succeeded();
    // Spawned by hand: QProcess would re-encode a name that is not valid UTF-8.
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("gio", "gio", "trash", path.constData(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

class PeerTrashTest : public TrashRestoreTest,
                      public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

// Each program's record is read back to the very bytes of the name, and the item goes back.
TEST_P(PeerTrashTest, ItemsTrashedByAnyProgramAreListedAndRestored)
{
    const QString tool = QString::fromLatin1(std::get<0>(GetParam()));
    const QByteArray original = path(QByteArray("some dir/") + std::get<1>(GetParam()));
    ASSERT_TRUE(writeFile(original, "kept content"));
    ASSERT_TRUE(trashWith(tool, original)) << tool.toStdString();
    ASSERT_FALSE(exists(original));

    const TrashItems listed = items();
    ASSERT_EQ(listed.size(), 1);
    const TrashItem& item = listed[0];
    EXPECT_EQ(item.originalPath, original);
    EXPECT_EQ(item.state, TrashItem::State::Complete) << item.problem.toStdString();
    EXPECT_TRUE(item.deletionDate.isValid());
    EXPECT_EQ(item.kind, TrashItem::Kind::File);
    ASSERT_TRUE(QDir().rmdir(qpath("some dir")));
    const TrashRestorer::Result result = TrashRestorer::restore(item);
    EXPECT_TRUE(result.succeeded()) << result.message.toStdString();
    EXPECT_EQ(readFile(original), "kept content");
    EXPECT_TRUE(items().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, PeerTrashTest,
    ::testing::Combine(::testing::Values("gio", "corvella"),
                       ::testing::Values("plain.txt", "with space", "100% sure", "new\nline",
                                         "not utf-8 \xff\xfe", "#hash?query")),
    [](const auto& info) { return std::get<0>(info.param) + ('_' + std::to_string(info.index)); });

// Records naming a place outside their volume, climbing out with "..", or under a folder that is a
// link off the volume (also as a new name), are refused; nothing is made off the volume, and what
// is refused stays.
TEST_F(TrashRestoreTest, AVolumesRecordsAreResolvedOnTheVolumeOrRefused)
{
    const QByteArray top = path("volume");
    const QByteArray trash = top + "/.Trash-" + uid;
    using State = TrashItem::State;
    const struct {
        const char* name;
        QByteArray record; // empty: no record at all
        bool hasItem;
        State state;
        QByteArray original;
        bool restores;
    } rows[] = {
        {"ok", info("docs/ok%20file"), true, State::Complete, top + "/docs/ok file", true},
        {"abs", info(top + "/in/place"), true, State::Complete, top + "/in/place", true},
        {"up", info("../../etc/passwd"), true, State::InvalidRecord, {}, false},
        {"mid", info("a/%2E%2E/../x"), true, State::InvalidRecord, {}, false},
        {"outside", info("/etc/passwd"), true, State::InvalidRecord, {}, false},
        {"nohead", "Path=x\n", true, State::NoRecord, {}, false},
        {"orphan", {}, true, State::NoRecord, {}, false},
        {"gone", info("gone"), false, State::NoItem, top + "/gone", false},
        {"via", info("linked/via"), true, State::Complete, top + "/linked/via", false},
        // Missing folders below the link are checked before anything is made.
        {"deep", info("linked/new/deeper/deep"), true, State::Complete,
         top + "/linked/new/deeper/deep", false},
    };
    ASSERT_TRUE(QDir().mkpath(qpath("elsewhere")) && QDir().mkpath(QFile::decodeName(top)));
    ASSERT_EQ(::symlink(path("elsewhere").constData(), QByteArray(top + "/linked").constData()), 0);
    for (const auto& row : rows) {
        ASSERT_TRUE(!row.hasItem || writeFile(trash + "/files/" + row.name, row.name));
        ASSERT_TRUE(row.record.isEmpty() ||
                    writeFile(trash + "/info/" + row.name + ".trashinfo", row.record));
    }
    struct stat status {};
    ASSERT_EQ(::lstat(trash.constData(), &status), 0);
    const TrashItems listed = TrashDirectory(trash, top, status).list();
    ASSERT_EQ(listed.size(), qsizetype(std::size(rows)));
    for (const auto& row : rows) {
        const auto item = std::find_if(listed.cbegin(), listed.cend(),
                                       [&row](const TrashItem& i) { return i.name == row.name; });
        ASSERT_NE(item, listed.cend()) << row.name;
        EXPECT_EQ(item->state, row.state) << row.name;
        EXPECT_EQ(item->originalPath, row.original) << row.name;
        EXPECT_EQ(TrashRestorer::restore(*item).succeeded(), row.restores) << row.name;
        EXPECT_TRUE(!row.original.contains("/linked/") || // nor under a new name there
                    !TrashRestorer::restore(*item, top + "/linked/new/y").succeeded());
        EXPECT_EQ(exists(trash + "/files/" + row.name), row.hasItem && !row.restores) << row.name;
        EXPECT_EQ(exists(trash + "/info/" + row.name + ".trashinfo"),
                  !row.record.isEmpty() && !row.restores)
            << row.name;
    }
    EXPECT_EQ(readFile(top + "/docs/ok file"), "ok");
    EXPECT_EQ(entriesOf(path("elsewhere")), QStringList());
    EXPECT_EQ(entriesOf(path("etc")), QStringList());
}

// Corvella's records are read by trash-cli too. The command line lists with the documented JSON
// keys, restores what it can (a link as the link), names each item it could not restore (with the
// new name to use) and exits 1; empty-trash leaves nothing.
TEST_F(TrashRestoreTest, PeersAndTheCommandLineListRestoreAndEmpty)
{
    for (const char* name : {"a.txt", "b.txt", "50% c.txt"})
        ASSERT_TRUE(writeFile(path(name), name));
    ASSERT_EQ(::symlink("a.txt", path("link").constData()), 0);
    for (const char* name : {"a.txt", "b.txt", "50% c.txt", "link"})
        ASSERT_TRUE(trashWith(u"corvella"_s, path(name))) << name;
    ASSERT_TRUE(writeFile(path("data/Trash/info/evil.trashinfo"), info("../../../etc/evil")));
    ASSERT_TRUE(writeFile(path("data/Trash/files/evil"), "evil"));
    const ToolOutcome peerList = runCommand(u"trash-list"_s, {});
    for (const char* name : {"a.txt", "50% c.txt", "link"})
        EXPECT_TRUE(peerList.output.contains(qpath(name))) << peerList.output.toStdString();

    const CliRun listed = cli({u"trash-list"_s, u"--json"_s});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.constData();
    QStringList originals;
    for (const QJsonValue& value : QJsonDocument::fromJson(listed.out).array()) {
        const QJsonObject item = value.toObject();
        for (const char* key :
             {"name", "originalPath", "deletionDate", "size", "isDirectory", "trashPath"})
            EXPECT_TRUE(item.contains(QLatin1StringView(key))) << key;
        originals.append(item.value(u"originalPath"_s).toString());
    }
    QStringList expected{{}, qpath("50% c.txt"), qpath("a.txt"), qpath("b.txt"), qpath("link")};
    originals.sort();
    EXPECT_EQ(originals, expected);

    ASSERT_TRUE(writeFile(path("b.txt"), "occupant"));
    const CliRun restored = cli({u"restore"_s, qpath("a.txt"), qpath("b.txt"),
                                 qpath("data/Trash/files/evil"), qpath("link")});
    EXPECT_EQ(restored.exitCode, 1);
    EXPECT_EQ(readFile(path("a.txt")), "a.txt");
    EXPECT_EQ(QFileInfo(qpath("link")).symLinkTarget(), qpath("a.txt"));
    EXPECT_EQ(readFile(path("b.txt")), "occupant");
    EXPECT_TRUE(restored.err.contains(QByteArray("--as '" + path("b (restored).txt") + "'")))
        << restored.err.constData();
    EXPECT_TRUE(restored.err.contains("climbs out")) << restored.err.constData();
    EXPECT_EQ(cli({u"restore"_s, qpath("b.txt"), u"--as"_s, qpath("b (restored).txt")}).exitCode,
              0);
    EXPECT_EQ(readFile(path("b (restored).txt")), "b.txt");

    const CliRun emptied = cli({u"empty-trash"_s});
    EXPECT_EQ(emptied.exitCode, 0) << emptied.err.constData();
    EXPECT_TRUE(items().isEmpty());
}

} // namespace

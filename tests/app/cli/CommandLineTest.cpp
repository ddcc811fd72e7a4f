// corvella-cli as a real process on fixture trees, in a private home.
#include "platform/fs/TreeEraser.h"
#include "support/AsUser.h"
#include "support/Cli.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"
#include "support/TreeSnapshot.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        build.entries(
            {"big/one:1000", "big/two:2000", "big/inner/three:3000", "small:10", "new\nline:5"});
        ASSERT_TRUE(build.ok()) << build.failure();
    }
    void TearDown() override { TreeEraser::erase(home.path()); } // trashed names QDir cannot remove
    QTemporaryDir home;
    ScopedEnvironmentVariable homeVariable{"HOME", QFile::encodeName(home.path())};
    ScopedEnvironmentVariable config{"XDG_CONFIG_HOME",
                                     QFile::encodeName(home.filePath(u"config"_s))};
    ScopedEnvironmentVariable data{"XDG_DATA_HOME", QFile::encodeName(home.filePath(u"data"_s))};
    ScopedEnvironmentVariable configDirs{"XDG_CONFIG_DIRS",
                                         QFile::encodeName(home.filePath(u"none"_s))};
    QTemporaryDir folder;
    TreeBuilder build{folder.path()};
};

// Names that look like options, and one item already in the trash.
class CommandLineOptionsTest : public CommandLineTest {
protected:
    void SetUp() override
    {
        for (const char* name : {"keep.txt", "-i", "--help", "victim"})
            ASSERT_TRUE(writeFile(build.path(name), name));
        ASSERT_EQ(cliEscaped({u"trash"_s, u"victim"_s}, folder.path()).exitCode, 0);
    }
};

TEST_F(CommandLineTest, ScanPrintsTheOrderedTreeWithDepthAndTopLimits)
{
    const CliRun full = cli({u"scan"_s, folder.path()});
    ASSERT_EQ(full.exitCode, 0) << full.err.constData();
    EXPECT_EQ(full.out, QByteArray("6.01 KB\t6015\t0\t" + QFile::encodeName(folder.path()) +
                                   "\n6.00 KB\t6000\t1\tbig\n3.00 KB\t3000\t2\t  inner\n"
                                   "3.00 KB\t3000\t3\t    three\n2.00 KB\t2000\t2\t  two\n"
                                   "1.00 KB\t1000\t2\t  one\n10 byte\t10\t1\tsmall\n"
                                   "5 byte\t5\t1\tnew\\x0aline\n"));
    EXPECT_EQ(cli({u"scan"_s, folder.path(), u"--depth"_s, u"0"_s}).out.count('\n'), 1);
    const CliRun top = cli({u"scan"_s, u"--top"_s, u"1"_s, folder.path(), u"--depth"_s, u"2"_s});
    EXPECT_EQ(top.out.count('\n'), 3); // root, big, inner
}

// Every command: 2 for what it cannot parse, 1 for what failed, a reason on standard error.
TEST_F(CommandLineTest, ExitStatusSaysUsageErrorOrFailure)
{
    const struct {
        QStringList arguments;
        int status;
        const char* error = "";
    } rows[] = {
        {{u"scan"_s}, 2},
        {{u"scan"_s, folder.path(), u"--depth"_s, u"-1"_s}, 2},
        {{u"frobnicate"_s}, 2, "unknown command"},
        {{u"help"_s, u"frobnicate"_s}, 2, "unknown command"},
        {{u"settings"_s, u"login"_s, u"maybe"_s}, 2},
        {{u"scan"_s, folder.filePath(u"nowhere"_s)}, 1, "does not exist"},
        {{u"settings"_s, u"get"_s, u"NoSuchKey"_s}, 1},
        {{u"settings"_s, u"set"_s, u"X"_s, u"1.5"_s}, 0},
    };
    for (const auto& row : rows) {
        const CliRun run = cli(row.arguments);
        EXPECT_EQ(run.exitCode, row.status) << row.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(row.error) && run.err.isEmpty() == (row.status == 0))
            << run.err.constData();
    }
    EXPECT_EQ(cli({u"settings"_s, u"get"_s, u"X"_s}).out, "1.5\n");
}

// Off until asked; on writes the entry that starts the tray program in the background (the one
// beside corvella-cli), replacing the earlier versions' first-start entry; off removes both.
TEST_F(CommandLineTest, SettingsLoginWritesTheBackgroundEntryAndRemovesIt)
{
    if (!QFileInfo::exists(QFileInfo(QStringLiteral(CORVELLA_CLI)).path() + u"/corvella"_s))
        GTEST_SKIP() << "needs the tray program, which a build without the UI leaves out";
    const QString folder = home.filePath(u"config/autostart/"_s);
    const QString entry = folder + u"com.brimwick.corvella.desktop"_s;
    ASSERT_TRUE(writeFile(folder + u"corvella.desktop"_s,
                          "[Desktop Entry]\nType=Application\nName=Corvella\nExec=sh\n"));
    for (const QString& state : {u"on"_s, u"off"_s}) {
        ASSERT_EQ(cli({u"settings"_s, u"login"_s, state}).exitCode, 0);
        EXPECT_EQ(cli({u"settings"_s, u"login"_s}).out, state.toUtf8() + '\n');
        EXPECT_FALSE(exists(folder + u"corvella.desktop"_s));
        EXPECT_EQ(readFile(entry).contains("/corvella --background\n"), state == u"on");
    }
}

TEST_F(CommandLineTest, TrashAndEraseReportEachItemAndFailures)
{
    const CliRun trash = cli({u"trash"_s, build.qpath("small"), build.qpath("missing")});
    EXPECT_EQ(trash.exitCode, 1);
    EXPECT_TRUE(trash.out.startsWith("Moved 1 of 2 items to the trash; 1 failed"));
    EXPECT_FALSE(QFileInfo::exists(build.qpath("small")));
    EXPECT_TRUE(QFileInfo::exists(home.filePath(u"data/Trash/files/small"_s)));

    const CliRun erase = cli({u"erase"_s, build.qpath("big"), build.qpath("new\nline")});
    EXPECT_EQ(std::tuple(erase.exitCode, erase.out, erase.err), // no progress unless on a terminal
              std::tuple(0, QByteArray("Erased 2 of 2 items\n"), QByteArray()));
    EXPECT_FALSE(QFileInfo::exists(build.qpath("big")));
}

TEST_F(CommandLineTest, RefusesPathsThatNameNoOneEntryHoldTheWorkingFolderOrAreHome)
{
    const struct {
        QByteArray home;
        QString workingFolder;
        QStringList paths;
    } rows[] = {
        // Not one entry as typed, or the working folder and the folders above it.
        {"/nonexistent",
         build.qpath("big/inner"),
         {u"."_s, u"./"_s, u".."_s, u"inner/.."_s, u"/"_s, u"../.."_s, build.qpath("big")}},
        // The home folder, and a folder holding it, from elsewhere.
        {build.path("big"), u"/"_s, {build.qpath("big"), build.qpath("big/"), folder.path()}},
    };
    for (const auto& row : rows) {
        const ScopedEnvironmentVariable homeFolder{"HOME", row.home};
        for (const QString& path : row.paths) {
            for (const QString& verb : {u"trash"_s, u"erase"_s}) {
                const CliRun run = cli({verb, build.qpath("small"), path}, row.workingFolder);
                EXPECT_EQ(run.exitCode, 1) << verb.toStdString() << ' ' << path.toStdString();
                EXPECT_TRUE(run.err.contains("refusing")) << run.err.constData();
            }
        }
    }
    for (const char* name : {"small", "big/one", "big/inner/three"})
        EXPECT_TRUE(exists(build.path(name))) << name; // one refusal removes nothing at all
}

// Names with a newline or bytes that are not UTF-8: scanned, trashed, listed, restored and erased
// by their bytes; the trash keeps the two names apart.
TEST_F(CommandLineTest, NamesThatAreNotUtf8AreHandledByTheirBytes)
{
    build.entries({"x\xff:3", "x\xfe:2", "y\xfd:1"});
    ASSERT_TRUE(build.ok()) << build.failure();
    const QJsonObject root =
        QJsonDocument::fromJson(cli({u"scan"_s, u"--json"_s, folder.path()}).out).object();
    EXPECT_EQ(std::pair(root[u"size"].toInteger(), root[u"path"].toString()),
              std::pair(qint64(6021), folder.path()));
    QStringList names;
    for (const QJsonValue& child : root[u"children"].toArray())
        names.append(child[u"name"].toString());
    const QString x = u"x"_s;
    EXPECT_EQ(names, (QStringList{u"big"_s, u"small"_s, u"new\nline"_s, x + QChar(0xDCFF),
                                  x + QChar(0xDCFE), u"y"_s + QChar(0xDCFD)}));

    ASSERT_EQ(cliEscaped({u"trash"_s, u"x\\377"_s, u"x\\376"_s}, folder.path()).exitCode, 0);
    const QByteArray info = QFile::encodeName(home.filePath(u"data/Trash/info/"_s));
    EXPECT_TRUE(readFile(info + "x\xff.trashinfo").contains("x%FF\n"));
    const CliRun list =
        cliEscaped({u"trash-list"_s, u"--json"_s}); // its status counts other volumes
    EXPECT_TRUE(list.out.contains("x\\udcff\"") && list.out.contains("x\\udcfe\""));
    QStringList originals;
    for (const QJsonValue& item : QJsonDocument::fromJson(list.out).array())
        originals.append(item[u"originalPath"].toString());
    EXPECT_TRUE(originals.contains(folder.filePath(x + QChar(0xDCFF))) &&
                originals.contains(folder.filePath(x + QChar(0xDCFE))))
        << list.out.constData();
    EXPECT_EQ(cliEscaped({u"restore"_s, u"x\\376"_s}, folder.path()).exitCode, 0);
    EXPECT_EQ(cliEscaped({u"erase"_s, u"y\\375"_s}, folder.path()).exitCode, 0);
    EXPECT_TRUE(exists(build.path("x\xfe")));
    EXPECT_FALSE(exists(build.path("x\xff")) || exists(build.path("y\xfd")));
}

// Beside the home folder, with link -> sub/inner (link/.. is sub) and sub/up -> ../deep
// (sub/up/.. is the working folder): each command takes what the kernel resolves, nothing else.
TEST_F(CommandLineTest, LinkAndDotDotPathsMeanWhatTheKernelResolves)
{
    for (const char* name : {"home/keep", "sub/home/mine", "sub/inner/in", "sub/x", "x", "deep/d"})
        ASSERT_TRUE(writeFile(build.path("work/") + name));
    build.link("sub/inner", "work/link");
    build.link("../deep", "work/sub/up");
    const QByteArray work = build.path("work");
    const ScopedEnvironmentVariable homeFolder{"HOME", work + "/home"};
    const auto before = treeSnapshot(work);
    const auto run = [&work](const QStringList& arguments) {
        return cli(arguments, QFile::decodeName(work));
    };
    EXPECT_TRUE(run({u"erase"_s, u"sub/up/../home"_s}).err.contains("it is the home folder"));
    EXPECT_EQ(run({u"erase"_s, u"link/../home"_s}).exitCode, 0);
    EXPECT_EQ(run({u"trash"_s, u"link/../x"_s}).exitCode, 0);
    EXPECT_EQ(treeSnapshot(work), withoutEntry(withoutEntry(before, u"sub/home"_s), u"sub/x"_s));
    const CliRun restored = run(
        {u"restore"_s, QFile::decodeName(work + "/sub/x"), u"--as"_s, u"link/../new/restored"_s});
    EXPECT_EQ(restored.exitCode, 0) << restored.err.constData();
    EXPECT_EQ(readFile(work + "/sub/new/restored"), "content");
    EXPECT_TRUE(run({u"scan"_s, u"link/.."_s, u"--depth"_s, u"0"_s})
                    .out.endsWith(QByteArray('\t' + work + "/sub\n")));
}

TEST_F(CommandLineTest, UnreadableFolderCountsAsEmptyForAnUnprivilegedUser)
{
    // Root reads every folder; the scan runs as "nobody" over a tree that user owns.
    const QString setpriv = QStandardPaths::findExecutable(u"setpriv"_s);
    if (::geteuid() != 0 || setpriv.isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the scan as another user";
    QTemporaryDir shared(u"/tmp/corvella-cli-test-XXXXXX"_s);
    TreeBuilder tree(shared.path());
    tree.entries({"open/a:100", "locked/b:200"});
    ASSERT_TRUE(tree.ok()) << tree.failure();
    ASSERT_TRUE(giveTree(shared.path(), 65534));
    ASSERT_EQ(::chmod(tree.path("locked").constData(), 0), 0);
    const CliRun run = cli({u"scan"_s, shared.path()}, {},
                           {setpriv, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s});
    ::chmod(tree.path("locked").constData(), 0755);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.startsWith("100 byte\t100\t0\t")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("0 byte\t0\t1\tlocked"));
    EXPECT_TRUE(run.err.contains("cannot read") && run.err.contains(tree.path("locked")))
        << run.err.constData();
}

TEST_F(CommandLineOptionsTest, UnknownOptionsAreRefusedBeforeAnythingIsTouched)
{
    const QString original = folder.filePath(u"victim"_s);
    const auto snapshot = [&] {
        return std::pair(treeSnapshot(files::native(folder.path())),
                         treeSnapshot(files::native(home.path())));
    };
    for (const QStringList& command :
         {QStringList{u"trash"_s}, QStringList{u"erase"_s}, QStringList{u"scan"_s},
          QStringList{u"restore"_s}, QStringList{u"startup"_s, u"add"_s}}) {
        for (const QStringList& rest :
             {QStringList{u"-i"_s, u"keep.txt"_s, original},
              QStringList{u"keep.txt"_s, original, u"--bogus"_s},
              QStringList{u"-xq"_s, u"keep.txt"_s}, QStringList{u"--yes"_s, u"keep.txt"_s}}) {
            const auto before = snapshot();
            const CliRun run = cliEscaped(command + rest, folder.path());
            const std::string trace = (command + rest).join(u' ').toStdString();
            EXPECT_EQ(run.exitCode, 2) << trace;
            EXPECT_TRUE(run.err.contains("nknown option")) << trace << run.err.constData();
            EXPECT_TRUE(snapshot() == before) << trace;
        }
    }
}

TEST_F(CommandLineOptionsTest, DoubleDashEndsTheOptionsAndHelpMovesNothing)
{
    const CliRun help = cliEscaped({u"trash"_s, u"--help"_s}, folder.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: corvella-cli trash")) << help.out.constData();
    EXPECT_TRUE(exists(build.path("--help")));
    EXPECT_EQ(cliEscaped({u"erase"_s, u"--"_s, u"-i"_s}, folder.path()).exitCode, 0);
    EXPECT_EQ(cliEscaped({u"trash"_s, u"--quiet"_s, u"--"_s, u"--help"_s}, folder.path()).exitCode,
              0);
    EXPECT_FALSE(exists(build.path("-i")));
    EXPECT_FALSE(exists(build.path("--help")));
    EXPECT_EQ(readFile(home.filePath(u"data/Trash/files/--help"_s)), "--help");
    EXPECT_EQ(readFile(build.path("keep.txt")), "keep.txt");
}

TEST_F(CommandLineOptionsTest, ControlCharactersInPlainListsStayOnOneRow)
{
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Two\\nLines\\tTabbed\n"
                             "Exec=/bin/true\n";
    ASSERT_TRUE(writeFile(home.filePath(u"data/applications/forged.desktop"_s), entry));
    ASSERT_TRUE(writeFile(home.filePath(u"config/autostart/forged.desktop"_s), entry));
    for (const QStringList& command :
         {QStringList{u"apps"_s, u"--search"_s, u"Two"_s}, QStringList{u"startup"_s}}) {
        const CliRun run = cliEscaped(command);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.out.count('\n'), 1) << run.out.constData();
        EXPECT_TRUE(run.out.contains("Two\\x0aLines\\x09Tabbed\t")) << run.out.constData();
    }
}

TEST_F(CommandLineOptionsTest, RestoreHintIsOneShellWordPerPath)
{
    const QByteArray name = "a'b; touch injected; echo 'c";
    ASSERT_TRUE(writeFile(build.path(name), "old"));
    ASSERT_EQ(cliEscaped({u"trash"_s, QString::fromUtf8(name)}, folder.path()).exitCode, 0);
    ASSERT_TRUE(writeFile(build.path(name), "new"));
    const CliRun refused = cliEscaped({u"restore"_s, QString::fromUtf8(name)}, folder.path());
    EXPECT_EQ(refused.exitCode, 1);
    const qsizetype start = refused.err.indexOf("corvella-cli restore ");
    ASSERT_GE(start, 0) << refused.err.constData();
    const QByteArray hint = refused.err.mid(start).trimmed();
    // The hint, pasted into a shell whose corvella-cli records its arguments and runs the real one.
    ASSERT_TRUE(writeFile(home.filePath(u"bin/corvella-cli"_s),
                          "#!/bin/sh\nprintf '%s\\n' \"$@\" > ../arguments\nexec " CORVELLA_CLI
                          " \"$@\"\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(home.filePath(u"bin/corvella-cli"_s)), 0755), 0);
    QProcess shell;
    shell.setWorkingDirectory(home.filePath(u"bin"_s));
    shell.start(u"/bin/sh"_s, {u"-c"_s, u"PATH=.:$PATH; "_s + QString::fromUtf8(hint)});
    shell.waitForFinished(60000);
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().constData();
    EXPECT_EQ(readFile(home.filePath(u"arguments"_s)).count('\n'), 4); // restore PATH --as NEWPATH
    EXPECT_FALSE(exists(build.path("injected")));
    EXPECT_EQ(readFile(build.path(name + " (restored)")), "old");
}

TEST_F(CommandLineOptionsTest, ProcessIdsAndWaitsAreReadStrictly)
{
    QProcess sleeper;
    sleeper.start(u"sleep"_s, {u"60"_s});
    ASSERT_TRUE(sleeper.waitForStarted());
    const QString pid = QString::number(sleeper.processId());
    QList<QStringList> refused{{pid, u"--force-after=0x1"_s},
                               {pid, u"--force"_s, u"--force-after"_s, u"1"_s},
                               {pid, u"-f"_s}};
    for (const QString& id : QStringList{u" "_s + pid, u"+"_s + pid, pid + u" "_s, u"0x10"_s, u""_s,
                                         u"0"_s, u"1e3"_s, u"\u0663"_s})
        refused.append(QStringList{id});
    for (const QString& wait : {u"nan"_s, u"inf"_s, u"-1"_s, u""_s, u"1e2"_s, u"3601"_s})
        refused.append(QStringList{pid, u"--force-after"_s, wait});
    for (const QStringList& rest : refused) {
        const CliRun run = cliEscaped(QStringList{u"tasks"_s, u"end"_s} + rest);
        EXPECT_EQ(run.exitCode, 2) << rest.join(u'|').toStdString() << run.out.constData();
    }
    EXPECT_EQ(sleeper.state(), QProcess::Running);
    const CliRun ended =
        cliEscaped({u"tasks"_s, u"end"_s, u"0"_s + pid, u"--force-after"_s, u"2.5"_s});
    EXPECT_EQ(ended.exitCode, 0) << ended.err.constData();
    EXPECT_TRUE(ended.out.contains(QByteArray("“sleep” (PID " + pid.toUtf8() + ") quit")))
        << ended.out.constData();
    EXPECT_TRUE(sleeper.waitForFinished(5000));
}

} // namespace

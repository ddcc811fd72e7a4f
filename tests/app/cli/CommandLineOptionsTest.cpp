// corvella-cli's options, help and output rules, run as a real process in a private home.
#include "platform/fs/TreeEraser.h"
#include "support/Cli.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"
#include "support/TreeSnapshot.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace files;

namespace {

class CommandLineOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"keep.txt", "-i", "--help", "victim"})
            ASSERT_TRUE(writeFile(build.path(name), name));
        ASSERT_EQ(cliEscaped({u"trash"_s, u"victim"_s}, folder.path()).exitCode, 0);
    }
    void TearDown() override { TreeEraser::erase(home.path()); }
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

TEST_F(CommandLineOptionsTest, UnknownOptionsAreRefusedBeforeAnythingIsTouched)
{
    const QString original = folder.filePath(u"victim"_s);
    const auto snapshot = [&] {
        return std::pair(treeSnapshot(native(folder.path())), treeSnapshot(native(home.path())));
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

TEST_F(CommandLineOptionsTest, ProgressGoesToATerminalOnlyAndQuietSilencesIt)
{
    const QString script = QStandardPaths::findExecutable(u"script"_s);
    if (script.isEmpty())
        GTEST_SKIP() << "needs script(1) for a terminal";
    for (const bool quiet : {false, true}) {
        ASSERT_TRUE(writeFile(build.path("gone"), "x"));
        QProcess terminal; // standard error on a terminal, standard output to a file
        terminal.setWorkingDirectory(folder.path());
        terminal.start(script, {u"-qec"_s,
                                QStringLiteral(CORVELLA_CLI) + u" erase gone > result"_s +
                                    (quiet ? u" -q"_s : u""_s),
                                u"/dev/null"_s});
        ASSERT_TRUE(terminal.waitForFinished(60000));
        EXPECT_EQ(terminal.readAllStandardOutput().contains("100%  "), !quiet);
        EXPECT_EQ(readFile(build.path("result")), "Erased 1 of 1 items\n");
    }
    ASSERT_TRUE(writeFile(build.path("gone"), "x"));
    const CliRun piped = cliEscaped({u"erase"_s, u"gone"_s}, folder.path());
    EXPECT_EQ(piped.out, "Erased 1 of 1 items\n");
    EXPECT_EQ(piped.err, "");
}

} // namespace

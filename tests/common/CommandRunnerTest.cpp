#include "common/CommandRunner.h"

#include "common/ExecCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

using LineRunner = CommandOutcome (*)(const char*);
using VectorRunner = CommandOutcome (*)(const QStringList&);

struct RunnerCase {
    const char* name;
    LineRunner line;
    VectorRunner vector;
    const char* fileName;
    bool removesOldOutput;
};

void PrintTo(const RunnerCase& runner, std::ostream* out)
{
    *out << runner.name;
}

const RunnerCase runnerCases[] = {
    {"GX", &GXExecCommand, &GXExecCommand, "quillfen.plist", true},
    {"Clean", &CleanExecCommand, &CleanExecCommand, "quillfen.plist", true},
    {"aepair", &aepairExecCommand, &aepairExecCommand, "LumasetRepairTemp.plist", false},
    {"eraser", &eraserExecCommand, &eraserExecCommand, "eraserVolumeTemp.plist", true},
};

QString qs(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

mode_t lstatMode(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

// Every test gets its own runtime folder and temporary folder, so no run reaches the real
// user's folders, and a scratch folder for markers and link targets.
class RunnerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid() && m_temp.isValid() && m_scratch.isValid());
        saveAndSet("XDG_RUNTIME_DIR", m_runtime.path());
        saveAndSet("TMPDIR", m_temp.path());
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_savedEnvironment) {
            if (value.isNull())
                qunsetenv(name.constData());
            else
                qputenv(name.constData(), value);
        }
    }

    QString folder() const { return m_runtime.path() + qs("/corvella"); }
    QString scratch(const char* name) const { return m_scratch.filePath(qs(name)); }

    void saveAndSet(const char* name, const QString& value)
    {
        m_savedEnvironment.append(
            {name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()});
        qputenv(name, QFile::encodeName(value));
    }

    QTemporaryDir m_runtime;
    QTemporaryDir m_temp;
    QTemporaryDir m_scratch;
    QList<std::pair<QByteArray, QByteArray>> m_savedEnvironment;
};

class RunnerTableTest : public RunnerFixture, public ::testing::WithParamInterface<RunnerCase> {
protected:
    QString outputPath() const { return folder() + QLatin1Char('/') + qs(GetParam().fileName); }
};

TEST_P(RunnerTableTest, ReplacesOldOutputInBothForms)
{
    const RunnerCase& runner = GetParam();
    ASSERT_FALSE(CommandRunner::outputFolder().isEmpty());
    const QString held = folder() + qs("/held-by-a-reader");
    const QByteArray stale("stale output, longer than the fresh one");

    for (int form = 0; form < 2; ++form) {
        SCOPED_TRACE(form == 0 ? "argument vector" : "command line");
        writeFile(outputPath(), stale);
        QFile::remove(held);
        ASSERT_EQ(::link(QFile::encodeName(outputPath()).constData(),
                         QFile::encodeName(held).constData()),
                  0);

        const CommandOutcome outcome =
            form == 0 ? runner.vector({qs("printf"), qs("fresh")}) : runner.line("printf fresh");
        EXPECT_TRUE(outcome.succeeded()) << outcome.error.toStdString();
        EXPECT_EQ(outcome.exitStatus, 0);
        EXPECT_EQ(outcome.outputPath, outputPath());
        EXPECT_EQ(readFile(outputPath()), QByteArray("fresh"));
        // Removed first: the reader keeps the old file. Overwritten: the same file now holds the
        // new output.
        EXPECT_EQ(readFile(held), runner.removesOldOutput ? stale : QByteArray("fresh"));
        if (runner.removesOldOutput) {
            EXPECT_EQ(lstatMode(outputPath()) & 0777, 0600u);
        }
    }
}

TEST_P(RunnerTableTest, ReportsTheExitStatus)
{
    const RunnerCase& runner = GetParam();
    for (const CommandOutcome& outcome :
         {runner.line("printf out; exit 3"),
          runner.vector({qs("sh"), qs("-c"), qs("printf out; exit 3")})}) {
        EXPECT_EQ(outcome.exitStatus, 3);
        EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
        EXPECT_FALSE(outcome.succeeded());
        EXPECT_EQ(outcome.outputPath, outputPath());
        EXPECT_EQ(readFile(outputPath()), QByteArray("out"));
    }
}

TEST_P(RunnerTableTest, RefusesCommandLinesPastTheBufferAndKeepsOldOutput)
{
    const RunnerCase& runner = GetParam();
    ASSERT_FALSE(CommandRunner::outputFolder().isEmpty());
    const QString marker = scratch("ran");
    // "<line> > <output path>" plus the terminator fills the buffer exactly at this length.
    const qsizetype longest =
        CommandRunner::commandLineBufferSize - 3 - QFile::encodeName(outputPath()).size() - 1;
    QByteArray line = "touch " + QFile::encodeName(marker) + " #";
    line.append(QByteArray(longest - line.size(), 'x'));

    const CommandOutcome fits = runner.line(line.constData());
    EXPECT_TRUE(fits.succeeded()) << fits.error.toStdString();
    EXPECT_TRUE(QFile::exists(marker));

    ASSERT_TRUE(QFile::remove(marker));
    writeFile(outputPath(), "earlier output");
    line.append('x');
    const CommandOutcome tooLong = runner.line(line.constData());
    EXPECT_FALSE(tooLong.succeeded());
    EXPECT_TRUE(tooLong.error.contains(qs("too long"))) << tooLong.error.toStdString();
    EXPECT_EQ(tooLong.exitStatus, -1);
    EXPECT_TRUE(tooLong.outputPath.isEmpty());
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_EQ(readFile(outputPath()), QByteArray("earlier output"));
}

TEST_P(RunnerTableTest, NoCommandRunsNothing)
{
    const RunnerCase& runner = GetParam();
    ASSERT_FALSE(CommandRunner::outputFolder().isEmpty());
    writeFile(outputPath(), "earlier output");
    for (const CommandOutcome& outcome :
         {runner.line(nullptr), runner.line(""), runner.vector({})}) {
        EXPECT_TRUE(outcome.outputPath.isEmpty());
        EXPECT_TRUE(outcome.error.isEmpty());
        EXPECT_EQ(outcome.exitStatus, -1);
        EXPECT_FALSE(outcome.succeeded());
    }
    EXPECT_EQ(readFile(outputPath()), QByteArray("earlier output"));
}

INSTANTIATE_TEST_SUITE_P(Runners, RunnerTableTest, ::testing::ValuesIn(runnerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each text holds "%1", replaced by a marker path that must never come to exist.
class HostileArgumentTest : public RunnerFixture,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(HostileArgumentTest, ReachesTheProgramAsOneArgument)
{
    const QString marker = scratch("x");
    const QString hostile = qs(GetParam()).replace(qs("%1"), marker);
    const QByteArray expected = hostile.toUtf8() + '\n';

    const CommandOutcome viaVector = GXExecCommand({qs("printf"), qs("%s\\n"), hostile});
    EXPECT_TRUE(viaVector.succeeded()) << viaVector.error.toStdString();
    EXPECT_EQ(readFile(viaVector.outputPath), expected);

    const QByteArray line = "printf '%s\\n' " + CommandRunner::shellQuote(hostile).toUtf8();
    const CommandOutcome viaShell = GXExecCommand(line.constData());
    EXPECT_TRUE(viaShell.succeeded()) << viaShell.error.toStdString();
    EXPECT_EQ(readFile(viaShell.outputPath), expected);

    EXPECT_FALSE(QFile::exists(marker));
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileArgumentTest,
                         ::testing::Values("a\"; touch %1; \"", "a'; touch %1; '", "$(touch %1)",
                                           "`touch %1`", "it's\ntouch %1", "; touch %1 #", "*",
                                           "-n %1 ' \\' ''", "", "Ä \t tab"));

class EndingTest : public RunnerFixture {};

TEST_F(EndingTest, MissingProgramGivesAClearError)
{
    const CommandOutcome outcome = GXExecCommand({qs("corvella-no-such-program")});
    EXPECT_EQ(outcome.error, qs("Program not found: corvella-no-such-program"));
    EXPECT_EQ(outcome.exitStatus, -1);
    EXPECT_TRUE(outcome.outputPath.isEmpty());

    // Through the shell the shell itself answers, with its status 127.
    const CommandOutcome viaShell = GXExecCommand("corvella-no-such-program 2>/dev/null");
    EXPECT_EQ(viaShell.exitStatus, 127);
    EXPECT_TRUE(viaShell.error.isEmpty());
}

TEST_F(EndingTest, ProgramWithoutExecutePermissionGivesAClearError)
{
    const QString script = scratch("script");
    writeFile(script, "#!/bin/sh\nexit 0\n");
    ASSERT_TRUE(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner));
    const CommandOutcome outcome = GXExecCommand({script});
    EXPECT_EQ(outcome.error, qs("Program cannot be run: %1 (permission denied)").arg(script));
    EXPECT_EQ(outcome.exitStatus, -1);
}

TEST_F(EndingTest, CommandStoppedBySignalKeepsItsPartialOutput)
{
    const CommandOutcome killed =
        GXExecCommand({qs("sh"), qs("-c"), qs("printf part; kill -KILL $$")});
    EXPECT_EQ(killed.exitStatus, -1);
    EXPECT_EQ(killed.error, qs("The command was stopped by signal 9 (Killed)."));
    EXPECT_FALSE(killed.succeeded());
    EXPECT_EQ(readFile(killed.outputPath), QByteArray("part"));

    const CommandOutcome terminated = aepairExecCommand("kill -TERM $$");
    EXPECT_EQ(terminated.exitStatus, -1);
    EXPECT_TRUE(terminated.error.contains(qs("signal 15"))) << terminated.error.toStdString();
}

TEST_F(EndingTest, ZeroByteInAnArgumentIsRefusedBeforeAnythingIsTouched)
{
    ASSERT_FALSE(CommandRunner::outputFolder().isEmpty());
    writeFile(folder() + qs("/quillfen.plist"), "earlier output");
    const CommandOutcome outcome = GXExecCommand({qs("printf"), qs("a") + QChar(0) + qs("b")});
    EXPECT_TRUE(outcome.error.contains(qs("zero byte"))) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.outputPath.isEmpty());
    EXPECT_EQ(readFile(folder() + qs("/quillfen.plist")), QByteArray("earlier output"));
}

TEST_F(EndingTest, WaitingSurvivesInterruptingSignals)
{
    struct sigaction handler {};
    handler.sa_handler = [](int) {
    };
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = 0; // no SA_RESTART: waitpid returns EINTR at every tick
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGALRM, &handler, &previous), 0);
    const itimerval ticks{{0, 20000}, {0, 20000}};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &ticks, nullptr), 0);

    const CommandOutcome outcome = GXExecCommand("sleep 0.3; printf done");

    const itimerval stop{};
    ::setitimer(ITIMER_REAL, &stop, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);
    EXPECT_TRUE(outcome.succeeded()) << outcome.error.toStdString();
    EXPECT_EQ(readFile(outcome.outputPath), QByteArray("done"));
}

class ChildSetupTest : public RunnerFixture {};

TEST_F(ChildSetupTest, ChildGetsNullInputAndNoInheritedDescriptors)
{
    const int inheritable = ::open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
    ASSERT_GE(inheritable, 3);
    const QString probe =
        qs("readlink /proc/$$/fd/0; [ -e /proc/$$/fd/%1 ] && echo leaked || echo closed")
            .arg(inheritable);
    const CommandOutcome outcome = GXExecCommand({qs("sh"), qs("-c"), probe});
    ::close(inheritable);
    EXPECT_TRUE(outcome.succeeded()) << outcome.error.toStdString();
    EXPECT_EQ(readFile(outcome.outputPath), QByteArray("/dev/null\nclosed\n"));
}

TEST_F(ChildSetupTest, IgnoredAndBlockedSignalsDoNotReachTheChild)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGPIPE, &ignore, &previous), 0);
    sigset_t blocked, previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &blocked, &previousMask), 0);

    const CommandOutcome outcome =
        GXExecCommand({qs("grep"), qs("^Sig[BI]"), qs("/proc/self/status")});

    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    ::sigaction(SIGPIPE, &previous, nullptr);
    EXPECT_TRUE(outcome.succeeded()) << outcome.error.toStdString();
    const QList<QByteArray> lines = readFile(outcome.outputPath).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    ASSERT_TRUE(lines[0].startsWith("SigBlk:\t") && lines[1].startsWith("SigIgn:\t"));
    const auto signalBit = [](int signal) {
        return 1ULL << (signal - 1);
    };
    bool parsed = false;
    EXPECT_EQ(lines[0].mid(8).toULongLong(&parsed, 16), 0ULL);
    EXPECT_TRUE(parsed);
    // glibc keeps its own internal signals (32 and 33) ignored; the caller's ignored ones must go.
    EXPECT_EQ(lines[1].mid(8).toULongLong(&parsed, 16) & signalBit(SIGPIPE), 0ULL);
    EXPECT_TRUE(parsed);
}

class OutputFolderTest : public RunnerFixture {};

TEST_F(OutputFolderTest, IsCreatedPrivateWhateverTheUmask)
{
    const mode_t previousUmask = ::umask(0277);
    QString error;
    const QString created = CommandRunner::outputFolder(&error);
    ::umask(previousUmask);
    EXPECT_EQ(created, folder()) << error.toStdString();
    const mode_t mode = lstatMode(folder());
    EXPECT_TRUE(S_ISDIR(mode));
    EXPECT_EQ(mode & 07777, 0700u);
    // A second call accepts the folder it made.
    EXPECT_EQ(CommandRunner::outputFolder(), folder());
}

TEST_F(OutputFolderTest, RunnersShareTheFolderAndTheGeneralFile)
{
    const CommandOutcome general = GXExecCommand("printf general");
    const CommandOutcome clean = CleanExecCommand("printf clean");
    const CommandOutcome repair = aepairExecCommand("printf repair");
    const CommandOutcome eraser = eraserExecCommand("printf eraser");
    EXPECT_EQ(general.outputPath, clean.outputPath);
    EXPECT_EQ(readFile(general.outputPath), QByteArray("clean"));
    for (const CommandOutcome* outcome : {&general, &clean, &repair, &eraser})
        EXPECT_EQ(QFileInfo(outcome->outputPath).absolutePath(), folder());
    EXPECT_EQ(readFile(repair.outputPath), QByteArray("repair"));
    EXPECT_EQ(readFile(eraser.outputPath), QByteArray("eraser"));
}

TEST_F(OutputFolderTest, OverwriteNeverFollowsALinkAtTheOutputFile)
{
    ASSERT_FALSE(CommandRunner::outputFolder().isEmpty());
    const QString target = scratch("precious");
    writeFile(target, "precious content");
    ASSERT_TRUE(QFile::link(target, folder() + qs("/LumasetRepairTemp.plist")));

    const CommandOutcome outcome = aepairExecCommand("printf new");
    EXPECT_TRUE(outcome.error.contains(qs("symbolic link"))) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.outputPath.isEmpty());
    EXPECT_EQ(readFile(target), QByteArray("precious content"));

    // A runner that removes old output first replaces the link with a file of its own.
    ASSERT_TRUE(QFile::link(target, folder() + qs("/eraserVolumeTemp.plist")));
    const CommandOutcome erased = eraserExecCommand("printf new");
    EXPECT_TRUE(erased.succeeded()) << erased.error.toStdString();
    EXPECT_TRUE(S_ISREG(lstatMode(erased.outputPath)));
    EXPECT_EQ(readFile(target), QByteArray("precious content"));
}

enum class Planted { LinkToFolder, OpenFolder, PlainFile, OtherOwner };

class PlantedFolderTest : public RunnerFixture, public ::testing::WithParamInterface<Planted> {};

TEST_P(PlantedFolderTest, IsRefusedAndNothingRuns)
{
    const QByteArray path = QFile::encodeName(folder());
    const QString elsewhere = scratch("elsewhere");
    switch (GetParam()) {
    case Planted::LinkToFolder:
        ASSERT_TRUE(QDir().mkdir(elsewhere));
        ASSERT_EQ(::chmod(QFile::encodeName(elsewhere).constData(), 0700), 0);
        ASSERT_TRUE(QFile::link(elsewhere, folder()));
        break;
    case Planted::OpenFolder:
        ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
        ASSERT_EQ(::chmod(path.constData(), 0755), 0);
        break;
    case Planted::PlainFile:
        writeFile(folder(), "not a folder");
        break;
    case Planted::OtherOwner:
        if (::geteuid() != 0)
            GTEST_SKIP() << "handing a folder to another user needs root";
        ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
        ASSERT_EQ(::chown(path.constData(), 65534, 65534), 0);
        break;
    }

    QString error;
    EXPECT_TRUE(CommandRunner::outputFolder(&error).isEmpty());
    EXPECT_TRUE(error.contains(folder())) << error.toStdString();

    const QString marker = scratch("ran");
    const CommandOutcome outcome = GXExecCommand({qs("touch"), marker});
    EXPECT_EQ(outcome.error, error);
    EXPECT_TRUE(outcome.outputPath.isEmpty());
    EXPECT_EQ(outcome.exitStatus, -1);
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_FALSE(QFile::exists(elsewhere + qs("/quillfen.plist")));
}

const char* const plantedNames[] = {"LinkToFolder", "OpenFolder", "PlainFile", "OtherOwner"};

void PrintTo(Planted planted, std::ostream* out)
{
    *out << plantedNames[static_cast<int>(planted)];
}

std::string plantedName(const ::testing::TestParamInfo<Planted>& info)
{
    return plantedNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Plants, PlantedFolderTest,
                         ::testing::Values(Planted::LinkToFolder, Planted::OpenFolder,
                                           Planted::PlainFile, Planted::OtherOwner),
                         plantedName);

enum class RuntimeDir { Unset, Missing, Relative, GroupWritable, LinkToFolder };

class RuntimeFallbackTest : public RunnerFixture,
                            public ::testing::WithParamInterface<RuntimeDir> {};

TEST_P(RuntimeFallbackTest, UsesThePrivateTemporaryFolder)
{
    switch (GetParam()) {
    case RuntimeDir::Unset:
        qunsetenv("XDG_RUNTIME_DIR");
        break;
    case RuntimeDir::Missing:
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch("missing")));
        break;
    case RuntimeDir::Relative:
        qputenv("XDG_RUNTIME_DIR", "relative/run");
        break;
    case RuntimeDir::GroupWritable:
        ASSERT_EQ(::chmod(QFile::encodeName(m_runtime.path()).constData(), 0770), 0);
        break;
    case RuntimeDir::LinkToFolder:
        ASSERT_TRUE(QFile::link(m_runtime.path(), scratch("runtime-link")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch("runtime-link")));
        break;
    }
    const QString expected = m_temp.path() + qs("/corvella-%1").arg(::geteuid());
    EXPECT_EQ(CommandRunner::outputFolder(), expected);
    EXPECT_EQ(lstatMode(expected) & 07777, 0700u);
    const CommandOutcome outcome = GXExecCommand("printf fallback");
    EXPECT_EQ(outcome.outputPath, expected + qs("/quillfen.plist"));
    EXPECT_EQ(readFile(outcome.outputPath), QByteArray("fallback"));
    EXPECT_FALSE(QFile::exists(folder()));
}

const char* const runtimeDirNames[] = {"Unset", "Missing", "Relative", "GroupWritable",
                                       "LinkToFolder"};

void PrintTo(RuntimeDir runtimeDir, std::ostream* out)
{
    *out << runtimeDirNames[static_cast<int>(runtimeDir)];
}

std::string runtimeDirName(const ::testing::TestParamInfo<RuntimeDir>& info)
{
    return runtimeDirNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(RuntimeDirs, RuntimeFallbackTest,
                         ::testing::Values(RuntimeDir::Unset, RuntimeDir::Missing,
                                           RuntimeDir::Relative, RuntimeDir::GroupWritable,
                                           RuntimeDir::LinkToFolder),
                         runtimeDirName);

} // namespace

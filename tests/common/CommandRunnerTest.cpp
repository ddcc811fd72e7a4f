#include "common/CommandRunner.h"

#include "common/ExecCommands.h"
#include "platform/PrivateRuntimeFolder.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

// Private runtime and temporary folders, so no run reaches the real user's folders.
class RunnerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid() && m_temp.isValid() && m_scratch.isValid());
    }
    QString folder() const { return m_runtime.path() + u"/corvella"_s; }
    QString scratch(const QString& name) const { return m_scratch.filePath(name); }

    QTemporaryDir m_runtime, m_temp, m_scratch;
    ScopedEnvironmentVariable m_runtimeVariable{"XDG_RUNTIME_DIR", files::native(m_runtime.path())};
    ScopedEnvironmentVariable m_tempVariable{"TMPDIR", files::native(m_temp.path())};
};

template <typename Case>
class Table : public RunnerFixture, public ::testing::WithParamInterface<Case> {};
constexpr auto byName = [](const auto& info) {
    return std::string(info.param.name);
};

// The file names are the runners' contract with the code that reads their output.
struct RunnerCase {
    const char* name;
    CommandOutcome (*line)(const char*);
    CommandOutcome (*vector)(const QStringList&);
    const char* fileName;
    bool removesOldOutput;
};
const RunnerCase runnerCases[] = {
    {"GX", &GXExecCommand, &GXExecCommand, "quillfen.plist", true},
    {"Clean", &CleanExecCommand, &CleanExecCommand, "quillfen.plist", true},
    {"aepair", &aepairExecCommand, &aepairExecCommand, "LumasetRepairTemp.plist", false},
    {"eraser", &eraserExecCommand, &eraserExecCommand, "eraserVolumeTemp.plist", true},
};
using RunnerTableTest = Table<RunnerCase>;

TEST_P(RunnerTableTest, ReplacesOldOutputNeverThroughALinkAndReportsTheExitStatus)
{
    const RunnerCase& runner = GetParam();
    const QString output = folder() + u'/' + QLatin1String(runner.fileName);
    const QString held = scratch(u"held-by-a-reader"_s);
    ASSERT_FALSE(PrivateRuntimeFolder::path().isEmpty());
    ASSERT_TRUE(writeFile(held, "precious") && QFile::link(held, output));
    const CommandOutcome linked = runner.line("printf new");
    EXPECT_EQ(readFile(held), QByteArray("precious"));
    EXPECT_EQ(linked.error.contains(u"symbolic link"_s), !runner.removesOldOutput);
    EXPECT_EQ(QFileInfo(output).isSymLink(), !runner.removesOldOutput);

    // A reader holding the old output by a hard link keeps it when it is removed first, and sees
    // the new output when it is overwritten. (Both forms of a runner write the same way.)
    const QByteArray stale("stale output, longer than the fresh one");
    QFile::remove(output);
    QFile::remove(held);
    ASSERT_TRUE(writeFile(output, stale) &&
                ::link(files::native(output).constData(), files::native(held).constData()) == 0);
    const CommandOutcome outcome = runner.vector({u"sh"_s, u"-c"_s, u"printf fresh; exit 3"_s});
    EXPECT_EQ(outcome.exitStatus, 3);
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    EXPECT_EQ(outcome.outputPath, output);
    EXPECT_EQ(readFile(output), QByteArray("fresh"));
    EXPECT_EQ(readFile(held), runner.removesOldOutput ? stale : QByteArray("fresh"));
    if (runner.removesOldOutput) {
        EXPECT_EQ(modeOf(output), 0600u);
    }
}
INSTANTIATE_TEST_SUITE_P(Runners, RunnerTableTest, ::testing::ValuesIn(runnerCases), byName);

// Runs "printf fits #xx…", `past` bytes longer than fills the buffer with " > <output path>".
CommandOutcome runPadded(int past)
{
    const QString output = PrivateRuntimeFolder::path() + u"/quillfen.plist"_s;
    const int size = CommandRunner::commandLineBufferSize - 4 - files::native(output).size();
    return GXExecCommand(QByteArray("printf fits #").leftJustified(size + past, 'x').constData());
}

// The output file, if answered, then holds `file` (unchecked when null); "old" means the run
// answered no file and left the old output alone. An empty error means none is expected.
struct EndingCase {
    const char* name;
    CommandOutcome (*run)();
    int exitStatus;
    const char* error;
    const char* file;
};
const EndingCase endingCases[] = {
    {"NullLine", [] { return GXExecCommand(nullptr); }, -1, "", "old"},
    {"EmptyLine", [] { return GXExecCommand(""); }, -1, "", "old"},
    {"EmptyVector", [] { return GXExecCommand(QStringList()); }, -1, "", "old"},
    {"ZeroByte", [] { return GXExecCommand(QStringList() << u"ls"_s << u"a\0b"_s); }, -1, "zero",
     "old"},
    {"LineFillingTheBuffer", [] { return runPadded(0); }, 0, "", "fits"},
    {"LineOneBytePast", [] { return runPadded(1); }, -1, "too long", "old"},
    {"NoProgram", [] { return GXExecCommand({u"corvella-none"_s}); }, -1, "not found", nullptr},
    {"NoExecute", [] { return GXExecCommand({u"/etc/passwd"_s}); }, -1, "permission", nullptr},
    {"MissingViaShell", [] { return GXExecCommand("corvella-no-such 2>/dev/null"); }, 127, "", ""},
    {"Killed", [] { return GXExecCommand("printf part; kill -KILL $$"); }, -1, "signal 9", "part"},
    {"Terminated", [] { return CleanExecCommand("kill -TERM $$"); }, -1, "signal 15", ""},
};
using EndingTest = Table<EndingCase>;

TEST_P(EndingTest, AnswersHowTheRunEnded)
{
    const EndingCase& ending = GetParam();
    const QString file = folder() + u"/quillfen.plist"_s;
    ASSERT_TRUE(!PrivateRuntimeFolder::path().isEmpty() && writeFile(file, "old"));
    const CommandOutcome outcome = ending.run();
    EXPECT_EQ(outcome.exitStatus, ending.exitStatus);
    EXPECT_TRUE(*ending.error ? outcome.error.contains(QLatin1String(ending.error))
                              : outcome.error.isEmpty())
        << outcome.error.toStdString();
    const bool answersFile = ending.file && qstrcmp(ending.file, "old") != 0;
    EXPECT_EQ(outcome.outputPath, answersFile ? file : QString());
    if (ending.file) {
        EXPECT_EQ(readFile(file), QByteArray(ending.file));
    }
}
INSTANTIATE_TEST_SUITE_P(Endings, EndingTest, ::testing::ValuesIn(endingCases), byName);

// Each text holds "%1", replaced by a marker path that must never come to exist.
using HostileArgumentTest = Table<const char*>;

TEST_P(HostileArgumentTest, ReachesTheProgramAsOneArgument)
{
    const QString marker = scratch(u"x"_s);
    const QString hostile = QString::fromUtf8(GetParam()).replace(u"%1"_s, marker);
    const QByteArray line = "printf '%s\\n' " + CommandRunner::shellQuote(hostile).toUtf8();
    for (const CommandOutcome& outcome :
         {GXExecCommand({u"printf"_s, u"%s\\n"_s, hostile}), GXExecCommand(line.constData())}) {
        EXPECT_TRUE(outcome.succeeded()) << outcome.error.toStdString();
        EXPECT_EQ(readFile(outcome.outputPath), hostile.toUtf8() + '\n');
    }
    EXPECT_FALSE(exists(marker));
}
INSTANTIATE_TEST_SUITE_P(Texts, HostileArgumentTest,
                         ::testing::Values("a\"; touch %1; \"", "a'; touch %1; '", "$(touch %1)",
                                           "it's\ntouch %1", "*", "", "Ä \t tab \\"));

struct ChildTest : RunnerFixture {
    static void interrupt(int) {}
};

TEST_F(ChildTest, WaitingSurvivesInterruptingSignals)
{
    struct sigaction handler = {}, previous = {};
    handler.sa_handler = &interrupt;
    sigemptyset(&handler.sa_mask); // and no SA_RESTART: waitpid returns EINTR at every tick
    ASSERT_EQ(::sigaction(SIGALRM, &handler, &previous), 0);
    const itimerval ticks{{0, 20000}, {0, 20000}}, stop{};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &ticks, nullptr), 0);
    const CommandOutcome outcome = GXExecCommand("sleep 0.3; printf done");
    ::setitimer(ITIMER_REAL, &stop, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);
    EXPECT_TRUE(outcome.succeeded()) << outcome.error.toStdString();
    EXPECT_EQ(readFile(outcome.outputPath), QByteArray("done"));
}

TEST_F(ChildTest, GetsNullInputNoInheritedDescriptorsAndDefaultSignals)
{
    const int inheritable = ::open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
    ASSERT_GE(inheritable, 3);
    const auto previousPipe = std::signal(SIGPIPE, SIG_IGN);
    sigset_t blocked, previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &blocked, &previousMask), 0);
    const QByteArray probe = "readlink /proc/$$/fd/0; [ -e /proc/$$/fd/" +
                             QByteArray::number(inheritable) + " ] && echo leaked || echo closed";
    const QByteArray descriptors = readFile(GXExecCommand(probe.constData()).outputPath);
    // Signals this process ignores or blocks must still end the child.
    const CommandOutcome pipe = GXExecCommand("kill -PIPE $$; printf survived");
    const CommandOutcome user = GXExecCommand("kill -USR1 $$; printf survived");
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    std::signal(SIGPIPE, previousPipe);
    ::close(inheritable);
    EXPECT_EQ(descriptors, QByteArray("/dev/null\nclosed\n"));
    EXPECT_TRUE(pipe.error.contains(u"signal 13"_s)) << pipe.error.toStdString();
    EXPECT_TRUE(user.error.contains(u"signal 10"_s)) << user.error.toStdString();
}

// Each script prepares the runtime folder ($1) or a scratch path ($2) and may print a value for
// XDG_RUNTIME_DIR. The output folder is then refused, or made (under a hostile umask) in the
// runtime folder or else in the temporary folder.
enum class Answer { Refused, Runtime, Temporary };
struct FolderCase {
    const char* name;
    const char* script;
    Answer answer;
};
const FolderCase folderCases[] = {
    {"Fresh", "true", Answer::Runtime},
    {"LinkToFolder", "mkdir -m 700 \"$2\" && ln -s \"$2\" \"$1/corvella\"", Answer::Refused},
    {"OpenFolder", "mkdir -m 755 \"$1/corvella\"", Answer::Refused},
    {"PlainFile", "echo not a folder > \"$1/corvella\"", Answer::Refused},
    {"OtherOwner", "mkdir \"$1/corvella\" && chown 65534 \"$1/corvella\"", Answer::Refused},
    {"RuntimeMissing", "printf %s \"$2\"", Answer::Temporary},
    {"RuntimeRelative", "printf relative/run", Answer::Temporary},
    {"RuntimeGroupWritable", "chmod 770 \"$1\"", Answer::Temporary},
    {"RuntimeLinkToFolder", "ln -s \"$1\" \"$2\" && printf %s \"$2\"", Answer::Temporary},
};
using OutputFolderTest = Table<FolderCase>;

TEST_P(OutputFolderTest, IsPrivateOrRefused)
{
    const QString elsewhere = scratch(u"elsewhere"_s), marker = scratch(u"ran"_s);
    QProcess setup;
    setup.start(u"/bin/sh"_s,
                {u"-c"_s, QLatin1String(GetParam().script), u"sh"_s, m_runtime.path(), elsewhere});
    ASSERT_TRUE(setup.waitForFinished() && setup.exitCode() == 0) << "run as root: chown";
    if (const QByteArray value = setup.readAllStandardOutput(); !value.isEmpty())
        qputenv("XDG_RUNTIME_DIR", value); // the fixture restores it
    QString error;
    const mode_t previousUmask = ::umask(0277);
    const QString answer = PrivateRuntimeFolder::path(&error);
    ::umask(previousUmask);
    const CommandOutcome outcome = GXExecCommand({u"touch"_s, marker}); // asks again
    const QString expected =
        QStringList{QString(), folder(),
                    m_temp.path() + u"/corvella-%1"_s.arg(::geteuid())}[int(GetParam().answer)];
    EXPECT_EQ(answer, expected) << error.toStdString();
    EXPECT_EQ(outcome.outputPath, expected.isEmpty() ? QString() : expected + u"/quillfen.plist"_s);
    EXPECT_EQ(exists(marker), !expected.isEmpty());
    EXPECT_EQ(exists(folder()), GetParam().answer != Answer::Temporary);
    if (expected.isEmpty()) {
        EXPECT_TRUE(error.contains(folder()) && outcome.error == error) << error.toStdString();
        EXPECT_FALSE(exists(elsewhere + u"/quillfen.plist"_s));
    } else {
        EXPECT_EQ(modeOf(expected), 0700u);
        EXPECT_TRUE(QFileInfo(expected).isDir() && !QFileInfo(expected).isSymLink());
    }
}
INSTANTIATE_TEST_SUITE_P(Folders, OutputFolderTest, ::testing::ValuesIn(folderCases), byName);

} // namespace

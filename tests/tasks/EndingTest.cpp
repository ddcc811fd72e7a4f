#include "CloseRequestRecorder.h"
#include "platform/proc/ProcProcesses.h"
#include "platform/proc/ProcessHandle.h"
#include "support/ChildProcess.h"
#include "support/Cli.h"
#include "tasks/ApplicationCloser.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskTerminator.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <gtest/gtest.h>

namespace {

TaskManagerInfo held(int pid)
{
    TaskManagerInfo record;
    record.pID = pid;
    record.process = ProcessHandle::open(pid, ProcProcesses().startTime(pid), &record.handleError);
    return record;
}

TEST(Ending, ChildIgnoringTerminationIsForceQuitOnRequest)
{
    ChildProcess child("/bin/sh", {"-c", "trap '' TERM; echo ready; read line"});
    ASSERT_TRUE(child.process.waitForReadyRead(10000));
    const TaskManagerInfo record = held(child.pid());
    ASSERT_EQ(TaskTerminator::doCloseWithPID(record), 0);
    EXPECT_FALSE(record.process->waitForExit(300));
    EXPECT_TRUE(TaskTerminator::isRunning(record));
    EXPECT_EQ(TaskTerminator::forceQuit(record), 0);
    ASSERT_TRUE(child.process.waitForFinished(10000));
    EXPECT_EQ(child.process.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(TaskTerminator::forceQuit(record), ESRCH); // gone: reported, not "done"
}

TEST(Ending, ReusedIdentifierIsNeverSignalled)
{
    QFile lastPid("/proc/sys/kernel/ns_last_pid");
    if (!lastPid.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "Reusing an identifier on purpose needs root (ns_last_pid)";
    auto first = std::make_unique<ChildProcess>("sleep", QStringList{"60"});
    const int pid = first->pid();
    const std::optional<std::uint64_t> started = ProcProcesses().startTime(pid);
    const TaskManagerInfo record = held(pid);
    first.reset();       // killed and reaped: the identifier is free
    QThread::msleep(30); // start times count clock ticks (10 ms): let the next one differ
    lastPid.write(QByteArray::number(pid - 1));
    lastPid.close();
    ChildProcess second("sleep", {"60"});
    if (second.pid() != pid)
        GTEST_SKIP() << "Another process took the identifier first";
    EXPECT_EQ(TaskTerminator::doCloseWithPID(record), ESRCH);
    int error = 0;
    EXPECT_EQ(ProcessHandle::open(pid, started, &error), nullptr);
    EXPECT_EQ(error, ESRCH);
    EXPECT_EQ(second.process.state(), QProcess::Running);
}

TEST(Ending, IdentifiersOfZeroOrBelowAreRefused)
{
    for (const int pid : {0, -1, -42}) {
        TaskManagerInfo record;
        record.pID = pid;
        EXPECT_EQ(TaskTerminator::doCloseWithPID(record), EINVAL) << pid;
        int error = 0;
        EXPECT_EQ(ProcessHandle::open(pid, std::nullopt, &error), nullptr);
        EXPECT_EQ(error, EINVAL) << pid;
    }
}

#ifdef CLOSE_REQUEST_CLIENT
struct CloseCase {
    const char* mode;
    QByteArray recorded;
    bool requested;
    bool terminated;
};

class Closing : public ::testing::TestWithParam<CloseCase> {};

// The close request comes first: a client that answers it within the grace quits by itself and
// never sees a signal; one that ignores it, or has no window, gets SIGTERM (the latter at once).
TEST_P(Closing, RequestFirstThenTerminationOnlyAfterTheGraceOrWithoutWindow)
{
    const CloseCase& row = GetParam();
    const bool windowed = QByteArray(row.mode) != "windowless";
    if (windowed && !hasWindowManager())
        GTEST_SKIP() << "Needs an X display with an EWMH window manager";
    Recorder client(row.mode);
    ASSERT_TRUE(client.waitUntilReady(windowed)) << client.output().toStdString();
    TaskManagerInfo record = held(client.pid());
    constexpr int Grace = 1500;
    ApplicationCloser::Options options;
    options.graceMilliseconds = Grace;
    options.windows = [] {
        return TaskListBuilder::createWindowSource();
    };
    ApplicationCloser closer(options);
    bool aliveAtRequest = false;
    qint64 terminatedAfter = -1;
    QElapsedTimer clock;
    QObject::connect(&closer, &ApplicationCloser::closeRequested,
                     [&] { aliveAtRequest = record.process->isRunning(); });
    QObject::connect(&closer, &ApplicationCloser::terminationSent,
                     [&] { terminatedAfter = clock.elapsed(); });
    QList<ApplicationCloser::Result> results;
    QEventLoop loop;
    QObject::connect(&closer, &ApplicationCloser::finished, &loop, &QEventLoop::quit);
    QObject::connect(&closer, &ApplicationCloser::finished,
                     [&](const auto& all) { results = all; });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    clock.start();
    ASSERT_TRUE(closer.close({record}));
    loop.exec();
    ASSERT_EQ(results.size(), 1);
    EXPECT_TRUE(client.process.state() == QProcess::NotRunning ||
                client.process.waitForFinished(5000));
    EXPECT_EQ(client.output(), row.recorded);
    EXPECT_EQ(results.first().outcome, ApplicationCloser::Outcome::Quit)
        << results.first().text().toStdString();
    EXPECT_EQ(results.first().windowsAsked > 0, row.requested);
    EXPECT_EQ(aliveAtRequest, row.requested);
    EXPECT_EQ(results.first().terminated, row.terminated);
    if (row.terminated && row.requested) {
        EXPECT_GE(terminatedAfter, Grace - 100);
    } else if (row.terminated) {
        EXPECT_LT(terminatedAfter, Grace / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clients, Closing,
    ::testing::Values(CloseCase{"answer", "ready\nclose-request\nquit\n", true, false},
                      CloseCase{"ignore", "ready\nclose-request\nSIGTERM\n", true, true},
                      CloseCase{"windowless", "ready\nSIGTERM\n", false, true}),
    [](const auto& info) { return std::string(info.param.mode); });

struct CliCase {
    const char* mode;
    QStringList options;
    QByteArray recorded;
    const char* said;
};

class CliEnding : public ::testing::TestWithParam<CliCase> {};

// `tasks end` ends the same way; --force keeps the old immediate signal.
TEST_P(CliEnding, EndsTheWayTheTabDoes)
{
    const CliCase& row = GetParam();
    if (!hasWindowManager())
        GTEST_SKIP() << "Needs an X display with an EWMH window manager";
    Recorder client(row.mode);
    ASSERT_TRUE(client.waitUntilReady(true));
    const CliRun ended =
        cli(QStringList{"tasks", "end", QString::number(client.pid())} + row.options);
    EXPECT_EQ(ended.exitCode, 0) << ended.err.toStdString();
    EXPECT_TRUE(ended.out.contains(row.said)) << ended.out.toStdString();
    EXPECT_TRUE(client.process.waitForFinished(5000));
    EXPECT_EQ(client.output(), row.recorded);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, CliEnding,
    ::testing::Values(
        CliCase{"answer",
                {"--force-after", "2"},
                "ready\nclose-request\nquit\n",
                "quit after it was asked to close"},
        CliCase{"ignore", {"--force-after", "0.5"}, "ready\nclose-request\nSIGTERM\n", "(SIGTERM)"},
        CliCase{"answer", {"--force"}, "ready\nSIGTERM\n", "(SIGTERM)"}),
    [](const auto& info) { return std::to_string(info.index) + info.param.mode; });

// Without a reachable X server the list says that windows could not be listed.
TEST(CliListing, NoReachableDisplayIsSaid)
{
    for (const QStringList& display :
         {QStringList{"env", "-u", "DISPLAY"}, {"env", "DISPLAY=:4093"}}) {
        const CliRun listed = cli({"tasks"}, {}, display);
        EXPECT_EQ(listed.exitCode, 1) << display.last().toStdString();
        EXPECT_TRUE(listed.err.contains("windows could not be listed")) << listed.err.toStdString();
    }
}
#endif

} // namespace

#include "platform/ProcProcesses.h"
#include "platform/ProcessHandle.h"
#include "tasks/TaskListBuilder.h"
#include "tasks/TaskTerminator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Child {
    explicit Child(const QString& program, const QStringList& arguments)
    {
        process.start(program, arguments);
        process.waitForStarted(10000);
    }
    ~Child()
    {
        process.kill();
        process.waitForFinished(10000);
    }
    int pid() const { return int(process.processId()); }
    QProcess process;
};

TaskManagerInfo held(int pid)
{
    TaskManagerInfo record;
    record.pID = pid;
    record.process = ProcessHandle::open(pid, ProcProcesses().startTime(pid), &record.handleError);
    return record;
}

// Rebuilds the list until `done` holds for it or 20 seconds pass; the last list.
QList<TaskManagerInfo> listUntil(TaskListBuilder& builder,
                                 const std::function<bool(const QList<int>&)>& done)
{
    const QDeadlineTimer deadline(20000);
    for (;;) {
        const QList<TaskManagerInfo> records = builder.getAllProcess();
        QList<int> pids;
        for (const TaskManagerInfo& record : records)
            pids.append(record.pID);
        if (done(pids) || deadline.hasExpired())
            return records;
        QThread::msleep(50);
    }
}

TEST(Ending, WindowsOfChildrenAreListedAndEndingTheTickedOneLeavesTheRest)
{
    std::unique_ptr<ClientWindowSource> windows = TaskListBuilder::createWindowSource();
    const QString xmessage = QStandardPaths::findExecutable("xmessage");
    if (!windows || !windows->clientWindows() || xmessage.isEmpty())
        GTEST_SKIP() << "Needs an X display with an EWMH window manager, and xmessage";
    TaskListBuilder builder({}, std::move(windows));
    std::vector<std::unique_ptr<Child>> children;
    for (const char* name : {"corvellaone", "corvellatwo", "corvellathree"})
        children.push_back(std::make_unique<Child>(xmessage, QStringList{"-name", name, name}));
    const auto has = [&children](const QList<int>& pids, std::size_t index) {
        return pids.contains(children.at(index)->pid());
    };
    QList<TaskManagerInfo> records = listUntil(builder, [&](const QList<int>& pids) {
        return has(pids, 0) && has(pids, 1) && has(pids, 2);
    });
    const auto second = std::find_if(records.cbegin(), records.cend(), [&](const auto& record) {
        return record.pID == children.at(1)->pid();
    });
    ASSERT_NE(second, records.cend());
    EXPECT_TRUE(second->bIsSelected);
    EXPECT_EQ(TaskTerminator::doCloseWithPID(*second), 0);
    EXPECT_TRUE(children.at(1)->process.waitForFinished(10000));
    records = listUntil(builder, [&](const QList<int>& pids) { return !has(pids, 1); });
    QList<int> pids;
    for (const TaskManagerInfo& record : records)
        pids.append(record.pID);
    EXPECT_FALSE(has(pids, 1));
    EXPECT_TRUE(has(pids, 0) && has(pids, 2));
}

TEST(Ending, ChildIgnoringTerminationIsForceQuitOnRequest)
{
    Child child("/bin/sh", {"-c", "trap '' TERM; echo ready; read line"});
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
    auto first = std::make_unique<Child>("sleep", QStringList{"60"});
    const int pid = first->pid();
    const std::optional<std::uint64_t> started = ProcProcesses().startTime(pid);
    const TaskManagerInfo record = held(pid);
    first.reset();       // killed and reaped: the identifier is free
    QThread::msleep(30); // start times count clock ticks (10 ms): let the next one differ
    lastPid.write(QByteArray::number(pid - 1));
    lastPid.close();
    Child second("sleep", {"60"});
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

} // namespace

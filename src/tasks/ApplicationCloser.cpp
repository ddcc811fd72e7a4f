#include "tasks/ApplicationCloser.h"

#include "common/BackgroundTask.h"
#include "platform/proc/ProcFile.h"
#include "platform/proc/ProcProcesses.h"
#include "platform/proc/ProcessHandle.h"
#include "tasks/TaskListBuilder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <unistd.h>

struct ApplicationCloser::Pending {
    Result result;
    std::unique_ptr<QSocketNotifier> exitNotifier;
    bool done = false;
};

namespace {

struct Target {
    int pid = 0;
    QByteArray unit;
};

// Asks every window of each target to close; the number asked per target. Runs on the asking
// thread, with a window connection of its own.
QList<int> askWindows(const QList<Target>& targets, ClientWindowSource* windows,
                      const QString& procRoot)
{
    QList<int> counts(targets.size(), 0);
    const std::optional<QList<ClientWindow>> clients =
        windows ? windows->clientWindows() : std::nullopt;
    if (!clients)
        return counts;
    QHash<int, QByteArray> unitOfPid;
    for (const ClientWindow& client : *clients) {
        if (client.pid <= 0)
            continue;
        if (!unitOfPid.contains(client.pid)) {
            const QByteArray cgroup =
                ProcFile::read(procRoot + u'/' + QString::number(client.pid) + u"/cgroup");
            unitOfPid.insert(client.pid, ProcProcesses::appUnitFromCgroup(cgroup, ::getuid()));
        }
        const QByteArray unit = unitOfPid.value(client.pid);
        for (qsizetype index = 0; index < targets.size(); ++index) {
            const Target& target = targets.at(index);
            if (client.pid != target.pid && (target.unit.isEmpty() || unit != target.unit))
                continue;
            if (windows->requestClose(client.window) != ClientWindowSource::CloseRequest::None)
                ++counts[index];
        }
    }
    return counts;
}

QString who(const TaskManagerInfo& record)
{
    return record.shownName().isEmpty()
               ? QCoreApplication::translate("ApplicationCloser", "PID %1").arg(record.pID)
               : QCoreApplication::translate("ApplicationCloser", "“%1” (PID %2)")
                     .arg(record.shownName())
                     .arg(record.pID);
}

} // namespace

QString ApplicationCloser::Result::text() const
{
    switch (outcome) {
    case Outcome::Quit:
        if (terminated)
            return QCoreApplication::translate("ApplicationCloser",
                                               "%1 quit after the termination signal (SIGTERM).")
                .arg(who(record));
        if (windowsAsked > 0)
            return QCoreApplication::translate("ApplicationCloser",
                                               "%1 quit after it was asked to close.")
                .arg(who(record));
        return QCoreApplication::translate("ApplicationCloser", "%1 has quit.").arg(who(record));
    case Outcome::StillRunning:
        return QCoreApplication::translate("ApplicationCloser",
                                           "%1 is still running after being asked to quit.")
            .arg(who(record));
    case Outcome::Failed:
        break;
    }
    return QCoreApplication::translate("ApplicationCloser", "Could not end %1: %2.")
        .arg(who(record), ProcessHandle::describeError(error));
}

ApplicationCloser::ApplicationCloser(Options options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_graceTimer(new QTimer(this))
{
    qRegisterMetaType<ApplicationCloser::Result>();
    m_graceTimer->setSingleShot(true);
    connect(m_graceTimer, &QTimer::timeout, this, &ApplicationCloser::graceOver);
}

ApplicationCloser::~ApplicationCloser() = default;

bool ApplicationCloser::close(const QList<TaskManagerInfo>& records)
{
    if (isBusy() || records.isEmpty())
        return false;
    ++m_batch;
    for (const TaskManagerInfo& record : records) {
        auto pending = std::make_shared<Pending>();
        pending->result.record = record;
        m_pending.append(pending);
    }
    QList<Target> targets;
    for (qsizetype index = 0; index < m_pending.size(); ++index) {
        const TaskManagerInfo& record = m_pending.at(index)->result.record;
        targets.append({record.pID, record.unit});
        // 1 is init, never an application, whatever a window claims.
        if (record.pID <= 1 || !record.process || !record.process->isRunning()) {
            settle(index, Outcome::Failed,
                   record.pID <= 0           ? EINVAL
                   : record.pID == 1         ? EPERM
                   : record.handleError != 0 ? record.handleError
                                             : ESRCH);
            continue;
        }
        auto* notifier = new QSocketNotifier(record.process->descriptor(), QSocketNotifier::Read);
        m_pending.at(index)->exitNotifier.reset(notifier);
        connect(notifier, &QSocketNotifier::activated, this,
                [this, index] { settle(index, Outcome::Quit); });
    }
    if (!isBusy())
        return true;
    if (m_options.force) {
        windowsAsked(QList<int>(m_pending.size(), 0));
        return true;
    }
    // The window system is asked off this thread: a display that hangs never freezes the caller.
    BackgroundTask::run(
        this,
        [targets, makeWindows = m_options.windows, procRoot = m_options.procRoot] {
            const std::unique_ptr<ClientWindowSource> windows =
                makeWindows ? makeWindows() : nullptr;
            return askWindows(targets, windows.get(), procRoot);
        },
        [this, batch = m_batch](const QList<int>& counts) {
            if (batch == m_batch && isBusy())
                windowsAsked(counts);
        });
    return true;
}

void ApplicationCloser::windowsAsked(const QList<int>& windowCounts)
{
    for (qsizetype index = 0; index < m_pending.size(); ++index) {
        Pending& pending = *m_pending.at(index);
        if (pending.done)
            continue;
        pending.result.windowsAsked = int(windowCounts.value(index));
        if (pending.result.windowsAsked > 0)
            Q_EMIT closeRequested(pending.result.record.pID, pending.result.windowsAsked);
        else
            terminate(index);
    }
    if (isBusy())
        m_graceTimer->start(m_options.graceMilliseconds);
}

void ApplicationCloser::terminate(qsizetype index)
{
    Pending& pending = *m_pending.at(index);
    const int error = pending.result.record.process->sendSignal(SIGTERM);
    if (error == ESRCH) {
        settle(index, Outcome::Quit);
    } else if (error != 0) {
        settle(index, Outcome::Failed, error);
    } else {
        pending.result.terminated = true;
        Q_EMIT terminationSent(pending.result.record.pID);
    }
}

void ApplicationCloser::graceOver()
{
    // Those signalled at once have had their grace; those asked through windows get the signal
    // now, and a grace of their own.
    bool signalled = false;
    for (qsizetype index = 0; index < m_pending.size(); ++index) {
        Pending& pending = *m_pending.at(index);
        if (pending.done)
            continue;
        if (pending.result.terminated) {
            settle(index, Outcome::StillRunning);
        } else {
            terminate(index);
            signalled = signalled || pending.result.terminated;
        }
    }
    if (signalled && isBusy())
        m_graceTimer->start(m_options.graceMilliseconds);
}

void ApplicationCloser::settle(qsizetype index, Outcome outcome, int error)
{
    Pending& pending = *m_pending.at(index);
    if (pending.done)
        return;
    pending.done = true;
    pending.result.outcome = outcome;
    pending.result.error = error;
    if (pending.exitNotifier) {
        pending.exitNotifier->setEnabled(false);
        pending.exitNotifier.release()->deleteLater();
    }
    Q_EMIT ended(pending.result);
    finishIfDone();
}

void ApplicationCloser::finishIfDone()
{
    QList<Result> results;
    for (const auto& pending : std::as_const(m_pending)) {
        if (!pending->done)
            return;
        results.append(pending->result);
    }
    m_graceTimer->stop();
    m_pending.clear();
    Q_EMIT finished(results);
}

QList<ApplicationCloser::Result> ApplicationCloser::endProcesses(const QList<int>& pids, bool force,
                                                                 double forceAfterSeconds)
{
    const ProcProcesses processes;
    QList<TaskManagerInfo> records;
    for (const int pid : pids) {
        TaskManagerInfo record;
        record.pID = pid;
        record.name = processes.executableName(pid);
        if (pid > 0) {
            record.unit = ProcProcesses::appUnitFromCgroup(
                ProcFile::read(QStringLiteral("/proc/%1/cgroup").arg(pid)), ::getuid());
        }
        // Neither init nor this command: ending either is never what was meant.
        if (pid == 1 || pid == QCoreApplication::applicationPid())
            record.handleError = EPERM;
        else
            record.process =
                ProcessHandle::open(pid, processes.startTime(pid), &record.handleError);
        records.append(record);
    }
    Options options;
    options.force = force;
    options.graceMilliseconds = int(forceAfterSeconds * 1000);
    options.windows = [] {
        return TaskListBuilder::createWindowSource();
    };
    ApplicationCloser closer(options);
    QList<Result> results;
    QEventLoop loop;
    connect(&closer, &ApplicationCloser::finished, &loop, [&](const QList<Result>& all) {
        results = all;
        loop.quit();
    });
    closer.close(records);
    if (closer.isBusy())
        loop.exec();
    return results;
}

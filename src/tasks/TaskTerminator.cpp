#include "tasks/TaskTerminator.h"

#include "platform/proc/ProcessHandle.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>

namespace {

int sendSignal(const TaskManagerInfo& record, int signal)
{
    // 1 is the init process, never an application, whatever a window claims.
    if (record.pID <= 1)
        return record.pID == 1 ? EPERM : EINVAL;
    if (!record.process)
        return record.handleError != 0 ? record.handleError : ESRCH;
    return record.process->sendSignal(signal);
}

} // namespace

int TaskTerminator::doCloseWithPID(const TaskManagerInfo& record)
{
    return sendSignal(record, SIGTERM);
}

int TaskTerminator::forceQuit(const TaskManagerInfo& record)
{
    return sendSignal(record, SIGKILL);
}

bool TaskTerminator::isRunning(const TaskManagerInfo& record)
{
    return record.pID > 0 && record.process && record.process->isRunning();
}

QString TaskTerminator::failureText(const TaskManagerInfo& record, int error)
{
    return QCoreApplication::translate("TaskTerminator", "Could not end “%1” (PID %2): %3.")
        .arg(record.shownName())
        .arg(record.pID)
        .arg(ProcessHandle::describeError(error));
}

#include "platform/proc/ProcessHandle.h"

#include "platform/proc/ProcProcesses.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int pidfdOpen(int pid)
{
    return int(::syscall(SYS_pidfd_open, pid, 0));
}

} // namespace

ProcessHandle::~ProcessHandle()
{
    ::close(m_fd);
}

std::shared_ptr<ProcessHandle>
ProcessHandle::open(int pid, std::optional<std::uint64_t> expectedStartTime, int* error)
{
    if (pid <= 0) {
        *error = EINVAL;
        return nullptr;
    }
    const int fd = pidfdOpen(pid);
    if (fd < 0) {
        *error = errno;
        return nullptr;
    }
    // pidfds are close-on-exec from the start.
    std::shared_ptr<ProcessHandle> handle(new ProcessHandle(pid, fd));
    // The descriptor pins the process now; it is the one that was found only if it started then.
    if (expectedStartTime && ProcProcesses().startTime(pid) != expectedStartTime) {
        *error = ESRCH;
        return nullptr;
    }
    *error = 0;
    return handle;
}

int ProcessHandle::sendSignal(int signal) const
{
    if (::syscall(SYS_pidfd_send_signal, m_fd, signal, nullptr, 0) == 0)
        return 0;
    return errno;
}

bool ProcessHandle::isRunning() const
{
    return !waitForExit(0);
}

bool ProcessHandle::waitForExit(int milliseconds) const
{
    pollfd entry{m_fd, POLLIN, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, milliseconds);
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0;
    }
}

QString ProcessHandle::describeError(int error)
{
    switch (error) {
    case 0:
        return {};
    case ESRCH:
        return QCoreApplication::translate("ProcessHandle", "it is no longer running");
    case EPERM:
    case EACCES:
        return QCoreApplication::translate("ProcessHandle", "you are not allowed to end it");
    case EINVAL:
        return QCoreApplication::translate("ProcessHandle", "it has no valid process identifier");
    case ENOSYS:
        return QCoreApplication::translate(
            "ProcessHandle", "this kernel cannot hold processes by pidfd (Linux 5.3 or later is "
                             "needed)");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// A process held by a pidfd: signals reach exactly the process that was opened, even when its
// identifier has been reused by another program since. Immovable; share it with shared_ptr. The
// descriptor closes with the object. Safe on any thread; nothing here blocks except
// waitForExit().
class ProcessHandle {
public:
    ~ProcessHandle();
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    // Opens process `pid`. With `expectedStartTime` (field 22 of /proc/PID/stat, read when the
    // process was found) the handle is refused when the identifier now names a later process.
    // Identifiers of 0 or below are refused (EINVAL). On failure returns nullptr and sets `error`
    // to the errno (ESRCH: no such process).
    static std::shared_ptr<ProcessHandle>
    open(int pid, std::optional<std::uint64_t> expectedStartTime, int* error);

    int pid() const { return m_pid; }
    // The pidfd: it turns readable when the process ends (watch it with a QSocketNotifier rather
    // than waiting). Owned by the handle.
    int descriptor() const { return m_fd; }
    // Sends `signal` to the process; 0 on success, else the errno (ESRCH once it has ended,
    // EPERM when the user may not signal it).
    int sendSignal(int signal) const;
    // False once the process has ended (it may still be a zombie awaiting its parent).
    bool isRunning() const;
    // Waits up to `milliseconds` for the process to end; true when it has.
    bool waitForExit(int milliseconds) const;

    // A short text for an errno of open() or sendSignal(), for the user ("it has already quit").
    static QString describeError(int error);

private:
    ProcessHandle(int pid, int fd) : m_pid(pid), m_fd(fd) {}

    int m_pid;
    int m_fd;
};

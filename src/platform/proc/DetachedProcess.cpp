#include "platform/proc/DetachedProcess.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// What the intermediate process tells the caller, in one write (well below PIPE_BUF).
struct Report {
    pid_t processId = 0;
    int execError = 0; // errno of the failed setup or exec, 0 when the program runs
    int ended = 0;     // the program ended within the watch time
    int waitStatus = 0;
};

// Only async-signal-safe calls from here to exec: the caller may have other threads.
void writeAll(int descriptor, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes += written;
        size -= size_t(written);
    }
}

[[noreturn]] void runProgram(char* const* argv, const char* folder, int nullInput, int execReport)
{
    // The report pipe and /dev/null must lie above the standard descriptors before those are set.
    execReport = ::fcntl(execReport, F_DUPFD_CLOEXEC, 3);
    nullInput = ::fcntl(nullInput, F_DUPFD_CLOEXEC, 3);
    int error = execReport < 0 || nullInput < 0 ? EMFILE : 0;
    ::setsid();
    sigset_t noSignals;
    sigemptyset(&noSignals);
    ::sigprocmask(SIG_SETMASK, &noSignals, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        if (signal != SIGKILL && signal != SIGSTOP)
            ::sigaction(signal, &standard, nullptr);
    }
    if (error == 0 && ::dup2(nullInput, 0) < 0)
        error = errno;
    if (error == 0 && folder && ::chdir(folder) != 0)
        error = errno;
    if (error == 0) {
        ::close_range(3, unsigned(execReport) - 1, 0);
        ::close_range(unsigned(execReport) + 1, ~0U, 0);
        ::execve(argv[0], argv, environ);
        error = errno;
    }
    if (execReport >= 0)
        writeAll(execReport, &error, sizeof error);
    ::_exit(127);
}

long long nowMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

[[noreturn]] void runIntermediate(char* const* argv, const char* folder, int nullInput, int report,
                                  int watchMilliseconds)
{
    // The caller may ignore SIGCHLD or catch it; here the program must stay waitable.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(SIGCHLD, &standard, nullptr);
    Report answer;
    int execPipe[2];
    if (::pipe2(execPipe, O_CLOEXEC) != 0) {
        answer.execError = errno;
        writeAll(report, &answer, sizeof answer);
        ::_exit(1);
    }
    const pid_t program = ::fork();
    if (program < 0) {
        answer.execError = errno;
        writeAll(report, &answer, sizeof answer);
        ::_exit(1);
    }
    if (program == 0) {
        ::close(execPipe[0]);
        ::close(report);
        runProgram(argv, folder, nullInput, execPipe[1]);
    }
    ::close(execPipe[1]);
    // End of file: the exec went through and closed the pipe.
    int execError = 0;
    ssize_t count = 0;
    do {
        count = ::read(execPipe[0], &execError, sizeof execError);
    } while (count < 0 && errno == EINTR);
    if (count != sizeof execError)
        execError = 0;
    answer.execError = execError;
    int status = 0;
    if (execError != 0) {
        while (::waitpid(program, &status, 0) < 0 && errno == EINTR) {
        }
    } else {
        answer.processId = program;
        const long long deadline = nowMilliseconds() + watchMilliseconds;
        while (watchMilliseconds > 0) {
            const pid_t waited = ::waitpid(program, &status, WNOHANG);
            if (waited == program) {
                answer.ended = 1;
                answer.waitStatus = status;
                break;
            }
            if ((waited < 0 && errno != EINTR) || nowMilliseconds() >= deadline)
                break;
            const timespec pause{0, 10 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
        }
    }
    writeAll(report, &answer, sizeof answer);
    ::_exit(0);
}

DetachedProcess::Result notStarted(int errorNumber, QString error)
{
    DetachedProcess::Result result;
    result.errorNumber = errorNumber;
    result.error = std::move(error);
    return result;
}

} // namespace

DetachedProcess::Result DetachedProcess::start(const QList<QByteArray>& arguments,
                                               const QByteArray& workingFolder,
                                               int watchMilliseconds)
{
    if (arguments.isEmpty() || !arguments.first().startsWith('/'))
        return notStarted(ENOENT, QCoreApplication::translate(
                                      "DetachedProcess", "No program was given by its full path."));
    for (const QByteArray& argument : arguments) {
        if (argument.contains('\0'))
            return notStarted(
                EINVAL, QCoreApplication::translate("DetachedProcess",
                                                    "An argument holds a zero byte, which cannot "
                                                    "be passed to a program."));
    }
    if (workingFolder.contains('\0'))
        return notStarted(
            EINVAL, QCoreApplication::translate("DetachedProcess",
                                                "The working folder's name holds a zero byte."));

    std::vector<char*> argv;
    argv.reserve(size_t(arguments.size()) + 1);
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    const char* folder = workingFolder.isEmpty() ? nullptr : workingFolder.constData();

    const int nullInput = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (nullInput < 0)
        return notStarted(errno, qt_error_string(errno));
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(nullInput);
        return notStarted(error, qt_error_string(error));
    }
    const pid_t intermediate = ::fork();
    if (intermediate == 0) {
        ::close(report[0]);
        runIntermediate(argv.data(), folder, nullInput, report[1], watchMilliseconds);
    }
    const int forkError = errno;
    ::close(report[1]);
    ::close(nullInput);
    Report answer;
    bool answered = false;
    if (intermediate > 0) {
        ssize_t count = 0;
        do {
            count = ::read(report[0], &answer, sizeof answer);
        } while (count < 0 && errno == EINTR);
        answered = count == sizeof answer;
        while (::waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    ::close(report[0]);
    if (intermediate < 0)
        return notStarted(forkError, qt_error_string(forkError));
    if (!answered)
        return notStarted(
            0, QCoreApplication::translate("DetachedProcess",
                                           "The helper process that starts programs ended early."));
    if (answer.execError != 0 || answer.processId <= 0) {
        const int error = answer.execError != 0 ? answer.execError : ESRCH;
        return notStarted(error, qt_error_string(error));
    }
    Result result;
    result.processId = answer.processId;
    if (answer.ended) {
        result.ended = true;
        if (WIFEXITED(answer.waitStatus))
            result.exitStatus = WEXITSTATUS(answer.waitStatus);
        else if (WIFSIGNALED(answer.waitStatus))
            result.signalNumber = WTERMSIG(answer.waitStatus);
    }
    return result;
}

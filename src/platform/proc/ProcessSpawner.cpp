#include "platform/proc/ProcessSpawner.h"

#include "platform/fs/FileDescriptor.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#if !defined(__GLIBC__) || !__GLIBC_PREREQ(2, 34)
#error "ProcessSpawner needs posix_spawn_file_actions_addclosefrom_np (glibc 2.34 or later)"
#endif

extern char** environ;

namespace {

// The spawn attributes and file actions, destroyed on every path out of run().
class SpawnSetup {
public:
    SpawnSetup()
    {
        m_actionsError = posix_spawn_file_actions_init(&m_actions);
        m_attributesError = posix_spawnattr_init(&m_attributes);
    }
    ~SpawnSetup()
    {
        if (m_actionsError == 0)
            posix_spawn_file_actions_destroy(&m_actions);
        if (m_attributesError == 0)
            posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // Returns 0 or the errno of the first step that failed.
    int prepare(int outputDescriptor)
    {
        if (m_actionsError != 0)
            return m_actionsError;
        if (m_attributesError != 0)
            return m_attributesError;

        // The output file is opened by the caller, not with an "open" file action: an action
        // opening with O_CLOEXEC would land on descriptor 1 itself and be closed at exec.
        // dup2 clears close-on-exec on the copy. Order matters: the copy is made before the
        // descriptors from 3 up, the original among them, are closed.
        if (int error = posix_spawn_file_actions_adddup2(&m_actions, outputDescriptor, 1))
            return error;
        if (int error = posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0))
            return error;
        if (int error = posix_spawn_file_actions_addclosefrom_np(&m_actions, 3))
            return error;

        sigset_t noSignals;
        sigemptyset(&noSignals);
        sigset_t allSignals;
        sigfillset(&allSignals);
        if (int error = posix_spawnattr_setsigmask(&m_attributes, &noSignals))
            return error;
        if (int error = posix_spawnattr_setsigdefault(&m_attributes, &allSignals))
            return error;
        return posix_spawnattr_setflags(&m_attributes,
                                        POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }

    const posix_spawn_file_actions_t* actions() const { return &m_actions; }
    const posix_spawnattr_t* attributes() const { return &m_attributes; }

private:
    posix_spawn_file_actions_t m_actions{};
    posix_spawnattr_t m_attributes{};
    int m_actionsError = 0;
    int m_attributesError = 0;
};

ProcessSpawner::Result notStarted(int errorNumber, QString error)
{
    ProcessSpawner::Result result;
    result.errorNumber = errorNumber;
    result.error = std::move(error);
    return result;
}

ProcessSpawner::Result outputFileFailure(int errorNumber, const QString& path)
{
    if (errorNumber == ELOOP)
        return notStarted(
            errorNumber,
            QCoreApplication::translate("ProcessSpawner",
                                        "The output file %1 is a symbolic link; it was not used.")
                .arg(path));
    return notStarted(errorNumber, QCoreApplication::translate(
                                       "ProcessSpawner", "Cannot open the output file %1: %2.")
                                       .arg(path, qt_error_string(errorNumber)));
}

ProcessSpawner::Result startFailure(int errorNumber, const QString& program)
{
    switch (errorNumber) {
    case ENOENT:
        return notStarted(
            errorNumber,
            QCoreApplication::translate("ProcessSpawner", "Program not found: %1").arg(program));
    case EACCES:
        return notStarted(errorNumber,
                          QCoreApplication::translate(
                              "ProcessSpawner", "Program cannot be run: %1 (permission denied)")
                              .arg(program));
    case ENOEXEC:
        return notStarted(
            errorNumber, QCoreApplication::translate(
                             "ProcessSpawner", "Program cannot be run: %1 (not an executable file)")
                             .arg(program));
    case E2BIG:
        return notStarted(
            errorNumber,
            QCoreApplication::translate("ProcessSpawner",
                                        "The arguments for %1 are too long to pass to a program.")
                .arg(program));
    default:
        return notStarted(errorNumber,
                          QCoreApplication::translate("ProcessSpawner", "Could not start %1: %2.")
                              .arg(program, qt_error_string(errorNumber)));
    }
}

// Opens the output file close-on-exec at descriptor 3 or above, so the child's 0, 1 and 2
// are never the file by accident when the caller runs with one of them closed.
int openOutputFile(const QByteArray& path)
{
    const int descriptor =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0 || descriptor > 2)
        return descriptor;
    const int moved = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 3);
    const int savedErrno = errno;
    ::close(descriptor);
    errno = savedErrno;
    return moved;
}

} // namespace

ProcessSpawner::Result ProcessSpawner::run(const QList<QByteArray>& arguments,
                                           const QString& standardOutputPath)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return notStarted(0,
                          QCoreApplication::translate("ProcessSpawner", "No program was given."));
    const QString program = QFile::decodeName(arguments.first());
    for (const QByteArray& argument : arguments) {
        if (argument.contains('\0'))
            return notStarted(EINVAL, QCoreApplication::translate(
                                          "ProcessSpawner", "An argument for %1 holds a zero byte, "
                                                            "which cannot be passed to a program.")
                                          .arg(program));
    }
    if (standardOutputPath.isEmpty())
        return notStarted(
            0, QCoreApplication::translate("ProcessSpawner", "No output file was given for %1.")
                   .arg(program));

    const QByteArray encodedOutputPath = QFile::encodeName(standardOutputPath);
    const FileDescriptor output(openOutputFile(encodedOutputPath));
    if (output.get() < 0)
        return outputFileFailure(errno, standardOutputPath);

    SpawnSetup setup;
    if (int error = setup.prepare(output.get()))
        return notStarted(error, QCoreApplication::translate("ProcessSpawner",
                                                             "Could not prepare to start %1: %2.")
                                     .arg(program, qt_error_string(error)));

    std::vector<char*> argv;
    argv.reserve(static_cast<size_t>(arguments.size()) + 1);
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    if (int error = posix_spawnp(&pid, argv.front(), setup.actions(), setup.attributes(),
                                 argv.data(), environ))
        return startFailure(error, program);

    int status = 0;
    pid_t waited = -1;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited < 0) {
        // ECHILD: someone else reaped the child (SIGCHLD ignored, or a foreign reaper).
        const int error = errno;
        Result lost = notStarted(error, QCoreApplication::translate(
                                            "ProcessSpawner", "Lost track of %1 while it ran: %2.")
                                            .arg(program, qt_error_string(error)));
        lost.ending = Ending::Lost;
        return lost;
    }

    Result result;
    if (WIFEXITED(status)) {
        result.ending = Ending::Exited;
        result.exitStatus = WEXITSTATUS(status);
    } else {
        result.ending = Ending::Signalled;
        result.signalNumber = WTERMSIG(status);
    }
    return result;
}

#include "common/CommandRunner.h"

#include "platform/ProcessSpawner.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char outputFolderName[] = "corvella";

QString refuse(QString* error, const QString& text)
{
    qWarning("Command output folder refused: %s", qUtf8Printable(text));
    if (error)
        *error = text;
    return {};
}

QString permissionText(mode_t mode)
{
    return QStringLiteral("%1").arg(mode & 07777, 4, 8, QLatin1Char('0'));
}

// $XDG_RUNTIME_DIR counts only when it is an absolute path to a real folder of this user that
// nobody else may write into; anything else falls back to the temporary folder.
QString runtimeFolder()
{
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 022) != 0)
        return {};
    return path;
}

// Sets 0700 on a folder just made (the umask may have taken bits away) without following a link.
bool makePrivate(const QByteArray& folder)
{
    const int descriptor =
        ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool changed = ::fchmod(descriptor, 0700) == 0;
    const int savedErrno = errno;
    ::close(descriptor);
    errno = savedErrno;
    return changed;
}

bool holdsZeroByte(const QList<QByteArray>& arguments)
{
    for (const QByteArray& argument : arguments) {
        if (argument.contains('\0'))
            return true;
    }
    return false;
}

CommandOutcome refused(const QString& error)
{
    qWarning("Command refused: %s", qUtf8Printable(error));
    CommandOutcome outcome;
    outcome.error = error;
    return outcome;
}

} // namespace

CommandRunner::CommandRunner(QString outputFileName, OldOutput oldOutput)
    : m_outputFileName(std::move(outputFileName)), m_oldOutput(oldOutput)
{}

QString CommandRunner::outputFolder(QString* error)
{
    QString folder = runtimeFolder();
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/corvella-%1").arg(::geteuid());
    else
        folder += QLatin1Char('/') + QLatin1String(outputFolderName);
    const QByteArray encoded = QFile::encodeName(folder);

    if (::mkdir(encoded.constData(), 0700) == 0) {
        if (!makePrivate(encoded))
            return refuse(error, QStringLiteral("Cannot make the folder for command output, %1, "
                                                "private: %2.")
                                     .arg(folder, qt_error_string(errno)));
        return folder;
    }
    if (errno != EEXIST)
        return refuse(error, QStringLiteral("Cannot create the folder for command output, %1: %2.")
                                 .arg(folder, qt_error_string(errno)));

    struct stat info {};
    if (::lstat(encoded.constData(), &info) != 0)
        return refuse(error, QStringLiteral("Cannot examine the folder for command output, %1: %2.")
                                 .arg(folder, qt_error_string(errno)));
    if (S_ISLNK(info.st_mode))
        return refuse(error, QStringLiteral("The folder for command output, %1, is a symbolic "
                                            "link; it was not used. Remove the link.")
                                 .arg(folder));
    if (!S_ISDIR(info.st_mode))
        return refuse(error, QStringLiteral("The folder for command output, %1, is not a folder; "
                                            "it was not used. Remove it.")
                                 .arg(folder));
    if (info.st_uid != ::geteuid())
        return refuse(error, QStringLiteral("The folder for command output, %1, belongs to "
                                            "another user; it was not used.")
                                 .arg(folder));
    if ((info.st_mode & 077) != 0)
        return refuse(error, QStringLiteral("The folder for command output, %1, is open to other "
                                            "users (permissions %2); it was not used. Make it "
                                            "private with \"chmod 700\" or remove it.")
                                 .arg(folder, permissionText(info.st_mode)));
    return folder;
}

QString CommandRunner::shellQuote(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString CommandRunner::prepareOutputPath(QString* error) const
{
    const QString folder = outputFolder(error);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + m_outputFileName;
}

CommandOutcome CommandRunner::run(const QStringList& arguments) const
{
    if (arguments.isEmpty())
        return {};
    QList<QByteArray> encoded;
    encoded.reserve(arguments.size());
    for (const QString& argument : arguments)
        encoded.append(QFile::encodeName(argument));
    if (encoded.first().isEmpty())
        return refused(QStringLiteral("No program was given; nothing was run."));
    if (holdsZeroByte(encoded))
        return refused(QStringLiteral("An argument for %1 holds a zero byte, which cannot be "
                                      "passed to a program; nothing was run.")
                           .arg(arguments.first()));

    CommandOutcome outcome;
    const QString outputPath = prepareOutputPath(&outcome.error);
    if (outputPath.isEmpty())
        return outcome; // outputFolder() has logged why
    return execute(encoded, outputPath);
}

CommandOutcome CommandRunner::runCommandLine(const QByteArray& commandLine) const
{
    if (commandLine.isEmpty())
        return {};
    if (commandLine.contains('\0'))
        return refused(QStringLiteral("The command line holds a zero byte; nothing was run."));

    CommandOutcome outcome;
    const QString outputPath = prepareOutputPath(&outcome.error);
    if (outputPath.isEmpty())
        return outcome; // outputFolder() has logged why

    // The size of "<command line> > <output path>" with its terminator.
    const qsizetype formattedSize = commandLine.size() + qsizetype(std::strlen(" > ")) +
                                    QFile::encodeName(outputPath).size() + 1;
    if (formattedSize > commandLineBufferSize)
        return refused(QStringLiteral("The command line is too long (%1 bytes with its output "
                                      "redirection, at most %2 are allowed); nothing was run.")
                           .arg(formattedSize)
                           .arg(commandLineBufferSize));

    return execute({QByteArrayLiteral("/bin/sh"), QByteArrayLiteral("-c"), commandLine},
                   outputPath);
}

CommandOutcome CommandRunner::execute(const QList<QByteArray>& arguments,
                                      const QString& outputPath) const
{
    if (m_oldOutput == OldOutput::Remove &&
        ::unlink(QFile::encodeName(outputPath).constData()) != 0 && errno != ENOENT) {
        // Not fatal: the output file is then opened with O_TRUNC, and that open reports
        // whatever still stands in the way.
        const QString reason = qt_error_string(errno);
        qWarning("Could not remove the old command output %s: %s", qUtf8Printable(outputPath),
                 qUtf8Printable(reason));
    }

    const ProcessSpawner::Result result = ProcessSpawner::run(arguments, outputPath);
    CommandOutcome outcome;
    switch (result.ending) {
    case ProcessSpawner::Ending::NotStarted:
        outcome.error = result.error;
        qWarning("Command could not start: %s", qUtf8Printable(result.error));
        return outcome;
    case ProcessSpawner::Ending::Exited:
        outcome.outputPath = outputPath;
        outcome.exitStatus = result.exitStatus;
        if (result.exitStatus != 0)
            qWarning("Command %s ended with exit status %d", arguments.first().constData(),
                     result.exitStatus);
        return outcome;
    case ProcessSpawner::Ending::Signalled: {
        const char* description = sigdescr_np(result.signalNumber);
        outcome.outputPath = outputPath;
        outcome.error = QStringLiteral("The command was stopped by signal %1 (%2).")
                            .arg(result.signalNumber)
                            .arg(description ? QString::fromLocal8Bit(description)
                                             : QStringLiteral("unknown signal"));
        qWarning("Command %s was stopped by signal %d", arguments.first().constData(),
                 result.signalNumber);
        return outcome;
    }
    case ProcessSpawner::Ending::Lost:
        outcome.outputPath = outputPath;
        outcome.error = result.error;
        qWarning("Command ended unobserved: %s", qUtf8Printable(result.error));
        return outcome;
    }
    return outcome;
}

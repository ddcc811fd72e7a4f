#include "common/CommandRunner.h"

#include "platform/PrivateRuntimeFolder.h"
#include "platform/proc/ProcessSpawner.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

QString CommandRunner::shellQuote(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString CommandRunner::prepareOutputPath(QString* error) const
{
    const QString folder = PrivateRuntimeFolder::path(error);
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
        return outcome; // PrivateRuntimeFolder::path() has logged why
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
        return outcome; // PrivateRuntimeFolder::path() has logged why

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

#pragma once

#include <QProcess>
#include <QStringList>

// corvella-cli as a real process; its path, CORVELLA_CLI, comes from the test's target.
struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs `prefix` (if any) with corvella-cli and `arguments` in `workingFolder`.
inline CliRun cli(const QStringList& arguments, const QString& workingFolder = {},
                  const QStringList& prefix = {})
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    const QStringList command = prefix + QStringList{QStringLiteral(CORVELLA_CLI)} + arguments;
    process.start(command.first(), command.mid(1));
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// As cli(), each argument going through printf(1) first, so "\377" passes the byte 0xff that a
// QString cannot carry.
inline CliRun cliEscaped(const QStringList& arguments, const QString& workingFolder = {})
{
    return cli(arguments, workingFolder,
               {QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral(R"sh(cli=$1; shift
        n=$#; while [ "$n" -gt 0 ]; do a=$(printf "x$1"); set -- "$@" "${a#x}"; shift; n=$((n - 1)); done
        exec "$cli" "$@")sh"),
                QStringLiteral("sh")});
}

#include "platform/desktop/ApplicationLauncher.h"

#include "platform/dbus/TransientScope.h"
#include "platform/proc/DetachedProcess.h"
#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/DesktopExec.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(launchLog, "corvella.launch")

namespace {

ApplicationLauncher::Result failure(const QString& error)
{
    ApplicationLauncher::Result result;
    result.error = error;
    return result;
}

// A program named with a slash is taken as it is; a bare name is looked up in PATH.
QString findProgram(const QString& program)
{
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

bool holdsZeroByte(const QStringList& command)
{
    for (const QString& argument : command) {
        if (argument.contains(QChar(0)))
            return true;
    }
    return false;
}

} // namespace

QString ApplicationLauncher::applicationId(const QString& desktopEntryPath,
                                           const QStringList& applicationFolders)
{
    for (const QString& folder : applicationFolders) {
        const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
        if (desktopEntryPath.startsWith(prefix) && desktopEntryPath.size() > prefix.size())
            return desktopEntryPath.mid(prefix.size()).replace(u'/', u'-');
    }
    return QFileInfo(desktopEntryPath).fileName();
}

QStringList ApplicationLauncher::terminalCommand()
{
    const QString chosen = qEnvironmentVariable("TERMINAL");
    if (!chosen.isEmpty()) {
        if (const QString path = findProgram(chosen); !path.isEmpty())
            return {path, QStringLiteral("-e")};
    }
    const struct {
        const char* name;
        const char* option;
    } terminals[] = {{"x-terminal-emulator", "-e"},
                     {"gnome-terminal", "--"},
                     {"konsole", "-e"},
                     {"xfce4-terminal", "-x"},
                     {"xterm", "-e"}};
    for (const auto& terminal : terminals) {
        if (const QString path = findProgram(QLatin1StringView(terminal.name)); !path.isEmpty())
            return {path, QLatin1StringView(terminal.option)};
    }
    return {};
}

ApplicationLauncher::Result ApplicationLauncher::commandLines(const QString& desktopEntryPath,
                                                              const QStringList& inputs)
{
    const DesktopEntry entry = DesktopEntry::load(desktopEntryPath);
    const QStringList locales = DesktopEntry::preferredLocales();
    const QString name = entry.localizedValue(QStringLiteral("Name"), locales);
    const QString shownName = name.isEmpty() ? QFileInfo(desktopEntryPath).fileName() : name;
    if (!entry.isValid())
        return failure(
            QCoreApplication::translate("ApplicationLauncher",
                                        "“%1” cannot be opened: its desktop entry %2 is unreadable "
                                        "(%3).")
                .arg(shownName, desktopEntryPath, entry.error()));
    QString error;
    const QStringList arguments = DesktopExec::split(entry.value(QStringLiteral("Exec")), &error);
    if (!error.isEmpty())
        return failure(
            QCoreApplication::translate("ApplicationLauncher",
                                        "“%1” cannot be opened: its command is malformed (%2).")
                .arg(shownName, error));
    const DesktopExec::Context context{inputs, entry.value(QStringLiteral("Icon")), name,
                                       desktopEntryPath};
    Result result;
    QStringList terminal;
    if (entry.booleanValue(QStringLiteral("Terminal"))) {
        terminal = terminalCommand();
        if (terminal.isEmpty())
            return failure(
                QCoreApplication::translate("ApplicationLauncher",
                                            "“%1” runs in a terminal, and no terminal program was "
                                            "found.")
                    .arg(shownName));
    }
    for (QStringList command : DesktopExec::expand(arguments, context)) {
        const QString program = findProgram(command.first());
        if (program.isEmpty())
            return failure(
                QCoreApplication::translate(
                    "ApplicationLauncher", "“%1” cannot be opened: the program “%2” was not found.")
                    .arg(shownName, command.first()));
        command.first() = program;
        // A zero byte would end the argument early at exec: the program would get another one.
        if (holdsZeroByte(command))
            return failure(
                QCoreApplication::translate("ApplicationLauncher",
                                            "“%1” cannot be opened: an argument of its command "
                                            "holds a zero byte (NUL), which no program can be "
                                            "given.")
                    .arg(shownName));
        result.commands.append(terminal + command);
    }
    return result;
}

ApplicationLauncher::Result ApplicationLauncher::launch(const QString& desktopEntryPath,
                                                        const QStringList& inputs)
{
    Result result = commandLines(desktopEntryPath, inputs);
    if (!result.succeeded())
        return result;
    const DesktopEntry entry = DesktopEntry::load(desktopEntryPath);
    const XdgBaseFolders folders;
    QString folder = entry.value(QStringLiteral("Path"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = folders.home();
    const QString name =
        entry.localizedValue(QStringLiteral("Name"), DesktopEntry::preferredLocales());
    const QString shownName = name.isEmpty() ? QFileInfo(desktopEntryPath).fileName() : name;
    const QString id = applicationId(desktopEntryPath, folders.applicationPaths());
    for (const QStringList& command : std::as_const(result.commands)) {
        QList<QByteArray> arguments;
        for (const QString& argument : command)
            arguments.append(QFile::encodeName(argument));
        const DetachedProcess::Result started =
            DetachedProcess::start(arguments, QFile::encodeName(folder));
        if (!started.started()) {
            result.error = QCoreApplication::translate("ApplicationLauncher",
                                                       "“%1” could not be started (%2): %3.")
                               .arg(shownName, command.first(), started.error);
            return result;
        }
        result.processIds.append(started.processId);
        const TransientScope::Result scope = TransientScope::place(
            started.processId, id, QStringLiteral("%1 started by Corvella").arg(shownName));
        if (!scope.error.isEmpty())
            qCWarning(launchLog, "%s", qUtf8Printable(scope.error));
        result.scoped = result.scoped || scope.placed;
    }
    return result;
}

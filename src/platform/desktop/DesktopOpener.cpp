#include "platform/desktop/DesktopOpener.h"

#include "platform/proc/DetachedProcess.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstring>

namespace {

// Why xdg-open gave up, from its documented exit statuses.
QString xdgOpenReason(int exitStatus)
{
    switch (exitStatus) {
    case 1:
        return QCoreApplication::translate("DesktopOpener", "xdg-open did not accept it");
    case 2:
        return QCoreApplication::translate("DesktopOpener", "it does not exist");
    case 3:
        return QCoreApplication::translate("DesktopOpener",
                                           "no application on this desktop is set to open it");
    case 4:
        return QCoreApplication::translate("DesktopOpener",
                                           "the application set to open it failed");
    default:
        return QCoreApplication::translate("DesktopOpener", "xdg-open ended with status %1")
            .arg(exitStatus);
    }
}

} // namespace

QString DesktopOpener::findProgram(const QProcessEnvironment& environment, const QString& name)
{
    const QStringList folders =
        environment.value(QStringLiteral("PATH")).split(u':', Qt::SkipEmptyParts);
    return folders.isEmpty() ? QString() : QStandardPaths::findExecutable(name, folders);
}

QStringList DesktopOpener::openCommand(const QProcessEnvironment& environment,
                                       const QString& target)
{
    const QString opener = findProgram(environment, QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return {};
    return {opener, target};
}

QString DesktopOpener::start(const QStringList& command)
{
    if (command.isEmpty())
        return QCoreApplication::translate("DesktopOpener", "There is nothing to start.");
    QList<QByteArray> arguments;
    for (const QString& argument : command)
        arguments.append(QFile::encodeName(argument));
    const DetachedProcess::Result result =
        DetachedProcess::start(arguments, QByteArray(), watchMilliseconds);
    const QString program = QFileInfo(command.constFirst()).fileName();
    if (!result.started())
        return QCoreApplication::translate("DesktopOpener", "“%1” could not be started: %2.")
            .arg(command.constFirst(), result.error);
    if (!result.endedBadly())
        return {};
    const bool opener = program == u"xdg-open" && command.size() == 2;
    if (result.signalNumber != 0) {
        const QString reason =
            QCoreApplication::translate("DesktopOpener", "it was ended by signal %1 (%2)")
                .arg(result.signalNumber)
                .arg(QString::fromLocal8Bit(::strsignal(result.signalNumber)));
        return opener
                   ? QCoreApplication::translate("DesktopOpener", "“%1” could not be opened: %2.")
                         .arg(command.at(1), reason)
                   : QCoreApplication::translate("DesktopOpener", "“%1” failed as it started: %2.")
                         .arg(program, reason);
    }
    if (opener)
        return QCoreApplication::translate("DesktopOpener", "“%1” could not be opened: %2.")
            .arg(command.at(1), xdgOpenReason(result.exitStatus));
    return QCoreApplication::translate("DesktopOpener",
                                       "“%1” failed as it started: it ended with status %2.")
        .arg(program)
        .arg(result.exitStatus);
}

QString DesktopOpener::open(const QProcessEnvironment& environment, const QString& target)
{
    const QStringList command = openCommand(environment, target);
    if (command.isEmpty())
        return QCoreApplication::translate("DesktopOpener",
                                           "“%1” could not be opened: xdg-open is not installed.")
            .arg(target);
    return start(command);
}

QString DesktopOpener::openAddress(const QUrl& address)
{
    return open(QProcessEnvironment::systemEnvironment(), address.toString(QUrl::FullyEncoded));
}

QString DesktopOpener::userDirectory(const QProcessEnvironment& environment, const QString& key,
                                     const QString& fallbackName)
{
    const XdgBaseFolders folders(environment);
    const QString& home = folders.home();
    QFile file(folders.configHome() + QStringLiteral("/user-dirs.dirs"));
    const QString wanted = QStringLiteral("XDG_%1_DIR").arg(key);
    if (file.open(QIODevice::ReadOnly)) {
        // Lines of the form XDG_DOCUMENTS_DIR="$HOME/Documents" or with an absolute path.
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine(4096)).trimmed();
            if (line.startsWith(u'#') || !line.startsWith(wanted + u'='))
                continue;
            QString value = line.mid(wanted.size() + 1);
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
            if (value.startsWith(QStringLiteral("$HOME")))
                value = home + value.mid(5);
            if (QDir::isAbsolutePath(value))
                return QDir::cleanPath(value);
        }
    }
    return QDir(home).filePath(fallbackName);
}

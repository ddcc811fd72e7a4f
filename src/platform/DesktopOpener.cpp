#include "platform/DesktopOpener.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

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
        return QStringLiteral("There is nothing to start.");
    QProcess process;
    process.setProgram(command.constFirst());
    process.setArguments(command.mid(1));
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        return QStringLiteral("“%1” could not be started: %2")
            .arg(command.constFirst(), process.errorString());
    return {};
}

QString DesktopOpener::userDirectory(const QProcessEnvironment& environment, const QString& key,
                                     const QString& fallbackName)
{
    const QString home = environment.value(QStringLiteral("HOME"), QDir::homePath());
    QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = home + QStringLiteral("/.config");
    QFile file(configHome + QStringLiteral("/user-dirs.dirs"));
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

#include "platform/desktop/DesktopBackgroundSettings.h"

#include "platform/desktop/DesktopOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The program in the folders of the environment's PATH, not of this process's.
QString findProgram(const QProcessEnvironment& environment, const QString& name)
{
    const QStringList folders =
        environment.value(QStringLiteral("PATH")).split(u':', Qt::SkipEmptyParts);
    return folders.isEmpty() ? QString() : QStandardPaths::findExecutable(name, folders);
}

// The settings command of one desktop, with the program resolved; empty when unknown or missing.
QStringList desktopCommand(const QProcessEnvironment& environment, const QString& desktop)
{
    const auto resolved = [&environment](const QString& program, const QStringList& arguments) {
        const QString path = findProgram(environment, program);
        return path.isEmpty() ? QStringList() : QStringList{path} + arguments;
    };
    if (desktop == u"gnome" || desktop == u"unity" || desktop == u"budgie") {
        return resolved(QStringLiteral("gnome-control-center"), {QStringLiteral("background")});
    }
    if (desktop == u"kde") {
        const QStringList current =
            resolved(QStringLiteral("systemsettings"), {QStringLiteral("kcm_wallpaper")});
        return current.isEmpty() ? resolved(QStringLiteral("systemsettings5"), {}) : current;
    }
    if (desktop == u"xfce") {
        return resolved(QStringLiteral("xfdesktop-settings"), {});
    }
    if (desktop == u"mate") {
        return resolved(QStringLiteral("mate-appearance-properties"),
                        {QStringLiteral("--show-page=background")});
    }
    if (desktop == u"x-cinnamon" || desktop == u"cinnamon") {
        return resolved(QStringLiteral("cinnamon-settings"), {QStringLiteral("backgrounds")});
    }
    if (desktop == u"lxqt") {
        return resolved(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--desktop-pref")});
    }
    return {};
}

QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace

QStringList DesktopBackgroundSettings::command(const QProcessEnvironment& environment)
{
    const QStringList desktops = environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                                     .toLower()
                                     .split(u':', Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        const QStringList settings = desktopCommand(environment, desktop.trimmed());
        if (!settings.isEmpty()) {
            return settings;
        }
    }
    QStringList fallback;
    const QString opener = findProgram(environment, QStringLiteral("xdg-open"));
    if (!opener.isEmpty())
        fallback << opener << picturesFolder();
    return fallback;
}

QString DesktopBackgroundSettings::open(const QProcessEnvironment& environment)
{
    const QStringList arguments = command(environment);
    if (arguments.isEmpty())
        return QCoreApplication::translate(
            "DesktopBackgroundSettings",
            "The desktop background settings could not be opened: this desktop "
            "has no settings program Corvella knows, and xdg-open is not "
            "installed.");
    const QString error = DesktopOpener::start(arguments);
    if (error.isEmpty())
        return {};
    return QCoreApplication::translate("DesktopBackgroundSettings",
                                       "The desktop background settings could not be opened. %1")
        .arg(error);
}

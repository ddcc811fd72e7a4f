#include "system/QuickVisitTargets.h"

#include "platform/desktop/DesktopOpener.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QFileInfo>

namespace {

QuickVisitTarget commandTarget(QStringList command)
{
    QuickVisitTarget target;
    target.kind = QuickVisitTarget::Kind::Command;
    target.command = std::move(command);
    return target;
}

QuickVisitTarget tabTarget(const QString& tab)
{
    QuickVisitTarget target;
    target.kind = QuickVisitTarget::Kind::CorvellaTab;
    target.tab = tab;
    return target;
}

QuickVisitTarget unavailable(const QString& error)
{
    QuickVisitTarget target;
    target.error = error;
    return target;
}

QStringList words(const char* first, const char* second = nullptr)
{
    QStringList list{QString::fromLatin1(first)};
    if (second)
        list << QString::fromLatin1(second);
    return list;
}

} // namespace

QuickVisitTargets::QuickVisitTargets(QProcessEnvironment environment,
                                     const QDBusConnection& sessionBus)
    : m_environment(std::move(environment)), m_sessionBus(sessionBus)
{
    m_desktops = m_environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                     .toLower()
                     .split(u':', Qt::SkipEmptyParts);
    for (QString& desktop : m_desktops)
        desktop = desktop.trimmed();
}

QStringList QuickVisitTargets::firstAvailable(const QList<Candidate>& candidates) const
{
    QList<Candidate> ordered;
    for (const QString& desktop : m_desktops) {
        for (const Candidate& candidate : candidates) {
            if (candidate.desktop == desktop)
                ordered << candidate;
        }
    }
    ordered << candidates;
    for (const Candidate& candidate : ordered) {
        const QString program =
            DesktopOpener::findProgram(m_environment, candidate.command.constFirst());
        if (!program.isEmpty())
            return QStringList{program} + candidate.command.mid(1);
    }
    return {};
}

QuickVisitTarget QuickVisitTargets::openFolder(const QString& folder) const
{
    if (!QFileInfo(folder).isDir())
        return unavailable(
            QCoreApplication::translate("QuickVisitTargets", "The folder “%1” does not exist.")
                .arg(folder));
    const QStringList command = DesktopOpener::openCommand(m_environment, folder);
    if (command.isEmpty())
        return unavailable(
            QCoreApplication::translate(
                "QuickVisitTargets", "The folder “%1” cannot be opened: xdg-open is not installed.")
                .arg(folder));
    return commandTarget(command);
}

QuickVisitTarget QuickVisitTargets::energySettings() const
{
    const QStringList command = firstAvailable({
        {QStringLiteral("gnome"), words("gnome-control-center", "power")},
        {QStringLiteral("kde"), words("systemsettings", "kcm_powerdevilprofilesconfig")},
        {QStringLiteral("xfce"), words("xfce4-power-manager-settings")},
        {QStringLiteral("mate"), words("mate-power-preferences")},
        {QStringLiteral("x-cinnamon"), words("cinnamon-settings", "power")},
    });
    if (!command.isEmpty())
        return commandTarget(command);
    QuickVisitTarget settings = systemPreferences();
    if (settings.kind == QuickVisitTarget::Kind::Unavailable)
        settings.error = QCoreApplication::translate(
            "QuickVisitTargets", "This desktop has no power settings program that Corvella "
                                 "knows (such as gnome-control-center or "
                                 "xfce4-power-manager-settings).");
    return settings;
}

QuickVisitTarget QuickVisitTargets::terminal() const
{
    // The distribution's choice of terminal comes before any desktop's own.
    const QString chosen =
        DesktopOpener::findProgram(m_environment, QStringLiteral("x-terminal-emulator"));
    if (!chosen.isEmpty())
        return commandTarget({chosen});
    const QStringList command = firstAvailable({
        {QStringLiteral("gnome"), words("gnome-terminal")},
        {QStringLiteral("gnome"), words("kgx")},
        {QStringLiteral("kde"), words("konsole")},
        {QStringLiteral("xfce"), words("xfce4-terminal")},
        {QStringLiteral("mate"), words("mate-terminal")},
        {QStringLiteral("lxqt"), words("qterminal")},
        {QStringLiteral("lxde"), words("lxterminal")},
        {QString(), words("xterm")},
    });
    if (!command.isEmpty())
        return commandTarget(command);
    return unavailable(QCoreApplication::translate(
        "QuickVisitTargets", "No terminal program was found (x-terminal-emulator, "
                             "gnome-terminal, konsole, xfce4-terminal or xterm)."));
}

QuickVisitTarget QuickVisitTargets::launchpad() const
{
    const bool onGnome = m_desktops.contains(QStringLiteral("gnome"));
    if (onGnome && m_sessionBus.isConnected() && m_sessionBus.interface() &&
        m_sessionBus.interface()->isServiceRegistered(QStringLiteral("org.gnome.Shell")).value()) {
        QuickVisitTarget target;
        target.kind = QuickVisitTarget::Kind::ApplicationsView;
        return target;
    }
    return tabTarget(QStringLiteral("Applications"));
}

QuickVisitTarget QuickVisitTargets::applications() const
{
    // The system's folders first, the user's own last.
    QStringList folders = XdgBaseFolders(m_environment).applicationPaths();
    folders.append(folders.takeFirst());
    for (const QString& folder : std::as_const(folders)) {
        if (QFileInfo(folder).isDir())
            return openFolder(folder);
    }
    return unavailable(QCoreApplication::translate(
        "QuickVisitTargets", "No folder of installed applications was found."));
}

QuickVisitTarget QuickVisitTargets::myDocuments() const
{
    return openFolder(DesktopOpener::userDirectory(m_environment, QStringLiteral("DOCUMENTS"),
                                                   QStringLiteral("Documents")));
}

QuickVisitTarget QuickVisitTargets::desktop() const
{
    return openFolder(DesktopOpener::userDirectory(m_environment, QStringLiteral("DESKTOP"),
                                                   QStringLiteral("Desktop")));
}

QuickVisitTarget QuickVisitTargets::systemPreferences() const
{
    const QStringList command = firstAvailable({
        {QStringLiteral("gnome"), words("gnome-control-center")},
        {QStringLiteral("kde"), words("systemsettings")},
        {QStringLiteral("kde"), words("systemsettings5")},
        {QStringLiteral("xfce"), words("xfce4-settings-manager")},
        {QStringLiteral("mate"), words("mate-control-center")},
        {QStringLiteral("x-cinnamon"), words("cinnamon-settings")},
        {QStringLiteral("lxqt"), words("lxqt-config")},
    });
    if (!command.isEmpty())
        return commandTarget(command);
    return unavailable(QCoreApplication::translate(
        "QuickVisitTargets", "This desktop has no settings program that Corvella knows "
                             "(such as gnome-control-center or systemsettings)."));
}

QuickVisitTarget QuickVisitTargets::diskUtility() const
{
    const QStringList command = firstAvailable({
        {QStringLiteral("gnome"), words("gnome-disks")},
        {QStringLiteral("kde"), words("partitionmanager")},
    });
    if (!command.isEmpty())
        return commandTarget(command);
    return tabTarget(QStringLiteral("DiskManager"));
}

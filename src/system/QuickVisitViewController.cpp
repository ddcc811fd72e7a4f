#include "system/QuickVisitViewController.h"

#include "common/BackgroundTask.h"
#include "kit/IconATextButton.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/desktop/DesktopOpener.h"
#include "system/AboutThisMacViewController.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVBoxLayout>

namespace {

constexpr QSize rowSize{392, 40};
constexpr int rowSpacing = 4; // rows 44 apart

} // namespace

QuickVisitViewController::QuickVisitViewController(QWidget* parent)
    : ToolPage(tr("Quick Visit"), tr("Common folders, system tools and settings, one click away."),
               parent),
      m_environment(QProcessEnvironment::systemEnvironment())
{
    struct Row {
        const char* name;
        const char* icon;
        void (QuickVisitViewController::*action)();
    };
    static constexpr Row rows[] = {
        {QT_TR_NOOP("Energy Settings"), "ic_energy", &QuickVisitViewController::doOpenEnergySet},
        {QT_TR_NOOP("Terminal"), "ic_terminal", &QuickVisitViewController::doOpenTerminal},
        {QT_TR_NOOP("Launchpad"), "ic_launchpad", &QuickVisitViewController::doOpenLaunchpad},
        {QT_TR_NOOP("Applications"), "ic_apps", &QuickVisitViewController::doOpenApplications},
        {QT_TR_NOOP("My Documents"), "ic_docs", &QuickVisitViewController::doOpenMyDocuments},
        {QT_TR_NOOP("Desktop"), "ic_desktop_but", &QuickVisitViewController::doOpenDesktop},
        {QT_TR_NOOP("System Preferences"), "ic_setting",
         &QuickVisitViewController::doOpenSystemPrerence},
        {QT_TR_NOOP("Disk Utility"), "ic_disk_but", &QuickVisitViewController::doOpenDiskUtiliy},
    };
    QVBoxLayout* body = bodyLayout();
    body->setSpacing(rowSpacing);
    for (const Row& row : rows) {
        auto* button = new IconATextButton(this);
        const QString icon = QString::fromLatin1(row.icon);
        button->setImageNames(icon, icon, icon, icon);
        button->setTitle(tr(row.name));
        button->setFontSize(14);
        button->setFixedSize(rowSize);
        connect(button, &IconATextButton::clicked, this, row.action);
        body->addWidget(button);
        m_rows << button;
    }
    m_aboutBut = new IconATextButton(this);
    m_aboutBut->setImageNames(QStringLiteral("ic_about"), QStringLiteral("ic_about"),
                              QStringLiteral("ic_about"), QStringLiteral("ic_about"));
    m_aboutBut->setTitle(tr("About This Computer"));
    m_aboutBut->setFontSize(13);
    m_aboutBut->setFixedSize(rowSize);
    connect(m_aboutBut, &IconATextButton::clicked, this, &QuickVisitViewController::doOpenAbout);
    body->addSpacing(8);
    body->addWidget(m_aboutBut);
    body->addStretch(1);
}

IconATextButton* QuickVisitViewController::row(const QString& name) const
{
    for (IconATextButton* button : m_rows) {
        if (button->title() == name)
            return button;
    }
    return nullptr;
}

void QuickVisitViewController::doOpenEnergySet()
{
    open([](const QuickVisitTargets& targets) { return targets.energySettings(); });
}

void QuickVisitViewController::doOpenTerminal()
{
    open([](const QuickVisitTargets& targets) { return targets.terminal(); });
}

void QuickVisitViewController::doOpenLaunchpad()
{
    open([](const QuickVisitTargets& targets) { return targets.launchpad(); });
}

void QuickVisitViewController::doOpenApplications()
{
    open([](const QuickVisitTargets& targets) { return targets.applications(); });
}

void QuickVisitViewController::doOpenMyDocuments()
{
    open([](const QuickVisitTargets& targets) { return targets.myDocuments(); });
}

void QuickVisitViewController::doOpenDesktop()
{
    open([](const QuickVisitTargets& targets) { return targets.desktop(); });
}

void QuickVisitViewController::doOpenSystemPrerence()
{
    open([](const QuickVisitTargets& targets) { return targets.systemPreferences(); });
}

void QuickVisitViewController::doOpenDiskUtiliy()
{
    open([](const QuickVisitTargets& targets) { return targets.diskUtility(); });
}

void QuickVisitViewController::doOpenWithString(const QString& path)
{
    const QProcessEnvironment environment = m_environment;
    open([environment, path](const QuickVisitTargets&) {
        QuickVisitTarget target;
        target.command = DesktopOpener::openCommand(environment, path);
        target.kind = target.command.isEmpty() ? QuickVisitTarget::Kind::Unavailable
                                               : QuickVisitTarget::Kind::Command;
        if (target.command.isEmpty())
            target.error = tr("“%1” cannot be opened: xdg-open is not installed.").arg(path);
        return target;
    });
}

void QuickVisitViewController::open(Chooser choose)
{
    showNotice(QString());
    BackgroundTask::run(
        this,
        [environment = m_environment, choose = std::move(choose)] {
            const QuickVisitTarget target = choose(QuickVisitTargets(environment));
            QString error = target.error;
            if (target.kind == QuickVisitTarget::Kind::Command)
                error = DesktopOpener::start(target.command);
            return std::pair(target, error);
        },
        [this](const std::pair<QuickVisitTarget, QString>& opened) {
            finishOpening(opened.first, opened.second);
        });
}

void QuickVisitViewController::finishOpening(const QuickVisitTarget& target, const QString& error)
{
    if (target.kind == QuickVisitTarget::Kind::CorvellaTab)
        Q_EMIT openCorvellaTab(target.tab);
    if (target.kind == QuickVisitTarget::Kind::ApplicationsView) {
        // Shells that keep the call to their own tools refuse it: show Corvella's list instead.
        const QDBusPendingCall call =
            QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
                QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                QStringLiteral("org.gnome.Shell"), QStringLiteral("ShowApplications")));
        auto* watcher = new QDBusPendingCallWatcher(call, this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* done) {
                    done->deleteLater();
                    if (done->isError())
                        Q_EMIT openCorvellaTab(QStringLiteral("Applications"));
                });
    }
    showNotice(error);
    Q_EMIT rowOpened(target, error);
}

void QuickVisitViewController::doOpenAbout()
{
    auto* dialog = new AboutThisMacViewController();
    QWidget* mainWindow = window();
    const QRect frame = mainWindow && mainWindow != this ? mainWindow->frameGeometry() : QRect();
    const QPointF anchor = frame.isValid()
                               ? QPointF(frame.left() + frame.width() / 2.0 - 3, frame.bottom())
                               : QPointF(0, 0);
    StatusAttachedWindow* attached = StatusAttachedWindow::create(dialog, anchor, nullptr, 1, 5.0f);
    dialog->setSuperDelegate(attached);
    attached->center();
    attached->runModal();
    attached->deleteLater();
}

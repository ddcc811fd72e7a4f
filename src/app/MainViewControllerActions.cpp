// The main panel's button actions: sliders, desktop background, hide others, power.
#include "app/MainViewController.h"
#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "kit/ConfirmationDialog.h"
#include "kit/ImageButton.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/PowerService.h"
#include "platform/desktop/DesktopBackgroundSettings.h"
#include "platform/x11/WindowSystem.h"
#include "system/LightViewController.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

QMenu* sliderMenu(QWidget* view, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The action owns its default widget and deletes it with the menu. The view sits in a holder
    // made for this menu, and leaves it when the menu hides, so a view kept for the next opening
    // (the volume slider) outlives the menu.
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    view->show();
    auto* item = new QWidgetAction(menu);
    item->setDefaultWidget(holder);
    menu->addAction(item);
    QObject::connect(menu, &QMenu::aboutToHide, view, [view] {
        view->hide();
        view->setParent(nullptr);
    });
    return menu;
}

} // namespace

// Menus are placed relative to the panel window's bottom-left corner, `offset` to the right and
// up from it.
QPoint MainViewController::screenPointAbovePanelBottom(QPointF offset) const
{
    if (!m_superDelegate)
        return offset.toPoint();
    const QRect frame = m_superDelegate->frameGeometry();
    return {frame.left() + int(offset.x()), frame.bottom() + 1 - int(offset.y())};
}

void MainViewController::openSoundView()
{
    if (!m_soundVC) {
        m_soundVC = new SoundViewController();
        m_soundVC->setDelegate(this);
    }
    m_soundVC->loadSoundValue();
    QMenu* menu = sliderMenu(m_soundVC, this);
    menu->popup(screenPointAbovePanelBottom({52.0, 118.0}), menu->actions().constFirst());
}

void MainViewController::openLightView()
{
    delete m_lightVC;
    m_lightVC = new LightViewController();
    QMenu* menu = sliderMenu(m_lightVC, this);
    menu->popup(screenPointAbovePanelBottom({52.0, 157.0}), menu->actions().constFirst());
}

void MainViewController::openChangeDesktopBg()
{
    // The settings program is looked for and watched as it starts on a worker; a failure is shown
    // at the foot of the panel.
    BackgroundTask::run(
        this, [] { return DesktopBackgroundSettings::open(); },
        [this](const QString& error) {
            if (error.isEmpty())
                return;
            qWarning().noquote() << error;
            showNotice(error);
        });
}

void MainViewController::hiddenOthersApp()
{
    if (m_windowSystem && m_windowSystem->canHideOtherApplications()) {
        const QString error =
            m_windowSystem->hideOtherApplications(window() ? window()->winId() : WId(0));
        if (!error.isEmpty())
            qWarning("Could not hide the other applications: %s", qUtf8Printable(error));
    }
    closeWindowAction();
}

QMenu* MainViewController::buildToolsMenu()
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QFont menuFont = menu->font();
    const QString light = PublicUtilities::getLightFontName();
    if (!light.isEmpty())
        menuFont.setFamily(light);
    menuFont.setPixelSize(14);
    menu->setFont(menuFont);
    menu->addAction(KitImages::icon(QStringLiteral("ic_shutdown")), tr("Shut Down"), this,
                    &MainViewController::shutdonwButtonAction);
    menu->addAction(KitImages::icon(QStringLiteral("ic_sleep")), tr("Sleep"), this,
                    &MainViewController::sleepButtonAction);
    menu->addAction(KitImages::icon(QStringLiteral("ic_restart")), tr("Restart"), this,
                    &MainViewController::restartButtonAction);
    return menu;
}

void MainViewController::menuToolsButtonAction()
{
    QMenu* menu = buildToolsMenu();
    menu->popup(screenPointAbovePanelBottom({42.0, 16.0}), menu->actions().constFirst());
}

void MainViewController::shutdonwButtonAction()
{
    if (confirmPowerAction(tr("Shut down the computer now?"), tr("Shut Down")))
        doShoutToolAction(QStringLiteral("shut down"));
}

void MainViewController::sleepButtonAction()
{
    doShoutToolAction(QStringLiteral("sleep"));
}

void MainViewController::restartButtonAction()
{
    if (confirmPowerAction(tr("Restart the computer now?"), tr("Restart")))
        doShoutToolAction(QStringLiteral("restart"));
}

void MainViewController::logoutButtonAction()
{
    if (confirmPowerAction(tr("Log out now?"), tr("Log Out")))
        doShoutToolAction(QStringLiteral("log out"));
}

bool MainViewController::confirmPowerAction(const QString& question, const QString& actionTitle)
{
    // Sleep loses nothing; these end every other application's unsaved work.
    return !PublicUtilities::confirmsIrreversibleActions() ||
           ConfirmationDialog::ask(this, question,
                                   tr("Applications that are open may lose work that is not "
                                      "saved."),
                                   actionTitle);
}

void MainViewController::doShoutToolAction(const QString& phrase)
{
    static const QHash<QString, PowerAction> actions = {
        {QStringLiteral("shut down"), PowerAction::PowerOff},
        {QStringLiteral("sleep"), PowerAction::Suspend},
        {QStringLiteral("restart"), PowerAction::Reboot},
        {QStringLiteral("log out"), PowerAction::LogOut},
    };
    const auto action = actions.constFind(phrase);
    if (action == actions.cend() || !m_powerService) {
        qWarning("No power action \"%s\"", qUtf8Printable(phrase));
        return;
    }
    m_powerService->request(*action);
}

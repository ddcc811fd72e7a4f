#include "app/AppDelegate.h"

#include "app/AboutViewController.h"
#include "app/MainViewController.h"
#include "app/ProgramOptions.h"
#include "common/BackgroundTask.h"
#include "common/NotificationCenter.h"
#include "common/PublicUtilities.h"
#include "common/SettingsStore.h"
#include "downloads/CleanUpViewController.h"
#include "kit/ColorScheme.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/SingleInstance.h"
#include "platform/dbus/ApplicationService.h"
#include "platform/dbus/DesktopAppearance.h"
#include "platform/dbus/DesktopPowerService.h"
#include "platform/desktop/DesktopOpener.h"
#include "platform/x11/WindowSystem.h"
#include "startup/StartAtLogin.h"
#include "update/GXCheckUpdateViewController.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QMenu>
#include <QPalette>
#include <QTimer>

namespace {

const QString kBundleIdentifier = QStringLiteral("com.brimwick.corvella");

QUrl settingsUrl(const char* key, const char* fallback)
{
    const QString stored = SettingsStore::standard().stringValue(QString::fromLatin1(key));
    return QUrl(stored.isEmpty() ? QString::fromLatin1(fallback) : stored);
}

} // namespace

AppDelegate::AppDelegate(std::unique_ptr<PowerService> powerService, QObject* parent)
    : QObject(parent), m_powerService(std::move(powerService))
{
    if (!m_powerService)
        m_powerService = std::make_unique<DesktopPowerService>();
    connect(m_powerService.get(), &PowerService::finished, this,
            [](PowerAction, const QString& error) {
                if (!error.isEmpty())
                    qWarning("%s", qUtf8Printable(error));
            });
    // One registration for "reOpenWindow" stands for the delegate's whole life.
    connect(NotificationCenter::defaultCenter(), &NotificationCenter::posted, this,
            [this](const QString& name, QObject*) {
                if (name == u"reOpenWindow")
                    reOpenWindow();
            });
    m_appearance = new DesktopAppearance(QDBusConnection::sessionBus(), this);
    connect(m_appearance, &DesktopAppearance::colorSchemeChanged, this,
            &AppDelegate::updateStatusItemImage);
    // The windows follow the desktop's colour scheme (with a dark palette of our own where the
    // style's is light).
    ColorScheme::follow(m_appearance);
    qApp->installEventFilter(this);
    updateStatusItemImage();
    buildApplicationMenu();
    awakeFromNib();
}

AppDelegate::~AppDelegate()
{
    delete m_mainAttachedWindow;
    delete m_mainWC;
    delete m_aboutVC;
    delete m_checkUpdateWC;
}

void AppDelegate::awakeFromNib()
{
    const QString family = QApplication::font().family();
    // Rewrite the settings only when the desktop's font changed since the last start.
    if (PublicUtilities::getRegularFontName() != family)
        PublicUtilities::writRegularFont(family);
    if (PublicUtilities::getLightFontName() != family)
        PublicUtilities::writLightFont(family);
    if (PublicUtilities::getBoldFontName() != family)
        PublicUtilities::writBoldFont(family);
}

bool AppDelegate::applicationDidFinishLaunching(const ActivationRequest& request)
{
    if (checkAppDuplicateAndBringToFrontWithBundle(kBundleIdentifier, request))
        return false;
    m_typeIdStr = QStringLiteral("TaskManager");
    installStatusItem();
    // The toolkit hands this start's own tokens to the first window itself. A toggle shows, as
    // there is nothing to hide yet.
    QString error;
    const auto options = ProgramOptions::requestFor(request, &error);
    if (options && !options->tab.isEmpty())
        m_typeIdStr = options->tab;
    if (!options || options->verb != ProgramOptions::Verb::Background || !m_aStatusItem)
        showMainWindow();
    if (options && !options->scanPath.isEmpty())
        openSpaceFinder(options->scanPath);
    return true;
}

bool AppDelegate::checkAppDuplicateAndBringToFrontWithBundle(const QString& bundleIdentifier,
                                                             const ActivationRequest& request)
{
    if (!m_applicationService) {
        m_applicationService = new ApplicationService(
            bundleIdentifier, QDBusConnection::sessionBus(),
            [this](const ActivationRequest& received) { return handleActivation(received); }, this);
        QString busError;
        if (!m_applicationService->registerService(&busError) &&
            m_applicationService->nameHasOtherOwner()) {
            // A copy in the background stays as it is; anything else reaches it.
            if (request.action == u"background")
                return true;
            const QString error = ApplicationService::forward(QDBusConnection::sessionBus(),
                                                              bundleIdentifier, request);
            if (error.isEmpty())
                return true;
            qWarning("The running copy did not take the request over the session bus (%s); "
                     "trying its socket.",
                     qUtf8Printable(error));
        }
    }
    if (!m_singleInstance) {
        m_singleInstance = new SingleInstance(bundleIdentifier, this);
        connect(m_singleInstance, &SingleInstance::requestReceived, this,
                [this](const ActivationRequest& received) { handleActivation(received); });
    }
    return m_singleInstance->anotherInstanceRuns(request);
}

QString AppDelegate::handleActivation(const ActivationRequest& request)
{
    QString error;
    const auto options = ProgramOptions::requestFor(request, &error);
    if (!options) {
        qWarning("Refused a request to the running copy: %s", qUtf8Printable(error));
        return error;
    }
    if (options->verb == ProgramOptions::Verb::Background)
        return {};
    applyActivationToken(request);
    if (!options->tab.isEmpty()) {
        m_typeIdStr = options->tab;
        if (m_isOpenMainWindow && m_mainWC)
            m_mainWC->changeTabWithidStr(options->tab);
    }
    if (options->verb == ProgramOptions::Verb::Toggle)
        showOrCloseMainWindow();
    else
        applicationShouldHandleReopen();
    if (!options->scanPath.isEmpty())
        openSpaceFinder(options->scanPath);
    return {};
}

void AppDelegate::openSpaceFinder(const QString& path)
{
    // Later, from the event loop: the finder runs modally, and the request (a D-Bus call among
    // them) is answered first.
    QTimer::singleShot(0, this, [this, path] {
        if (!m_mainWC)
            showMainWindow();
        if (auto* cleanup = qobject_cast<CleanUpViewController*>(
                m_mainWC ? m_mainWC->tabController(QStringLiteral("Cleanup")) : nullptr))
            cleanup->scanFolder(path);
    });
}

void AppDelegate::applyActivationToken(const ActivationRequest& request)
{
    // Wayland: the shell integration of the toolkit hands XDG_ACTIVATION_TOKEN to the compositor
    // at the next activation request, and then drops it. X11: the toolkit reads a startup id
    // only when it starts, so raiseMainWindow() sends the request's id itself.
    if (QGuiApplication::platformName() == u"wayland" && !request.activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", request.activationToken.toUtf8());
    m_startupId = request.startupId.toUtf8();
}

QPointF AppDelegate::anchorPoint() const
{
    // Below the middle of the panel when it is open; every window is centred afterwards anyway.
    if (m_mainAttachedWindow) {
        const QRect frame = m_mainAttachedWindow->frameGeometry();
        return {frame.x() + frame.width() * 0.5 - 3.0, double(frame.bottom() + 1)};
    }
    return {-3.0, 0.0};
}

void AppDelegate::showMainWindow()
{
    if (m_isOpenMainWindow) {
        raiseMainWindow();
        return;
    }
    m_isOpenMainWindow = true;

    delete m_mainWC;
    m_mainWC = new MainViewController(m_powerService.get(), &WindowSystem::instance());
    m_mainWC->setDelegate(this);

    const QPointF point = anchorPoint();
    delete m_mainAttachedWindow;
    m_mainAttachedWindow = StatusAttachedWindow::create(m_mainWC, point, nullptr, 1, 5.0f);
    m_mainAttachedWindow->setWindowTitle(QStringLiteral("Corvella"));
    // However the panel window closes (the close button, the window manager, the panel's own
    // closeWindow()), the delegate takes it as closed, so the next toggle opens it again.
    connect(m_mainAttachedWindow, &StatusAttachedWindow::aboutToClose, this,
            [this, window = m_mainAttachedWindow.data()] {
                if (window == m_mainAttachedWindow)
                    closeWindow();
            });
    m_mainWC->setSuperDelegate(m_mainAttachedWindow);
    m_mainWC->changeTabWithidStr(m_typeIdStr);
    if (!m_aStatusItem && !m_noTrayNoticeShown && !isSystemTrayAvailable()) {
        m_noTrayNoticeShown = true;
        // Two lines at most at the foot of the panel.
        m_mainWC->showNotice(tr("No system tray here: start Corvella again from its launcher icon "
                                "or the icon's actions to reach this panel."));
    }
    m_mainAttachedWindow->center();
    raiseMainWindow();
    PublicUtilities::writePopWindowPoint(QPointF(0.0, 0.0));
}

void AppDelegate::raiseMainWindow()
{
    StatusAttachedWindow* window = m_mainAttachedWindow;
    if (!window)
        return;
    window->bringToFront();
    if (!m_startupId.isEmpty() && window->windowHandle())
        WindowSystem::instance().activateForStartup(window->windowHandle(), m_startupId);
    m_startupId.clear();
}

void AppDelegate::closeWindow()
{
    m_isOpenMainWindow = false;
    if (!m_mainAttachedWindow)
        return;
    StatusAttachedWindow* window = m_mainAttachedWindow;
    m_mainAttachedWindow = nullptr;
    // The panel stays alive, hidden, until the next opening replaces it.
    if (m_mainWC) {
        m_mainWC->hide();
        m_mainWC->setParent(nullptr);
    }
    window->close();
    window->deleteLater();
}

void AppDelegate::closeMainWindow()
{
    closeWindow();
}

void AppDelegate::showOrCloseMainWindow()
{
    // Only a panel the user can see is closed; a minimised or hidden one opens afresh, centred.
    const bool seen = m_isOpenMainWindow && m_mainAttachedWindow &&
                      m_mainAttachedWindow->isVisible() && !m_mainAttachedWindow->isMinimized();
    if (m_isOpenMainWindow)
        closeWindow();
    if (!seen)
        showMainWindow();
}

void AppDelegate::statusItemClicked()
{
    // The click itself may take the focus from the panel just before it arrives.
    constexpr qint64 kClickTakesFocusMs = 500;
    const bool inFront =
        m_isOpenMainWindow && m_mainAttachedWindow && m_mainAttachedWindow->isVisible() &&
        !m_mainAttachedWindow->isMinimized() && !QApplication::activeModalWidget() &&
        (m_mainAttachedWindow->isActiveWindow() ||
         (m_panelDeactivated.isValid() && m_panelDeactivated.elapsed() < kClickTakesFocusMs));
    if (inFront)
        closeWindow();
    else
        applicationShouldHandleReopen();
}

void AppDelegate::reOpenWindow()
{
    showMainWindow();
}

bool AppDelegate::applicationShouldHandleReopen()
{
    // While a dialog runs, the panel is blocked behind it: the dialog comes forward instead.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        if (auto* attached = qobject_cast<StatusAttachedWindow*>(dialog)) {
            attached->bringToFront();
        } else {
            if (dialog->isMinimized())
                dialog->showNormal();
            dialog->raise();
            dialog->activateWindow();
        }
        return true;
    }
    showMainWindow();
    return true;
}

void AppDelegate::changeSelectTypeWithIdStr(const QString& identifier)
{
    m_typeIdStr = identifier;
}

template <typename Controller> void AppDelegate::runModalDialog(Controller* controller)
{
    if (StatusAttachedWindow* showing = controller->superDelegate();
        showing && showing->isVisible()) {
        showing->bringToFront();
        return;
    }
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(controller, anchorPoint(), nullptr, 1, 5.0f);
    controller->setSuperDelegate(window);
    window->center();
    window->runModal();
    // The controller is reused by the next showing; take it out before the window goes.
    controller->hide();
    controller->setParent(nullptr);
    controller->setSuperDelegate(nullptr);
    window->deleteLater();
}

void AppDelegate::aboutMenuItemAction()
{
    if (!m_aboutVC)
        m_aboutVC = new AboutViewController();
    runModalDialog(m_aboutVC);
}

void AppDelegate::checkUpdateMenuItemAction()
{
    if (!m_checkUpdateWC)
        m_checkUpdateWC = new GXCheckUpdateViewController();
    runModalDialog(m_checkUpdateWC);
}

void AppDelegate::onlineHelpMenuItemAction()
{
    openAddress(settingsUrl("HelpURL", "https://corvella.example.org/help/"));
}

void AppDelegate::supportMenuItemAction()
{
    openAddress(settingsUrl("SupportURL", "https://corvella.example.org/support/"));
}

void AppDelegate::openAddress(const QUrl& url)
{
    // A failure is shown at the foot of the panel, which opens for it when it is closed.
    BackgroundTask::run(
        this, [url] { return DesktopOpener::openAddress(url); },
        [this, url](const QString& error) {
            if (!error.isEmpty()) {
                qWarning().noquote() << error;
                showMainWindow();
                if (m_mainWC)
                    m_mainWC->showNotice(error);
            }
            Q_EMIT addressOpened(url, error);
        });
}

void AppDelegate::buildApplicationMenu()
{
    m_applicationMenu = std::make_unique<QMenu>();
    m_applicationMenu->addAction(tr("Show Corvella"), this,
                                 &AppDelegate::applicationShouldHandleReopen);
    m_applicationMenu->addSeparator();
    m_applicationMenu->addAction(tr("About Corvella"), this, &AppDelegate::aboutMenuItemAction);
    m_applicationMenu->addAction(tr("Check for Update…"), this,
                                 &AppDelegate::checkUpdateMenuItemAction);
    m_applicationMenu->addSeparator();
    m_applicationMenu->addAction(tr("Online Help"), this, &AppDelegate::onlineHelpMenuItemAction);
    m_applicationMenu->addAction(tr("Support"), this, &AppDelegate::supportMenuItemAction);
    m_applicationMenu->addSeparator();
    m_startAtLoginAction = m_applicationMenu->addAction(tr("Start at Login"));
    m_startAtLoginAction->setCheckable(true);
    m_startAtLoginAction->setToolTip(
        tr("Start Corvella in the system tray, without its panel, when you log in."));
    connect(m_startAtLoginAction, &QAction::triggered, this, &AppDelegate::setStartAtLogin);
    connect(m_applicationMenu.get(), &QMenu::aboutToShow, this, [this] { refreshStartAtLogin(); });
    m_applicationMenu->addSeparator();
    m_applicationMenu->addAction(tr("Quit Corvella"), qApp, &QCoreApplication::quit);
}

void AppDelegate::setStartAtLogin(bool on)
{
    BackgroundTask::run(
        this, [on] { return StartAtLogin().setOn(on).error; },
        [this](const QString& error) {
            if (!error.isEmpty()) {
                qWarning("Could not change the login item: %s", qUtf8Printable(error));
                if (m_mainWC && m_isOpenMainWindow)
                    m_mainWC->showNotice(error);
            }
            refreshStartAtLogin(error);
        });
}

void AppDelegate::refreshStartAtLogin(const QString& error)
{
    BackgroundTask::run(
        this, [] { return StartAtLogin().isOn(); },
        [this, error](bool on) {
            m_startAtLoginAction->setChecked(on);
            Q_EMIT startAtLoginUpdated(on, error);
        });
}

bool AppDelegate::isSystemTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void AppDelegate::installStatusItem()
{
    if (!isSystemTrayAvailable())
        return;
    m_aStatusItem = new QSystemTrayIcon(this);
    updateStatusItemImage();
    m_aStatusItem->setToolTip(QStringLiteral("Corvella"));
    m_aStatusItem->setContextMenu(m_applicationMenu.get());
    refreshStartAtLogin();
    connect(m_aStatusItem, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    statusItemClicked();
            });
    m_aStatusItem->show();
}

void AppDelegate::updateStatusItemImage()
{
    bool dark = false;
    if (m_appearance && m_appearance->prefersDark().has_value())
        dark = *m_appearance->prefersDark();
    else
        dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
    m_statusItemImageName = dark ? QStringLiteral("toplogo") : QStringLiteral("topicon_dark");
    if (m_aStatusItem)
        m_aStatusItem->setIcon(QIcon::fromTheme(QStringLiteral("com.brimwick.corvella-symbolic"),
                                                KitImages::icon(m_statusItemImageName)));
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        updateStatusItemImage();
    else if (event->type() == QEvent::WindowDeactivate && watched == m_mainAttachedWindow)
        m_panelDeactivated.start();
    return QObject::eventFilter(watched, event);
}

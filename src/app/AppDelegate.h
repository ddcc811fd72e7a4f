#pragma once

#include "app/MainViewController.h"
#include "app/MainViewControllerDelegate.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/ActivationRequest.h"
#include "platform/PowerService.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QUrl>

#include <memory>

class AboutViewController;
class ApplicationService;
class DesktopAppearance;
class GXCheckUpdateViewController;

class QAction;
class QMenu;
class SingleInstance;

// The top of the program: single instance (org.freedesktop.Application on the session bus, the
// socket where there is none), the tray icon, showing and hiding the panel and the application
// menu (Show Corvella, About, Check for Update, Online Help, Support, Start at Login, Quit).
// Showing means showing: a panel that is open but covered is raised and focused; only a toggle
// hides it. GUI thread only.
class AppDelegate : public QObject, public MainViewControllerDelegate {
    Q_OBJECT
public:
    // powerService: the service the panel's power actions go to (logind by default).
    explicit AppDelegate(std::unique_ptr<PowerService> powerService = nullptr,
                         QObject* parent = nullptr);
    ~AppDelegate() override;

    // Stores the interface fonts in the settings.
    void awakeFromNib();
    // Start-up with the request of this start (ProgramOptions). Answers false when another copy
    // runs: it took the request, and this process should exit with status 0 without showing
    // anything. Otherwise the tray icon is installed and the panel opens, unless the request is
    // to start in the background and there is a tray.
    bool applicationDidFinishLaunching(const ActivationRequest& request = ActivationRequest());
    bool checkAppDuplicateAndBringToFrontWithBundle(
        const QString& bundleIdentifier, const ActivationRequest& request = ActivationRequest());
    // A request of a later start or of the desktop: answers an empty string when it is carried
    // out, else why not (an unknown action or tab).
    QString handleActivation(const ActivationRequest& request);
    // Shows the space finder on `path` (an absolute folder) over the panel's Cleanup tab, once
    // the event loop runs; a finder already open scans it instead of its folder.
    void openSpaceFinder(const QString& path);

    // Opens the panel, or raises and focuses it when it is open.
    void showMainWindow();
    void closeWindow();
    void closeMainWindow() override;
    // Hides a panel that is shown, else shows it (--toggle).
    void showOrCloseMainWindow();
    // A tray click: hides the panel when it is in front (active, or was until the click), else
    // shows it.
    void statusItemClicked();
    void reOpenWindow();
    bool applicationShouldHandleReopen();
    void changeSelectTypeWithIdStr(const QString& identifier) override;

    void aboutMenuItemAction();
    void checkUpdateMenuItemAction();
    void onlineHelpMenuItemAction();
    void supportMenuItemAction();

    bool isOpenMainWindow() const { return m_isOpenMainWindow; }
    QString typeIdStr() const { return m_typeIdStr; }
    MainViewController* mainWC() const { return m_mainWC; }
    StatusAttachedWindow* mainAttachedWindow() const { return m_mainAttachedWindow; }
    QSystemTrayIcon* statusItem() const { return m_aStatusItem; }
    QMenu* applicationMenu() const { return m_applicationMenu.get(); }
    QAction* startAtLoginAction() const { return m_startAtLoginAction; }
    // The tray menu's "Start at Login": writes or removes the login item off the GUI thread.
    void setStartAtLogin(bool on);
    // The image the tray icon shows: "toplogo" on a dark panel, "topicon_dark" on a light one.
    QString statusItemImageName() const { return m_statusItemImageName; }
    void updateStatusItemImage();

Q_SIGNALS:
    // Online Help or Support has been handled: `error` is empty when the address is opening,
    // else it is also shown at the foot of the panel.
    void addressOpened(const QUrl& url, const QString& error);
    // The login item has been read or changed: `on` is its state, `error` empty on success.
    void startAtLoginUpdated(bool on, const QString& error);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Whether the desktop offers a system tray (XEmbed or StatusNotifierItem).
    virtual bool isSystemTrayAvailable() const;

private:
    QPointF anchorPoint() const;
    template <typename Controller> void runModalDialog(Controller* controller);
    void buildApplicationMenu();
    void openAddress(const QUrl& url);
    void installStatusItem();
    void raiseMainWindow();
    void applyActivationToken(const ActivationRequest& request);
    void refreshStartAtLogin(const QString& error = QString());

    AboutViewController* m_aboutVC = nullptr;
    GXCheckUpdateViewController* m_checkUpdateWC = nullptr;
    QPointer<MainViewController> m_mainWC;
    QPointer<StatusAttachedWindow> m_mainAttachedWindow;
    QString m_typeIdStr = QStringLiteral("TaskManager");
    QSystemTrayIcon* m_aStatusItem = nullptr;
    bool m_isOpenMainWindow = false;
    bool m_noTrayNoticeShown = false;
    QString m_statusItemImageName;

    std::unique_ptr<QMenu> m_applicationMenu;
    std::unique_ptr<PowerService> m_powerService;
    SingleInstance* m_singleInstance = nullptr;
    ApplicationService* m_applicationService = nullptr;
    QAction* m_startAtLoginAction = nullptr;
    QElapsedTimer m_panelDeactivated; // since the panel last lost the focus
    QByteArray m_startupId;           // of the request being carried out (X11)
    DesktopAppearance* m_appearance = nullptr;
};

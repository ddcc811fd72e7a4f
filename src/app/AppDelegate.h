#pragma once

#include "app/MainViewController.h"
#include "app/MainViewControllerDelegate.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/PowerService.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QUrl>

#include <memory>

class AboutViewController;
class DesktopAppearance;
class GXCheckUpdateViewController;

class QMenu;
class SingleInstance;

// The top of the program: single instance, the tray icon, showing and hiding the panel and the
// application menu (About, Check for Update, Online Help, Support, Quit). GUI thread only.
class AppDelegate : public QObject, public MainViewControllerDelegate {
    Q_OBJECT
public:
    // powerService: the service the panel's power actions go to (logind by default).
    explicit AppDelegate(std::unique_ptr<PowerService> powerService = nullptr,
                         QObject* parent = nullptr);
    ~AppDelegate() override;

    // Stores the interface fonts in the settings.
    void awakeFromNib();
    // Start-up. Answers false when another copy runs: it was told to reopen, and this process
    // should exit with status 0 without showing anything.
    bool applicationDidFinishLaunching();
    bool checkAppDuplicateAndBringToFrontWithBundle(const QString& bundleIdentifier);

    void showMainWindow();
    void closeWindow();
    void closeMainWindow() override;
    void showOrCloseMainWindow();
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
    // The image the tray icon shows: "toplogo" on a dark panel, "topicon_dark" on a light one.
    QString statusItemImageName() const { return m_statusItemImageName; }
    void updateStatusItemImage();

Q_SIGNALS:
    // Online Help or Support has been handled: `error` is empty when the address is opening,
    // else it is also shown at the foot of the panel.
    void addressOpened(const QUrl& url, const QString& error);

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
    DesktopAppearance* m_appearance = nullptr;
};

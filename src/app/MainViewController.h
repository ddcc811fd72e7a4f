#pragma once

#include "app/TabBarView.h"
#include "kit/StatusAttachedWindow.h"
#include "system/SoundViewController.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

class ApplicationsViewController;
class CleanUpViewController;
class DiskManagerViewController;
class HotUtilitiesViewController;
class ImageButton;
class LightViewController;
class MainViewControllerDelegate;
class PowerService;
class QLabel;
class QMenu;
class QStackedWidget;
class QuickVisitViewController;
class StartupItemsViewController;
class TaskManagerViewController;
class WindowSystem;

// The main panel (480×600): the title, a column of seven tab buttons, the tab area, the title
// bar, the volume and brightness buttons, desktop background, hide others and the tools menu
// with the power actions. Built anew at every opening of the popup; all seven tab controllers
// are created with it. Keyboard: Ctrl+1 to Ctrl+7 choose a tab and put the focus in it; on a
// focused tab button the arrow keys move to the tab before or after. GUI thread only.
class MainViewController : public QWidget,
                           public TabBarVDelegate,
                           public SoundViewControllerDelegate {
    Q_OBJECT
public:
    // The power service and window system are borrowed; both must outlive the panel.
    MainViewController(PowerService* powerService, WindowSystem* windowSystem,
                       QWidget* parent = nullptr);
    ~MainViewController() override;

    static constexpr QSize kPanelSize{480, 600};
    static const QStringList& tabIdentifiers();

    void setDelegate(MainViewControllerDelegate* delegate) { m_delegate = delegate; }
    MainViewControllerDelegate* delegate() const { return m_delegate; }
    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }

    // Shows the tab with this identifier and updates the tab buttons' images.
    void changeTabWithidStr(const QString& identifier);
    QString currentTabIdentifier() const;
    ImageButton* tabButton(const QString& identifier) const;
    QWidget* tabController(const QString& identifier) const;
    StartupItemsViewController* startupItemsVC() const { return m_startupItemsVC; }
    ImageButton* lightBut() const { return m_lightBut; }
    ImageButton* hideOthersButton() const { return m_hideOthersButton; }
    TabBarView* tabView() const { return m_tabView; }
    QLabel* titleLabel() const { return m_titleLabel; }

    // A one-line notice at the foot of the panel (e.g. how to reach it without a tray).
    void showNotice(const QString& text);
    QString notice() const;

    void closeWindowAction() override;
    void closeWindow();
    void changeSoundIcon(int volume) override;

    void hiddenOthersApp();
    void openSoundView();
    void openLightView();
    void openChangeDesktopBg();
    void menuToolsButtonAction();
    // The tools menu as built by menuToolsButtonAction(), without popping it up.
    QMenu* buildToolsMenu();

    void shutdonwButtonAction();
    void sleepButtonAction();
    void restartButtonAction();
    void logoutButtonAction();
    // Whether the user wants the power action (asked only when actions that cannot be undone
    // ask first).
    bool confirmPowerAction(const QString& question, const QString& actionTitle);
    // Runs the power action named by the phrase ("shut down", "sleep", "restart", "log out")
    // at once, with no question. Failures are logged; the panel stays open.
    void doShoutToolAction(const QString& phrase);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void awakeFromNib();
    void addTabShortcuts();
    // Shows the tab and tells the delegate, as a click on its button does.
    void selectTab(const QString& identifier);
    void setWindowTitle();
    void addTitle();
    void addViewToTab();
    void addTabButtons();
    void addSideButtons();
    void markFirstStart();
    void configureBrightnessButton();
    void selectTypeButtonAction();
    QPoint screenPointAbovePanelBottom(QPointF offset) const;

    ApplicationsViewController* m_applicationVC = nullptr;
    TaskManagerViewController* m_taskManagerVC = nullptr;
    CleanUpViewController* m_cleanupVC = nullptr;
    StartupItemsViewController* m_startupItemsVC = nullptr;
    DiskManagerViewController* m_diskManagerVC = nullptr;
    QuickVisitViewController* m_quickVisitVC = nullptr;
    HotUtilitiesViewController* m_hotUtilitiesVC = nullptr;
    SoundViewController* m_soundVC = nullptr;
    LightViewController* m_lightVC = nullptr;

    QStackedWidget* m_tab = nullptr;
    QHash<QString, QWidget*> m_tabItems;
    QLabel* m_titleLabel = nullptr;
    QWidget* m_baseView = nullptr;
    ImageButton* m_soundButton = nullptr;
    ImageButton* m_lightBut = nullptr;
    ImageButton* m_desktopButton = nullptr;
    ImageButton* m_hideOthersButton = nullptr;
    ImageButton* m_toolsButton = nullptr;
    TabBarView* m_tabView = nullptr;
    QWidget* m_selectMarker = nullptr;
    QLabel* m_noticeLabel = nullptr;
    QPointer<StatusAttachedWindow> m_superDelegate;
    MainViewControllerDelegate* m_delegate = nullptr;
    QHash<QString, ImageButton*> m_tabButtons;

    PowerService* m_powerService = nullptr;
    WindowSystem* m_windowSystem = nullptr;
};

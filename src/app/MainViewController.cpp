#include "app/MainViewController.h"

#include "app/LeftBgView.h"
#include "app/MainTypeSelectView.h"
#include "app/MainViewControllerDelegate.h"
#include "apps/ApplicationsViewController.h"
#include "common/PublicUtilities.h"
#include "disks/DiskManagerViewController.h"
#include "downloads/CleanUpViewController.h"
#include "kit/Announcer.h"
#include "kit/ColorScheme.h"
#include "kit/ImageButton.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/ToolPage.h"
#include "platform/x11/WindowSystem.h"
#include "startup/StartupItemsViewController.h"
#include "system/AboutThisMacViewController.h"
#include "system/HotUtilitiesViewController.h"
#include "system/LightViewController.h"
#include "system/QuickVisitViewController.h"
#include "tasks/TaskManagerViewController.h"

#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QStackedWidget>

namespace {

struct TabRow {
    const char16_t* identifier;
    const char16_t* imageAtLoad;
    const char16_t* imageNotSelected; // nullptr: the image never changes
    const char16_t* imageSelected;
};

// In the order the tabs are added. Disk Manager's unselected face differs from its face at load;
// Hot Utilities keeps its own face whatever tab is chosen.
constexpr TabRow kTabs[] = {
    {u"Applications", u"ic_app", u"ic_app", u"ic_app_sel"},
    {u"TaskManager", u"ic_task_sel", u"ic_task", u"ic_task_sel"},
    {u"Cleanup", u"ic_clean", u"ic_clean", u"ic_clean_sel"},
    {u"StartupItems", u"ic_start", u"ic_start", u"ic_start_sel"},
    {u"DiskManager", u"ic_disk", u"ic_disk_icon", u"ic_disk_sel"},
    {u"QuickVisit", u"ic_vist", u"ic_vist", u"ic_vist_sel"},
    {u"HotUtilities", u"ic_hot", nullptr, nullptr},
};

QString text(const char16_t* literal)
{
    return QString::fromUtf16(literal);
}

constexpr int kColumnWidth = 58;
constexpr int kTabButtonTop = 36;
constexpr int kTabButtonHeight = 48;
constexpr int kContentLeft = 68;
constexpr int kContentTop = 32;

} // namespace

MainViewController::MainViewController(PowerService* powerService, WindowSystem* windowSystem,
                                       QWidget* parent)
    : QWidget(parent), m_powerService(powerService), m_windowSystem(windowSystem)
{
    setFixedSize(kPanelSize);
    setObjectName(QStringLiteral("MainViewController"));
    awakeFromNib();
}

MainViewController::~MainViewController()
{
    // The slider controllers live outside the widget tree between uses.
    delete m_soundVC;
    delete m_lightVC;
}

const QStringList& MainViewController::tabIdentifiers()
{
    static const QStringList identifiers = [] {
        QStringList list;
        for (const TabRow& row : kTabs)
            list.append(text(row.identifier));
        return list;
    }();
    return identifiers;
}

void MainViewController::awakeFromNib()
{
    m_baseView = new LeftBgView(this);
    m_baseView->setGeometry(0, 0, kColumnWidth + 10, kPanelSize.height());

    setWindowTitle();
    addViewToTab();
    m_tabView = new TabBarView(this);
    m_tabView->move(8, 8);
    m_tabView->setDelegate(this);
    addTabButtons();
    addSideButtons();
    addTabShortcuts();

    m_noticeLabel = new QLabel(this);
    m_noticeLabel->setGeometry(kContentLeft + 12, kPanelSize.height() - 44, 388, 36);
    m_noticeLabel->setWordWrap(true);
    // Opaque: it lies over the foot of the tab (the Task Manager's load and Close button).
    ColorScheme::setStyleSheet(
        m_noticeLabel,
        QStringLiteral(
            "background: palette(base); color: palette(text); border: 1px solid palette(highlight);"
            "border-radius: 6px; padding: 2px 8px;"));
    m_noticeLabel->hide();

    markFirstStart();
    configureBrightnessButton();
}

void MainViewController::setWindowTitle()
{
    addTitle();
}

void MainViewController::addTitle()
{
    if (m_titleLabel)
        return;
    // 68, 575, 412 × 18 measured from the bottom of the panel: the top strip of the tab area.
    m_titleLabel = new QLabel(QStringLiteral("Corvella"), this);
    m_titleLabel->setGeometry(kContentLeft, kPanelSize.height() - 575 - 18, 412, 18);
    QFont titleFont = m_titleLabel->font();
    const QString light = PublicUtilities::getLightFontName();
    if (!light.isEmpty())
        titleFont.setFamily(light);
    titleFont.setPixelSize(12);
    m_titleLabel->setFont(titleFont);
    m_titleLabel->setAlignment(Qt::AlignCenter);
}

void MainViewController::addViewToTab()
{
    m_tab = new QStackedWidget(this);
    m_tab->setGeometry(kContentLeft, kContentTop, kPanelSize.width() - kContentLeft,
                       kPanelSize.height() - kContentTop);
    m_applicationVC = new ApplicationsViewController(m_tab);
    m_taskManagerVC = new TaskManagerViewController(m_tab);
    m_cleanupVC = new CleanUpViewController(m_tab);
    m_startupItemsVC = new StartupItemsViewController(m_tab);
    m_diskManagerVC = new DiskManagerViewController(m_tab);
    m_quickVisitVC = new QuickVisitViewController(m_tab);
    connect(m_quickVisitVC, &QuickVisitViewController::openCorvellaTab, this,
            &MainViewController::changeTabWithidStr);
    m_hotUtilitiesVC = new HotUtilitiesViewController(m_tab);
    const QList<QWidget*> controllers = {m_applicationVC,  m_taskManagerVC, m_cleanupVC,
                                         m_startupItemsVC, m_diskManagerVC, m_quickVisitVC,
                                         m_hotUtilitiesVC};
    for (qsizetype index = 0; index < controllers.size(); ++index) {
        const QString identifier = text(kTabs[index].identifier);
        controllers[index]->setObjectName(identifier);
        m_tab->addWidget(controllers[index]);
        m_tabItems.insert(identifier, controllers[index]);
    }
}

void MainViewController::addTabButtons()
{
    m_selectMarker = new MainTypeSelectView(this);
    m_selectMarker->hide();
    int top = kTabButtonTop;
    for (const TabRow& row : kTabs) {
        auto* button = new ImageButton(text(row.imageAtLoad), this);
        button->setIdentifier(text(row.identifier));
        if (auto* page = qobject_cast<ToolPage*>(m_tabItems.value(text(row.identifier)))) {
            button->setToolTip(page->heading());
            button->setAccessibleName(page->heading());
        }
        button->setGeometry(0, top, kColumnWidth, kTabButtonHeight);
        connect(button, &ImageButton::clicked, this, &MainViewController::selectTypeButtonAction);
        button->installEventFilter(this);
        m_tabButtons.insert(text(row.identifier), button);
        top += kTabButtonHeight;
    }
    m_tabButtons.value(QStringLiteral("TaskManager"))->setChecked(true);
}

void MainViewController::addSideButtons()
{
    struct SideButton {
        ImageButton** button;
        const char16_t* image;
        const char* name;
        void (MainViewController::*action)();
    };
    const SideButton buttons[] = {
        {&m_soundButton, u"ic_sound", QT_TR_NOOP("Volume"), &MainViewController::openSoundView},
        {&m_lightBut, u"ic_brightness", QT_TR_NOOP("Brightness"),
         &MainViewController::openLightView},
        {&m_desktopButton, u"ic_desktop_bg", QT_TR_NOOP("Desktop Background"),
         &MainViewController::openChangeDesktopBg},
        {&m_hideOthersButton, u"ic_hide_others", QT_TR_NOOP("Hide Others"),
         &MainViewController::hiddenOthersApp},
        {&m_toolsButton, u"ic_tools", QT_TR_NOOP("Shut Down, Sleep, Restart"),
         &MainViewController::menuToolsButtonAction},
    };
    int top = kPanelSize.height() - 8 - 36 * int(std::size(buttons));
    for (const SideButton& side : buttons) {
        auto* button = new ImageButton(text(side.image), this);
        button->setGeometry((kColumnWidth - 36) / 2, top, 36, 36);
        button->setToolTip(tr(side.name));
        // Named apart from the tooltip, which may grow a reason why the button is off.
        button->setAccessibleName(tr(side.name));
        connect(button, &ImageButton::clicked, this, side.action);
        *side.button = button;
        top += 36;
    }
    // Only X11 lets one application hide the others (under Wayland the reason begins "Needs an
    // X11 session"): the button says why it is off, also to a screen reader.
    if (!m_windowSystem || !m_windowSystem->canHideOtherApplications()) {
        const QString reason =
            m_windowSystem ? m_windowSystem->unavailableReason() : tr("Needs an X11 session.");
        m_hideOthersButton->setEnabled(false);
        m_hideOthersButton->setAccessibleDescription(reason);
        m_hideOthersButton->setToolTip(m_hideOthersButton->toolTip() + u'\n' + reason);
    }
}

void MainViewController::addTabShortcuts()
{
    const QStringList& identifiers = tabIdentifiers();
    for (qsizetype index = 0; index < identifiers.size(); ++index) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + index)), this);
        connect(shortcut, &QShortcut::activated, this, [this, identifier = identifiers[index]] {
            selectTab(identifier);
            // The first control of the tab that Tab would reach takes the focus.
            QWidget* page = m_tabItems.value(identifier);
            for (QWidget* next = page->nextInFocusChain(); page->isAncestorOf(next);
                 next = next->nextInFocusChain()) {
                if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                    next->isVisibleTo(page)) {
                    next->setFocus(Qt::ShortcutFocusReason);
                    break;
                }
            }
        });
    }
}

bool MainViewController::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<ImageButton*>(watched);
    if (event->type() != QEvent::KeyPress || !button ||
        !m_tabButtons.contains(button->identifier()))
        return QWidget::eventFilter(watched, event);
    int step = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    const QStringList& identifiers = tabIdentifiers();
    const qsizetype count = identifiers.size();
    const QString next =
        identifiers[(identifiers.indexOf(button->identifier()) + step + count) % count];
    selectTab(next);
    m_tabButtons.value(next)->setFocus(Qt::TabFocusReason);
    return true;
}

void MainViewController::markFirstStart()
{
    const QString begin = PublicUtilities::getBeginDataTimeStr();
    if (!begin.isEmpty() && begin != u" ")
        return;
    // Only the time is noted: Corvella joins the login items when the user asks ("Start at
    // Login" in the tray menu, `corvella-cli settings login on`), never by itself.
    PublicUtilities::writeBeginDataTimeStr();
}

void MainViewController::configureBrightnessButton()
{
    AboutThisMacViewController* machine = AboutThisMacViewController::shareInstall();
    if (machine->getMacModel()) {
        m_lightBut->setEnabled(false);
        m_lightBut->setToolTip(tr("Sorry, Mac mini can't adjust brightness."));
    } else if (!machine->hasAdjustableDisplay()) {
        m_lightBut->setEnabled(false);
        m_lightBut->setToolTip(tr("This display's brightness cannot be adjusted from here."));
    }
    if (!m_lightBut->isEnabled())
        m_lightBut->setAccessibleDescription(m_lightBut->toolTip());
}

void MainViewController::changeTabWithidStr(const QString& identifier)
{
    if (QWidget* item = m_tabItems.value(identifier))
        m_tab->setCurrentWidget(item);

    for (const TabRow& row : kTabs) {
        if (!row.imageNotSelected)
            continue;
        ImageButton* button = m_tabButtons.value(text(row.identifier));
        button->setImageName(text(row.imageNotSelected));
        button->setChecked(false);
    }
    for (const TabRow& row : kTabs) {
        if (row.imageSelected && identifier == text(row.identifier)) {
            ImageButton* button = m_tabButtons.value(identifier);
            button->setImageName(text(row.imageSelected));
            button->setChecked(true);
            m_selectMarker->setGeometry(0, button->y() + 8, 3, button->height() - 16);
            m_selectMarker->show();
            m_selectMarker->raise();
        }
    }
    if (identifier == u"HotUtilities" || !m_tabItems.contains(identifier))
        m_selectMarker->hide();

    if (identifier == u"StartupItems")
        m_startupItemsVC->updateLoginItemsList();
}

QString MainViewController::currentTabIdentifier() const
{
    QWidget* current = m_tab->currentWidget();
    return current ? current->objectName() : QString();
}

ImageButton* MainViewController::tabButton(const QString& identifier) const
{
    return m_tabButtons.value(identifier);
}

QWidget* MainViewController::tabController(const QString& identifier) const
{
    return m_tabItems.value(identifier);
}

void MainViewController::selectTypeButtonAction()
{
    auto* button = qobject_cast<ImageButton*>(sender());
    if (!button)
        return;
    selectTab(button->identifier());
}

void MainViewController::selectTab(const QString& identifier)
{
    changeTabWithidStr(identifier);
    if (m_delegate)
        m_delegate->changeSelectTypeWithIdStr(identifier);
}

void MainViewController::showNotice(const QString& noticeText)
{
    Announcer::announce(m_noticeLabel, noticeText);
    m_noticeLabel->setVisible(!noticeText.isEmpty());
    m_noticeLabel->raise();
}

QString MainViewController::notice() const
{
    return m_noticeLabel->isVisible() ? m_noticeLabel->text() : QString();
}

void MainViewController::closeWindowAction()
{
    if (m_delegate)
        m_delegate->closeMainWindow();
}

void MainViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}

void MainViewController::changeSoundIcon(int) {}

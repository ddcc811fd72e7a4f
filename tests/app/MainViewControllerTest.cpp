#include "MainViewControllerTest.h"

#include "app/MainViewController.h"
#include "app/MainViewControllerDelegate.h"
#include "common/PublicUtilities.h"
#include "common/SettingsStore.h"
#include "kit/ImageButton.h"
#include "platform/LogindPowerService.h"
#include "platform/PowerService.h"
#include "platform/WindowSystem.h"
#include "platform/standins/LoginManagerStandIn.h"
#include "startup/StartupItemsViewController.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};

class RecordingDelegate : public MainViewControllerDelegate {
public:
    void closeMainWindow() override { ++closes; }
    void changeSelectTypeWithIdStr(const QString& identifier) override
    {
        picked.append(identifier);
    }
    int closes = 0;
    QStringList picked;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList imagesOfTabButtons(const MainViewController& panel)
{
    QStringList images;
    for (const QString& identifier : MainViewController::tabIdentifiers())
        images.append(panel.tabButton(identifier)->imageName());
    return images;
}

std::unique_ptr<WindowSystem> windowSystem()
{
    return WindowSystem::create();
}

} // namespace

void MainViewControllerTest::init()
{
    // Every case starts as a first start on a machine without a backlight.
    QDir(m_home + QStringLiteral("/config")).removeRecursively();
    QDir(m_home + QStringLiteral("/sysroot")).removeRecursively();
    QDir(m_home + QStringLiteral("/system-data")).removeRecursively();
}

void MainViewControllerTest::freshPanelShowsTaskManagerSelected()
{
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    QCOMPARE(panel.size(), QSize(480, 600));
    QCOMPARE(imagesOfTabButtons(panel), (QStringList{"ic_app", "ic_task_sel", "ic_clean",
                                                     "ic_start", "ic_disk", "ic_vist", "ic_vist"}));
    QCOMPARE(panel.titleLabel()->text(), QStringLiteral("Corvella"));
    // All seven tools exist as soon as the panel does.
    for (const QString& identifier : MainViewController::tabIdentifiers())
        QVERIFY2(panel.tabController(identifier), qPrintable(identifier));
}

void MainViewControllerTest::tabImagesFollowTheSelection_data()
{
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QString>("shownTab");
    QTest::newRow("disk manager selected")
        << QStringList{"DiskManager"}
        << QStringList{"ic_app",      "ic_task", "ic_clean", "ic_start",
                       "ic_disk_sel", "ic_vist", "ic_vist"}
        << "DiskManager";
    // Once unselected, Disk Manager shows "ic_disk_icon", not its face at load.
    QTest::newRow("disk manager then cleanup")
        << QStringList{"DiskManager", "Cleanup"}
        << QStringList{"ic_app",       "ic_task", "ic_clean_sel", "ic_start",
                       "ic_disk_icon", "ic_vist", "ic_vist"}
        << "Cleanup";
    QTest::newRow("hot utilities leaves every button unselected")
        << QStringList{"Applications", "HotUtilities"}
        << QStringList{"ic_app",       "ic_task", "ic_clean", "ic_start",
                       "ic_disk_icon", "ic_vist", "ic_vist"}
        << "HotUtilities";
    QTest::newRow("unknown identifier keeps the tab, unselects the images")
        << QStringList{"QuickVisit", "NoSuchTab"}
        << QStringList{"ic_app",       "ic_task", "ic_clean", "ic_start",
                       "ic_disk_icon", "ic_vist", "ic_vist"}
        << "QuickVisit";
}

void MainViewControllerTest::tabImagesFollowTheSelection()
{
    QFETCH(QStringList, picks);
    QFETCH(QStringList, images);
    QFETCH(QString, shownTab);
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    for (const QString& identifier : picks)
        panel.changeTabWithidStr(identifier);
    QCOMPARE(imagesOfTabButtons(panel), images);
    QCOMPARE(panel.currentTabIdentifier(), shownTab);
}

void MainViewControllerTest::clickingATabReportsItToTheDelegate()
{
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    RecordingDelegate delegate;
    panel.setDelegate(&delegate);
    panel.show();
    QTest::mouseClick(panel.tabButton(QStringLiteral("Cleanup")), Qt::LeftButton);
    QCOMPARE(delegate.picked, QStringList{QStringLiteral("Cleanup")});
    QCOMPARE(panel.currentTabIdentifier(), QStringLiteral("Cleanup"));
    QCOMPARE(panel.tabButton(QStringLiteral("Cleanup"))->imageName(),
             QStringLiteral("ic_clean_sel"));
    // Without a delegate the click still switches the tab.
    panel.setDelegate(nullptr);
    QTest::mouseClick(panel.tabButton(QStringLiteral("Applications")), Qt::LeftButton);
    QCOMPARE(panel.currentTabIdentifier(), QStringLiteral("Applications"));
}

void MainViewControllerTest::startupItemsAreReadEachTimeTheTabIsShown()
{
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    StartupItemsViewController* startup = panel.startupItemsVC();
    QCOMPARE(startup->loginItemsReadCount(), 0);
    panel.changeTabWithidStr(QStringLiteral("StartupItems"));
    panel.changeTabWithidStr(QStringLiteral("TaskManager"));
    panel.changeTabWithidStr(QStringLiteral("StartupItems"));
    QCOMPARE(startup->loginItemsReadCount(), 2);
}

void MainViewControllerTest::toolsMenuActsAtOnce_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("action");
    QTest::newRow("shut down") << 0 << "Shut Down" << int(PowerAction::PowerOff);
    QTest::newRow("sleep") << 1 << "Sleep" << int(PowerAction::Suspend);
    QTest::newRow("restart") << 2 << "Restart" << int(PowerAction::Reboot);
}

void MainViewControllerTest::toolsMenuActsAtOnce()
{
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(int, action);
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    QMenu* menu = panel.buildToolsMenu();
    QCOMPARE(menu->actions().size(), 3);
    QAction* item = menu->actions().at(index);
    QCOMPARE(item->text(), title);
    QVERIFY(!item->icon().isNull());
    item->trigger();
    // No question asked: the request goes out with the click.
    QCOMPARE(power.requests, QList<PowerAction>{PowerAction(action)});
    delete menu;

    power.requests.clear();
    panel.logoutButtonAction();
    panel.doShoutToolAction(QStringLiteral("dance"));
    QCOMPARE(power.requests, QList<PowerAction>{PowerAction::LogOut});
}

void MainViewControllerTest::powerActionsReachLogind()
{
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty() || address.contains(QStringLiteral("/run/dbus/system_bus_socket")) ||
        address.contains(QStringLiteral("/var/run/dbus")))
        QSKIP("needs the private system bus of the test environment");
    QDBusConnection standInBus =
        QDBusConnection::connectToBus(address, QStringLiteral("panel-login1"));
    QDBusConnection clientBus =
        QDBusConnection::connectToBus(address, QStringLiteral("panel-client"));
    QVERIFY(standInBus.isConnected() && clientBus.isConnected());
    LoginManagerStandIn standIn;
    QVERIFY(standInBus.registerVirtualObject(LoginManagerStandIn::path(), &standIn,
                                             QDBusConnection::SubPath));
    QVERIFY(standInBus.interface()->registerService(LoginManagerStandIn::serviceName()).value() ==
            QDBusConnectionInterface::ServiceRegistered);

    LogindPowerService power(clientBus);
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    QMenu* menu = panel.buildToolsMenu();
    QSignalSpy finished(&power, &PowerService::finished);
    menu->actions().at(1)->trigger(); // "Sleep"
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.first().at(1).toString(), QString());
    QCOMPARE(standIn.calls().size(), 1);
    QCOMPARE(standIn.calls().first().member, QStringLiteral("Suspend"));
    QVERIFY(standIn.calls().first().interactive);
    delete menu;

    standInBus.interface()->unregisterService(LoginManagerStandIn::serviceName());
    standInBus.unregisterObject(LoginManagerStandIn::path(), QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromBus(QStringLiteral("panel-login1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("panel-client"));
}

void MainViewControllerTest::firstStartRecordsTimeAndAddsLoginItemOnlyWhenInstalled()
{
    const QString autostart = m_home + QStringLiteral("/config/autostart/corvella.desktop");
    RecordingPowerService power;
    auto windows = windowSystem();
    {
        MainViewController panel(&power, windows.get());
        QVERIFY(!PublicUtilities::getBeginDataTimeStr().isEmpty());
        QVERIFY(!QFile::exists(autostart));
    }
    // Installed, but not a first start any more: nothing is added.
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Corvella\nExec=corvella\n";
    writeFile(m_home + QStringLiteral("/system-data/applications/corvella.desktop"), entry);
    {
        MainViewController panel(&power, windows.get());
    }
    QVERIFY(!QFile::exists(autostart));

    // A first start with the entry installed adds it to the login items; a blank time counts as
    // no time.
    SettingsStore::standard().setValue(QStringLiteral("BeginTime"), QStringLiteral(" "));
    {
        MainViewController panel(&power, windows.get());
    }
    QVERIFY(QFile::exists(autostart));
    QFile added(autostart);
    QVERIFY(added.open(QIODevice::ReadOnly));
    QCOMPARE(added.readAll(), entry);
    QVERIFY(PublicUtilities::getBeginDataTimeStr() != QStringLiteral(" "));
}

void MainViewControllerTest::brightnessButtonFollowsTheMachine_data()
{
    QTest::addColumn<QByteArray>("product");
    QTest::addColumn<bool>("backlight");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("laptop") << QByteArray("ThinkBook 14\n") << true << true << "Brightness";
    QTest::newRow("mini model") << QByteArray("Mac mini\n") << true << false
                                << "Sorry, Mac mini can't adjust brightness.";
    QTest::newRow("no backlight") << QByteArray("Desktop PC\n") << false << false
                                  << "This display's brightness cannot be adjusted from here.";
}

void MainViewControllerTest::brightnessButtonFollowsTheMachine()
{
    QFETCH(QByteArray, product);
    QFETCH(bool, backlight);
    QFETCH(bool, enabled);
    QFETCH(QString, toolTip);
    const QString root = m_home + QStringLiteral("/sysroot");
    writeFile(root + QStringLiteral("/sys/class/dmi/id/product_name"), product);
    if (backlight)
        writeFile(root + QStringLiteral("/sys/class/backlight/panel0/max_brightness"), "255\n");
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    QCOMPARE(panel.lightBut()->isEnabled(), enabled);
    QCOMPARE(panel.lightBut()->toolTip(), toolTip);
}

void MainViewControllerTest::closeButtonAsksTheDelegate()
{
    RecordingPowerService power;
    auto windows = windowSystem();
    MainViewController panel(&power, windows.get());
    RecordingDelegate delegate;
    panel.setDelegate(&delegate);
    panel.show();
    panel.tabView()->clickCloseButton();
    QCOMPARE(delegate.closes, 1);
}

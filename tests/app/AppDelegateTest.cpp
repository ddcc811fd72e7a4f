#include "AppDelegateTest.h"

#include "app/AboutViewController.h"
#include "app/AppDelegate.h"
#include "common/NotificationCenter.h"
#include "kit/ImageButton.h"
#include "platform/standins/SettingsPortalStandIn.h"

#include <QDBusConnectionInterface>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

class RecordingPowerService : public PowerService {
public:
    void request(PowerAction action) override { requests.append(action); }
    QList<PowerAction> requests;
};

class Delegate : public AppDelegate {
public:
    explicit Delegate(bool trayAvailable = true)
        : AppDelegate(std::make_unique<RecordingPowerService>()), m_trayAvailable(trayAvailable)
    {}

protected:
    bool isSystemTrayAvailable() const override { return m_trayAvailable; }

private:
    bool m_trayAvailable;
};

} // namespace

void AppDelegateTest::panelTogglesAndRemembersTheTabUntilRestart()
{
    {
        Delegate delegate;
        QCOMPARE(delegate.typeIdStr(), QStringLiteral("TaskManager"));
        delegate.showMainWindow();
        QVERIFY(delegate.isOpenMainWindow());
        QVERIFY(delegate.mainAttachedWindow()->isVisible());
        QCOMPARE(delegate.mainWC()->currentTabIdentifier(), QStringLiteral("TaskManager"));
        // Centred on the screen, sized around the 480×600 panel.
        QCOMPARE(delegate.mainAttachedWindow()->size(), QSize(484, 614));

        QTest::mouseClick(delegate.mainWC()->tabButton(QStringLiteral("Cleanup")), Qt::LeftButton);
        QCOMPARE(delegate.typeIdStr(), QStringLiteral("Cleanup"));

        QPointer<MainViewController> firstPanel = delegate.mainWC();
        delegate.showOrCloseMainWindow();
        QVERIFY(!delegate.isOpenMainWindow());
        QVERIFY(!delegate.mainAttachedWindow());
        QVERIFY(firstPanel); // kept until the next opening replaces it

        delegate.showOrCloseMainWindow();
        QVERIFY(delegate.isOpenMainWindow());
        QVERIFY(delegate.mainWC() != firstPanel);
        QTRY_VERIFY(!firstPanel);
        QCOMPARE(delegate.mainWC()->currentTabIdentifier(), QStringLiteral("Cleanup"));
        QCOMPARE(delegate.mainWC()->tabButton(QStringLiteral("Cleanup"))->imageName(),
                 QStringLiteral("ic_clean_sel"));
        // A reopen request from a second copy toggles like a tray click.
        QVERIFY(delegate.applicationShouldHandleReopen());
        QVERIFY(!delegate.isOpenMainWindow());
    }
    // A restart forgets the tab.
    Delegate restarted;
    restarted.showMainWindow();
    QCOMPARE(restarted.mainWC()->currentTabIdentifier(), QStringLiteral("TaskManager"));
}

void AppDelegateTest::reOpenWindowOnlyOpens()
{
    Delegate delegate;
    NotificationCenter::defaultCenter()->post(QStringLiteral("reOpenWindow"));
    QVERIFY(delegate.isOpenMainWindow());
    MainViewController* panel = delegate.mainWC();
    NotificationCenter::defaultCenter()->post(QStringLiteral("reOpenWindow"));
    QVERIFY(delegate.isOpenMainWindow());
    QCOMPARE(delegate.mainWC(), panel);
}

void AppDelegateTest::closeButtonClosesThePanel()
{
    Delegate delegate;
    delegate.showMainWindow();
    delegate.mainWC()->tabView()->clickCloseButton();
    QVERIFY(!delegate.isOpenMainWindow());
    QVERIFY(!delegate.mainAttachedWindow());
    // The next toggle opens it again.
    delegate.showOrCloseMainWindow();
    QVERIFY(delegate.isOpenMainWindow());
}

void AppDelegateTest::panelClosedAnyOtherWayOpensOnTheNextToggle()
{
    Delegate delegate;
    delegate.showMainWindow();
    delegate.mainAttachedWindow()->close(); // as the window manager closes it
    QVERIFY(!delegate.isOpenMainWindow());
    delegate.showOrCloseMainWindow();
    QVERIFY(delegate.mainAttachedWindow() && delegate.mainAttachedWindow()->isVisible());
    delegate.mainWC()->closeWindow();
    delegate.showOrCloseMainWindow();
    QVERIFY(delegate.mainAttachedWindow() && delegate.mainAttachedWindow()->isVisible());
}

void AppDelegateTest::dialogsAreCreatedOnceAndEndTheirModalRunOnClose()
{
    Delegate delegate;
    delegate.showMainWindow();
    QPointer<AboutViewController> shown;
    int runs = 0;
    for (int round = 0; round < 2; ++round) {
        // Closing the dialog from inside its modal run ends the run.
        QTimer::singleShot(0, &delegate, [&] {
            auto* about = qobject_cast<AboutViewController*>(
                QApplication::activeModalWidget()
                    ? QApplication::activeModalWidget()->findChild<AboutViewController*>()
                    : nullptr);
            QVERIFY(about);
            QVERIFY(about->superDelegate()->isRunningModal());
            if (shown)
                QCOMPARE(about, shown.data()); // the same controller, a new window
            shown = about;
            about->closeWindow();
        });
        delegate.aboutMenuItemAction();
        ++runs;
    }
    QCOMPARE(runs, 2);
    QVERIFY(shown);
    QVERIFY(!shown->superDelegate());
    // The panel is still open after the dialog.
    QVERIFY(delegate.isOpenMainWindow());

    QStringList titles;
    for (QAction* action : delegate.applicationMenu()->actions())
        if (!action->isSeparator())
            titles.append(action->text());
    QCOMPARE(titles, (QStringList{"About Corvella", "Check for Update…", "Online Help", "Support",
                                  "Quit Corvella"}));
}

void AppDelegateTest::withoutATrayThePanelSaysHowToReachItOnce()
{
    Delegate delegate(false);
    delegate.showMainWindow();
    QVERIFY(delegate.mainWC()->notice().contains(QStringLiteral("start Corvella again")));
    delegate.closeWindow();
    delegate.showMainWindow();
    QCOMPARE(delegate.mainWC()->notice(), QString());

    Delegate withTray(true);
    withTray.showMainWindow();
    QCOMPARE(withTray.mainWC()->notice(), QString());
}

void AppDelegateTest::trayImageFollowsTheColourScheme()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() || qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV"))
        QSKIP("needs the private session bus of the test environment");
    QDBusConnection portalBus =
        QDBusConnection::connectToBus(address, QStringLiteral("portal-standin"));
    SettingsPortalStandIn portal;
    portal.setColorScheme(1); // prefer dark
    QVERIFY(portalBus.registerVirtualObject(SettingsPortalStandIn::path(), &portal));
    QCOMPARE(portalBus.interface()->registerService(SettingsPortalStandIn::serviceName()).value(),
             QDBusConnectionInterface::ServiceRegistered);

    {
        Delegate delegate;
        QTRY_COMPARE(delegate.statusItemImageName(), QStringLiteral("toplogo"));
        portal.setColorScheme(2); // prefer light, announced by the portal
        SettingsPortalStandIn::emitSettingChanged(portalBus,
                                                  QStringLiteral("org.freedesktop.appearance"),
                                                  QStringLiteral("color-scheme"), uint(2));
        QTRY_COMPARE(delegate.statusItemImageName(), QStringLiteral("topicon_dark"));
    }

    portalBus.interface()->unregisterService(SettingsPortalStandIn::serviceName());
    portalBus.unregisterObject(SettingsPortalStandIn::path());
    QDBusConnection::disconnectFromBus(QStringLiteral("portal-standin"));
}

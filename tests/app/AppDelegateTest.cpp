#include "app/AppDelegate.h"

#include "ShellTests.h"
#include "app/AboutViewController.h"
#include "common/NotificationCenter.h"
#include "kit/ImageButton.h"
#include "platform/standins/SettingsPortalStandIn.h"

#include <QDBusConnectionInterface>
#include <QTest>
#include <QTimer>

namespace {

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

class AppDelegateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panelTogglesAndRemembersTheTabUntilRestart()
    {
        {
            Delegate delegate;
            delegate.showMainWindow();
            QVERIFY(delegate.mainAttachedWindow()->isVisible());
            QCOMPARE(delegate.mainWC()->currentTabIdentifier(), QStringLiteral("TaskManager"));
            QTest::mouseClick(delegate.mainWC()->tabButton(QStringLiteral("Cleanup")),
                              Qt::LeftButton);

            QPointer<MainViewController> firstPanel = delegate.mainWC();
            delegate.showOrCloseMainWindow();
            QVERIFY(!delegate.isOpenMainWindow());
            QVERIFY(!delegate.mainAttachedWindow());
            QVERIFY(firstPanel); // kept until the next opening replaces it

            delegate.showOrCloseMainWindow();
            QVERIFY(delegate.mainAttachedWindow()->isVisible());
            QVERIFY(delegate.mainWC() != firstPanel);
            QTRY_VERIFY(!firstPanel);
            QCOMPARE(delegate.mainWC()->currentTabIdentifier(), QStringLiteral("Cleanup"));
            // A reopen request from a second copy toggles like a tray click.
            QVERIFY(delegate.applicationShouldHandleReopen());
            QVERIFY(!delegate.isOpenMainWindow());
        }
        Delegate restarted; // a restart forgets the tab
        restarted.showMainWindow();
        QCOMPARE(restarted.mainWC()->currentTabIdentifier(), QStringLiteral("TaskManager"));
    }

    void reOpenWindowOnlyOpens()
    {
        Delegate delegate;
        NotificationCenter::defaultCenter()->post(QStringLiteral("reOpenWindow"));
        QVERIFY(delegate.isOpenMainWindow());
        MainViewController* panel = delegate.mainWC();
        NotificationCenter::defaultCenter()->post(QStringLiteral("reOpenWindow"));
        QVERIFY(delegate.isOpenMainWindow());
        QCOMPARE(delegate.mainWC(), panel);
    }

    void panelClosedAnyWayOpensOnTheNextToggle_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("close button") << 0;
        QTest::newRow("window manager") << 1;
        QTest::newRow("the panel's closeWindow()") << 2;
    }

    void panelClosedAnyWayOpensOnTheNextToggle()
    {
        QFETCH(int, way);
        Delegate delegate;
        delegate.showMainWindow();
        if (way == 0)
            delegate.mainWC()->tabView()->clickCloseButton();
        else if (way == 1)
            delegate.mainAttachedWindow()->close();
        else
            delegate.mainWC()->closeWindow();
        QVERIFY(!delegate.isOpenMainWindow());
        QVERIFY(!delegate.mainAttachedWindow());
        delegate.showOrCloseMainWindow();
        QVERIFY(delegate.mainAttachedWindow() && delegate.mainAttachedWindow()->isVisible());
    }

    void dialogsAreCreatedOnceAndEndTheirModalRunOnClose()
    {
        Delegate delegate;
        delegate.showMainWindow();
        QPointer<AboutViewController> shown;
        for (int round = 0; round < 2; ++round) {
            // Closing the dialog from inside its modal run ends the run.
            QTimer::singleShot(0, &delegate, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                auto* about = modal ? modal->findChild<AboutViewController*>() : nullptr;
                QVERIFY(about && about->superDelegate()->isRunningModal());
                if (shown)
                    QCOMPARE(about, shown.data()); // the same controller, a new window
                shown = about;
                about->closeWindow();
            });
            delegate.aboutMenuItemAction();
        }
        QVERIFY(shown);
        QVERIFY(!shown->superDelegate());
        QVERIFY(delegate.isOpenMainWindow()); // the dialog left the panel open
    }

    void withoutATrayThePanelSaysHowToReachItOnce()
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

    void trayImageFollowsTheColourScheme()
    {
        const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
        if (address.isEmpty() || qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV"))
            QSKIP("needs the private session bus of the test environment");
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("portal"));
        SettingsPortalStandIn portal;
        portal.setColorScheme(1); // prefer dark
        QVERIFY(bus.registerVirtualObject(SettingsPortalStandIn::path(), &portal));
        QCOMPARE(bus.interface()->registerService(SettingsPortalStandIn::serviceName()).value(),
                 QDBusConnectionInterface::ServiceRegistered);
        {
            Delegate delegate;
            QTRY_COMPARE(delegate.statusItemImageName(), QStringLiteral("toplogo"));
            portal.setColorScheme(2); // prefer light, announced by the portal
            SettingsPortalStandIn::emitSettingChanged(bus,
                                                      QStringLiteral("org.freedesktop.appearance"),
                                                      QStringLiteral("color-scheme"), uint(2));
            QTRY_COMPARE(delegate.statusItemImageName(), QStringLiteral("topicon_dark"));
        }
        bus.interface()->unregisterService(SettingsPortalStandIn::serviceName());
        bus.unregisterObject(SettingsPortalStandIn::path());
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
    }
};

int runAppDelegateTest(int argc, char** argv)
{
    AppDelegateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AppDelegateTest.moc"

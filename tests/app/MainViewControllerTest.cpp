#include "app/MainViewController.h"

#include "ShellTests.h"
#include "app/MainViewControllerDelegate.h"
#include "common/PublicUtilities.h"
#include "common/SettingsStore.h"
#include "kit/ImageButton.h"
#include "kit/KitImages.h"
#include "platform/WindowSystem.h"
#include "startup/StartupItemsViewController.h"
#include "support/Files.h"

#include <QMenu>
#include <QTest>

namespace {

class RecordingDelegate : public MainViewControllerDelegate {
public:
    void closeMainWindow() override {}
    void changeSelectTypeWithIdStr(const QString& identifier) override
    {
        picked.append(identifier);
    }
    QStringList picked;
};

// A panel with a recording power service and the platform's window services.
struct Panel {
    RecordingPowerService power;
    std::unique_ptr<WindowSystem> windows = WindowSystem::create();
    MainViewController view{&power, windows.get()};
};

} // namespace

class MainViewControllerTest : public QObject {
    Q_OBJECT
public:
    explicit MainViewControllerTest(QString home) : m_home(std::move(home)) {}

private Q_SLOTS:
    void init()
    {
        // Every case starts as a first start on a machine without a backlight.
        for (const char* folder : {"/config", "/sysroot", "/system-data"})
            QDir(m_home + QLatin1String(folder)).removeRecursively();
    }

    void tabSelection_data()
    {
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QString>("chosen"); // the one button showing its selected face, or none
        QTest::addColumn<QString>("shownTab");
        QTest::newRow("fresh panel") << QStringList() << "TaskManager"
                                     << "Applications";
        QTest::newRow("disk manager") << QStringList{"DiskManager"} << "DiskManager"
                                      << "DiskManager";
        QTest::newRow("disk manager then cleanup")
            << QStringList{"DiskManager", "Cleanup"} << "Cleanup"
            << "Cleanup";
        QTest::newRow("hot utilities selects no button")
            << QStringList{"Applications", "HotUtilities"} << ""
            << "HotUtilities";
        QTest::newRow("unknown identifier keeps the tab, selects no button")
            << QStringList{"QuickVisit", "NoSuchTab"} << ""
            << "QuickVisit";
    }

    void tabSelection()
    {
        QFETCH(QStringList, picks);
        QFETCH(QString, chosen);
        QFETCH(QString, shownTab);
        Panel panel;
        for (const QString& identifier : picks)
            panel.view.changeTabWithidStr(identifier);
        QCOMPARE(panel.view.currentTabIdentifier(), shownTab);
        for (const QString& identifier : MainViewController::tabIdentifiers()) {
            const ImageButton* button = panel.view.tabButton(identifier);
            const bool isChosen = identifier == chosen;
            QVERIFY2(button->imageName().endsWith(u"_sel") == isChosen, qPrintable(identifier));
            QVERIFY2(KitImages::contains(button->imageName()), qPrintable(button->imageName()));
        }
    }

    void clickingATabReportsItToTheDelegate()
    {
        Panel panel;
        RecordingDelegate delegate;
        panel.view.setDelegate(&delegate);
        panel.view.show();
        QTest::mouseClick(panel.view.tabButton(QStringLiteral("Cleanup")), Qt::LeftButton);
        QCOMPARE(delegate.picked, QStringList{QStringLiteral("Cleanup")});
        QCOMPARE(panel.view.currentTabIdentifier(), QStringLiteral("Cleanup"));
        // Without a delegate the click still switches the tab.
        panel.view.setDelegate(nullptr);
        QTest::mouseClick(panel.view.tabButton(QStringLiteral("Applications")), Qt::LeftButton);
        QCOMPARE(panel.view.currentTabIdentifier(), QStringLiteral("Applications"));
    }

    void startupItemsAreReadEachTimeTheTabIsShown()
    {
        Panel panel;
        for (const char* identifier : {"StartupItems", "TaskManager", "StartupItems"})
            panel.view.changeTabWithidStr(QLatin1String(identifier));
        QCOMPARE(panel.view.startupItemsVC()->loginItemsReadCount(), 2);
    }

    void toolsMenuActsAtOnce_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<PowerAction>("action");
        QTest::newRow("shut down") << 0 << "Shut Down" << PowerAction::PowerOff;
        QTest::newRow("sleep") << 1 << "Sleep" << PowerAction::Suspend;
        QTest::newRow("restart") << 2 << "Restart" << PowerAction::Reboot;
    }

    void toolsMenuActsAtOnce()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(PowerAction, action);
        Panel panel;
        const std::unique_ptr<QMenu> menu(panel.view.buildToolsMenu());
        QAction* item = menu->actions().value(index);
        QVERIFY(item);
        QCOMPARE(item->text(), title);
        item->trigger(); // no question asked: the request goes out with the click
        panel.view.logoutButtonAction();
        panel.view.doShoutToolAction(QStringLiteral("dance"));
        QCOMPARE(panel.power.requests, (QList<PowerAction>{action, PowerAction::LogOut}));
    }

    void firstStartRecordsTimeAndAddsLoginItemOnlyWhenInstalled()
    {
        const QString autostart = m_home + QStringLiteral("/config/autostart/corvella.desktop");
        {
            Panel firstStart;
        }
        QVERIFY(!PublicUtilities::getBeginDataTimeStr().isEmpty());
        QVERIFY(!exists(autostart)); // nothing installed

        // Installed, but not a first start any more: nothing is added.
        const QByteArray entry =
            "[Desktop Entry]\nType=Application\nName=Corvella\nExec=corvella\n";
        QVERIFY(writeFile(m_home + QStringLiteral("/system-data/applications/corvella.desktop"),
                          entry));
        {
            Panel secondStart;
        }
        QVERIFY(!exists(autostart));

        // A blank time counts as no time: a first start with the entry installed adds it.
        SettingsStore::standard().setValue(QStringLiteral("BeginTime"), QStringLiteral(" "));
        {
            Panel blankTime;
        }
        QCOMPARE(readFile(autostart), entry);
        QVERIFY(PublicUtilities::getBeginDataTimeStr() != QStringLiteral(" "));
    }

    void brightnessButtonFollowsTheMachine_data()
    {
        QTest::addColumn<QByteArray>("product");
        QTest::addColumn<bool>("backlight");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("laptop") << QByteArray("ThinkBook 14\n") << true << true;
        QTest::newRow("mini model") << QByteArray("Mac mini\n") << true << false;
        QTest::newRow("no backlight") << QByteArray("Desktop PC\n") << false << false;
    }

    void brightnessButtonFollowsTheMachine()
    {
        QFETCH(QByteArray, product);
        QFETCH(bool, backlight);
        QFETCH(bool, enabled);
        const QString root = m_home + QStringLiteral("/sysroot/sys/class");
        QVERIFY(writeFile(root + QStringLiteral("/dmi/id/product_name"), product));
        if (backlight)
            QVERIFY(writeFile(root + QStringLiteral("/backlight/panel0/max_brightness"), "255\n"));
        Panel panel;
        QCOMPARE(panel.view.lightBut()->isEnabled(), enabled);
    }

private:
    QString m_home;
};

int runMainViewControllerTest(int argc, char** argv, const QString& home)
{
    MainViewControllerTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "MainViewControllerTest.moc"

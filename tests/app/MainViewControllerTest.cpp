#include "app/MainViewController.h"

#include "ShellTests.h"
#include "common/PublicUtilities.h"
#include "common/SettingsStore.h"
#include "kit/ImageButton.h"
#include "kit/KitImages.h"
#include "platform/x11/WindowSystem.h"
#include "startup/StartupItemsViewController.h"
#include "support/ConfirmationAnswer.h"
#include "support/Files.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Panel {
    RecordingPowerService power;
    std::unique_ptr<WindowSystem> windows = WindowSystem::create();
    MainViewController view{&power, windows.get()};
};

} // namespace

class MainViewControllerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        for (const char* folder : {"/config", "/system-data"}) // every case is a first start
            QDir(m_home + QLatin1String(folder)).removeRecursively();
    }

    void tabSelection_data()
    {
        QTest::addColumn<QString>("picks");
        QTest::addColumn<QString>("chosen"); // the one button showing its selected face, or none
        QTest::addColumn<QString>("shownTab");
        QTest::newRow("fresh") << u""_s << u"TaskManager"_s << u"Applications"_s;
        QTest::newRow("disk, cleanup") << u"DiskManager Cleanup"_s << u"Cleanup"_s << u"Cleanup"_s;
        QTest::newRow("hot utilities") << u"Cleanup HotUtilities"_s << u""_s << u"HotUtilities"_s;
        QTest::newRow("unknown") << u"QuickVisit NoSuchTab"_s << u""_s << u"QuickVisit"_s;
        QTest::newRow("startup items, read at each showing")
            << u"StartupItems TaskManager StartupItems"_s << u"StartupItems"_s << u"StartupItems"_s;
    }

    void tabSelection()
    {
        QFETCH(QString, picks);
        QFETCH(QString, chosen);
        QFETCH(QString, shownTab);
        Panel panel;
        for (const QString& identifier : picks.split(u' ', Qt::SkipEmptyParts))
            panel.view.changeTabWithidStr(identifier);
        QCOMPARE(panel.view.currentTabIdentifier(), shownTab);
        for (const QString& identifier : MainViewController::tabIdentifiers()) {
            const QString face = panel.view.tabButton(identifier)->imageName();
            QVERIFY2(face.endsWith(u"_sel") == (identifier == chosen), qPrintable(identifier));
            QVERIFY2(KitImages::contains(face), qPrintable(face));
        }
        QCOMPARE(panel.view.startupItemsVC()->loginItemsReadCount(), picks.count(u"StartupItems"));
    }

    void toolsMenuAsksBeforeWhatCannotBeUndone_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<PowerAction>("action");
        QTest::addColumn<bool>("asks");
        QTest::newRow("shut down") << 0 << u"Shut Down"_s << PowerAction::PowerOff << true;
        QTest::newRow("sleep") << 1 << u"Sleep"_s << PowerAction::Suspend << false;
        QTest::newRow("restart") << 2 << u"Restart"_s << PowerAction::Reboot << true;
    }

    void toolsMenuAsksBeforeWhatCannotBeUndone()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(PowerAction, action);
        QFETCH(bool, asks);
        Panel panel;
        const std::unique_ptr<QMenu> menu(panel.view.buildToolsMenu());
        QAction* item = menu->actions().value(index);
        QVERIFY(item && item->text() == title);
        {
            const ConfirmationAnswer cancel(false);
            item->trigger();
            QCOMPARE(cancel.asked(), asks ? 1 : 0);
            QVERIFY(!asks || cancel.cancelIsDefault());
        }
        {
            const ConfirmationAnswer confirm(true);
            item->trigger();
            panel.view.logoutButtonAction();
            QCOMPARE(confirm.asked(), asks ? 2 : 1);
        }
        // With the questions turned off, every action goes out with the click.
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, false));
        item->trigger();
        panel.view.logoutButtonAction();
        panel.view.doShoutToolAction(u"dance"_s);
        QList<PowerAction> expected{action, PowerAction::LogOut, action, PowerAction::LogOut};
        if (!asks)
            expected.prepend(action); // Sleep went out at the cancelled try too
        QCOMPARE(panel.power.requests, expected);
    }

    void volumeControlOpensAgainAndAgain()
    {
        Panel panel;
        panel.view.show();
        for (int opening = 0; opening < 5; ++opening) {
            panel.view.openSoundView(); // the view is kept from one opening to the next
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu && menu->isVisible());
            menu->close(); // and the menu goes with it
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void firstStartRecordsTheTimeAndAddsNoLoginItem()
    {
        // Installed under both names a package has used; the first start still adds nothing.
        const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Corvella\nExec=sh\n";
        for (const QString& name : {u"corvella.desktop"_s, u"com.brimwick.corvella.desktop"_s})
            QVERIFY(writeFile(m_home + u"/system-data/applications/"_s + name, entry));
        SettingsStore::standard().setValue(u"BeginTime"_s, u" "_s); // a blank time is no time
        Panel{};
        QVERIFY(PublicUtilities::getBeginDataTimeStr() != u" ");
        QCOMPARE(QDir(m_home + u"/config/autostart"_s).entryList(QDir::Files), QStringList());
    }

private:
    const QString m_home = QDir::homePath();
};

static const bool registered = registerTest<MainViewControllerTest>();

#include "MainViewControllerTest.moc"

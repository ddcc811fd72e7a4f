#include "app/AppDelegate.h"

#include "ShellTests.h"
#include "app/TabBarView.h"
#include "common/NotificationCenter.h"
#include "kit/ImageButton.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class AppDelegateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panelOpensTogglesAndRemembersTheTabUntilRestart()
    {
        auto delegate = std::make_unique<TestDelegate>();
        // The launcher's "reOpenWindow" only opens: a second one keeps the panel.
        NotificationCenter::defaultCenter()->post(u"reOpenWindow"_s);
        QVERIFY(delegate->panelShown());
        MainViewController* panel = delegate->mainWC();
        NotificationCenter::defaultCenter()->post(u"reOpenWindow"_s);
        QVERIFY(delegate->panelShown() && delegate->mainWC() == panel);
        QCOMPARE(delegate->mainWC()->currentTabIdentifier(), u"TaskManager"_s);
        QTest::mouseClick(delegate->mainWC()->tabButton(u"Cleanup"_s), Qt::LeftButton);
        QPointer<MainViewController> firstPanel = panel;
        delegate->showOrCloseMainWindow();
        QVERIFY(!delegate->isOpenMainWindow() && !delegate->mainAttachedWindow());
        QVERIFY(firstPanel); // kept until the next opening replaces it
        delegate->showOrCloseMainWindow();
        QVERIFY(delegate->panelShown());
        QTRY_VERIFY(!firstPanel);
        QCOMPARE(delegate->mainWC()->currentTabIdentifier(), u"Cleanup"_s);
        // A reopen request from a second copy shows: the same panel stays.
        panel = delegate->mainWC();
        QVERIFY(delegate->applicationShouldHandleReopen());
        QVERIFY(delegate->panelShown() && delegate->mainWC() == panel);
        delegate->showOrCloseMainWindow();
        delegate = std::make_unique<TestDelegate>(); // a restart forgets the tab
        delegate->showMainWindow();
        QCOMPARE(delegate->mainWC()->currentTabIdentifier(), u"TaskManager"_s);
    }

    // However the panel was left, one toggle shows it.
    void panelLeftAnyWayShowsAtOneToggle_data()
    {
        QTest::addColumn<int>("way");
        int way = 0;
        for (const char* name :
             {"close button", "window manager", "the panel's closeWindow()", "minimised", "hidden"})
            QTest::newRow(name) << way++;
    }

    void panelLeftAnyWayShowsAtOneToggle()
    {
        QFETCH(int, way);
        TestDelegate delegate;
        delegate.showMainWindow();
        StatusAttachedWindow* window = delegate.mainAttachedWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        TabBarView* bar = delegate.mainWC()->tabView();
        const std::function<void()> ways[] = {
            [&] { bar->clickCloseButton(); }, [&] { window->close(); },
            [&] { delegate.mainWC()->closeWindow(); }, [&] { bar->clickMinimizeButton(); },
            [&] {
                window->hide();
            }};
        ways[way]();
        QVERIFY(way > 2 || (!delegate.isOpenMainWindow() && !delegate.mainAttachedWindow()));
        delegate.showOrCloseMainWindow();
        QVERIFY(delegate.panelShown() && !delegate.mainAttachedWindow()->isMinimized());
    }

    // The About dialog: one controller, a new window at each opening, its modal run ended by its
    // close; a reopen meanwhile brings the minimised dialog forward and keeps the panel.
    void dialogIsMadeOnceComesForwardAtReopenAndEndsItsRunOnClose()
    {
        TestDelegate delegate;
        delegate.showMainWindow();
        const QPointer<StatusAttachedWindow> panel = delegate.mainAttachedWindow();
        QPointer<AboutViewController> shown;
        for (int round = 0; round < 2; ++round) {
            bool forward = false;
            QTimer::singleShot(0, &delegate, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                auto* about = modal ? modal->findChild<AboutViewController*>() : nullptr;
                QVERIFY(about && about->superDelegate()->isRunningModal());
                QVERIFY(!shown || about == shown);
                shown = about;
                modal->showMinimized();
                QVERIFY(delegate.applicationShouldHandleReopen());
                forward = modal->isVisible() && !modal->isMinimized() &&
                          QApplication::activeModalWidget() == modal && delegate.panelShown() &&
                          delegate.mainAttachedWindow() == panel;
                about->closeWindow();
            });
            delegate.aboutMenuItemAction();
            QVERIFY(forward);
        }
        QVERIFY(shown && !shown->superDelegate());
        QVERIFY(delegate.panelShown());
    }

    // What a later start or the desktop asks (the same records over D-Bus and the socket).
    void requestsShowTheTabAndOnlyToggleHides_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("shownAfter");
        QTest::addColumn<QString>("tab"); // empty: refused
        QTest::newRow("Activate, closed") << false << u""_s << u""_s << true << u"TaskManager"_s;
        QTest::newRow("Activate, open") << true << u""_s << u""_s << true << u"TaskManager"_s;
        QTest::newRow("show DiskManager, open")
            << true << u"show"_s << u"DiskManager"_s << true << u"DiskManager"_s;
        QTest::newRow("clean-downloads")
            << false << u"clean-downloads"_s << u""_s << true << u"Cleanup"_s;
        QTest::newRow("task-manager")
            << true << u"task-manager"_s << u""_s << true << u"TaskManager"_s;
        QTest::newRow("disk-manager")
            << true << u"disk-manager"_s << u""_s << true << u"DiskManager"_s;
        QTest::newRow("toggle, open") << true << u"toggle"_s << u""_s << false << u"TaskManager"_s;
        QTest::newRow("toggle QuickVisit, closed")
            << false << u"toggle"_s << u"QuickVisit"_s << true << u"QuickVisit"_s;
        QTest::newRow("background, closed")
            << false << u"background"_s << u""_s << false << u"TaskManager"_s;
        QTest::newRow("unknown tab") << true << u"show"_s << u"Nowhere\n"_s << true << u""_s;
        QTest::newRow("unknown action") << false << u"frobnicate"_s << u""_s << false << u""_s;
    }

    void requestsShowTheTabAndOnlyToggleHides()
    {
        QFETCH(bool, openBefore);
        QFETCH(QString, action);
        QFETCH(QString, target);
        QFETCH(bool, shownAfter);
        QFETCH(QString, tab);
        TestDelegate delegate;
        if (openBefore)
            delegate.showMainWindow();
        const QString refusal = delegate.handleActivation({action, target, {}, {}});
        QCOMPARE(refusal.isEmpty(), !tab.isEmpty());
        QCOMPARE(delegate.panelShown(), shownAfter);
        if (!tab.isEmpty())
            QCOMPARE(delegate.typeIdStr(), tab);
        if (shownAfter && !tab.isEmpty())
            QCOMPARE(delegate.mainWC()->currentTabIdentifier(), tab);
    }

    void startAtLoginIsOffUntilTurnedOnAndWritesABackgroundEntry()
    {
        // Not beside the test: the entry starts "corvella" from PATH, as an installed copy does.
        const QString bin = QDir::homePath() + u"/bin"_s;
        QVERIFY(writeFile(bin + u"/corvella"_s, "#!/bin/sh\n") &&
                QFile::setPermissions(bin + u"/corvella"_s, QFile::ExeOwner | QFile::ReadOwner));
        const ScopedEnvironmentVariable path("PATH",
                                             QFile::encodeName(bin) + ":" + qgetenv("PATH"));
        TestDelegate delegate;
        QSignalSpy updated(&delegate, &AppDelegate::startAtLoginUpdated);
        const QString entry =
            QDir::homePath() + u"/config/autostart/com.brimwick.corvella.desktop"_s;
        QCOMPARE(delegate.applicationMenu()->actions().first()->text(), u"Show Corvella"_s);
        for (bool on : {true, false}) {
            delegate.startAtLoginAction()->trigger();
            QVERIFY(updated.wait(5000));
            QCOMPARE(updated.last(), (QVariantList{on, QString()}));
            QCOMPARE(delegate.startAtLoginAction()->isChecked(), on);
            QCOMPARE(readFile(entry).contains(" --background\n"), on);
        }
    }

    void keyboardAloneWalksThePanel()
    {
        const QString mark = QDir::homePath() + u"/launched by key"_s;
        QVERIFY(writeFile(qEnvironmentVariable("XDG_DATA_HOME") + u"/applications/kf.desktop"_s,
                          "[Desktop Entry]\nType=Application\nName=Keyfinder\nExec=touch \"" +
                              QFile::encodeName(mark) + "\"\n"));
        TestDelegate delegate;
        delegate.showMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(delegate.mainAttachedWindow()));
        MainViewController* panel = delegate.mainWC();
        const auto press = [](int key, Qt::KeyboardModifiers with = {}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), with);
            return QApplication::focusWidget(); // after the key
        };
        QTRY_VERIFY(press(Qt::Key_1, Qt::ControlModifier)->inherits("QLineEdit")); // scan over
        for (qsizetype index = 6; index >= 0; --index) {
            press(Qt::Key_1 + int(index), Qt::ControlModifier);
            QCOMPARE(panel->currentTabIdentifier(), MainViewController::tabIdentifiers()[index]);
        }
        QTest::keyClicks(QApplication::focusWidget(), u"keyf"_s);
        press(Qt::Key_Return); // the first match
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 10000);
        press(Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(press(Qt::Key_Tab)->property("text"), u"Close"_s); // from the list
        press(Qt::Key_Tab);
        QVERIFY(press(Qt::Key_Right) == panel->tabButton(u"TaskManager"_s));
        press(Qt::Key_6, Qt::ControlModifier);
        for (int step = 0; press(Qt::Key_Tab)->property("text") != u"About This Computer"_s;)
            QVERIFY(++step < 12);
        bool closed = false;
        QTimer::singleShot(0, &delegate, [&closed] {
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
            if (!(closed = !QApplication::activeModalWidget()))
                QApplication::activeModalWidget()->close(); // the run ends either way
        });
        press(Qt::Key_Space); // returns when the About dialog's run ends
        QVERIFY(closed && QTest::qWaitForWindowActive(delegate.mainAttachedWindow()));
        press(Qt::Key_Escape);
        QVERIFY(!delegate.isOpenMainWindow());
    }

    void withoutATrayThePanelSaysHowToReachItOnce()
    {
        TestDelegate delegate(false);
        delegate.showMainWindow();
        QVERIFY(delegate.mainWC()->notice().contains(u"start Corvella again"));
        delegate.closeWindow();
        delegate.showMainWindow();
        QCOMPARE(delegate.mainWC()->notice(), QString());
        TestDelegate withTray(true);
        withTray.showMainWindow();
        QCOMPARE(withTray.mainWC()->notice(), QString());
    }
};

static const bool registered = registerTest<AppDelegateTest>();

#include "AppDelegateTest.moc"

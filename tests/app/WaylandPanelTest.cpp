// The panel as a client of the test environment's Wayland compositor (weston).
#include "ShellTests.h"
#include "app/AppDelegate.h"
#include "app/MyNSApplication.h"
#include "kit/ImageButton.h"
#include "support/PrivateHome.h"
#include "tasks/TaskManagerViewController.h"

#include <QLabel>

class WaylandPanelTest : public QObject {
    Q_OBJECT
    AppDelegate m_delegate{std::make_unique<RecordingPowerService>()};
    StatusAttachedWindow* panel() const { return m_delegate.mainAttachedWindow(); }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"wayland")
            QSKIP("needs the Wayland compositor of tests/env/desktop-test-env.sh (weston)");
    }

    void panelOpensHidesShowsAndComesToFrontOnScreen()
    {
        for (int round = 0; round < 2; ++round) { // a tray click's toggle opens, closes, opens
            m_delegate.showOrCloseMainWindow();
            QVERIFY(QTest::qWaitForWindowExposed(panel()));
            QTRY_VERIFY(panel()->isActiveWindow());
            QVERIFY(panel()->screen()->availableGeometry().contains(panel()->frameGeometry()));
            const QPointer<StatusAttachedWindow> shown = panel();
            if (round == 0)
                m_delegate.showOrCloseMainWindow();
            QTRY_VERIFY(!shown == (round == 0));
        }
        QWidget cover; // takes the focus from the panel, which then comes back in front
        cover.resize(900, 700);
        cover.show();
        QTRY_VERIFY(cover.isActiveWindow() && !panel()->isActiveWindow());
        panel()->bringToFront();
        QTRY_VERIFY(panel()->isActiveWindow() && panel()->isVisible());
    }

    void whatNeedsX11SaysSo_data()
    {
        QTest::addColumn<bool>("taskManager");
        QTest::newRow("hide others: off, with the reason") << false;
        QTest::newRow("task manager: a note on the list") << true;
    }

    void whatNeedsX11SaysSo()
    {
        QFETCH(bool, taskManager);
        MainViewController* view = m_delegate.mainWC();
        QWidget* control = view->hideOthersButton();
        QString text = control->accessibleDescription();
        if (taskManager) {
            control = view->findChild<TaskManagerViewController*>()->sessionNoteLabel();
            text = static_cast<QLabel*>(control)->text();
        }
        QVERIFY(control->isVisibleTo(view) && control->isEnabled() == taskManager);
        QVERIFY2(text.startsWith(u"Needs an X11 session"), qPrintable(text));
    }
};

int main(int argc, char** argv)
{
    const QByteArray socket = qgetenv("CORVELLA_TEST_WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", socket.isEmpty() ? "offscreen" : "wayland");
    qputenv("WAYLAND_DISPLAY", socket);
    const PrivateHome home;
    MyNSApplication app(argc, argv);
    WaylandPanelTest test;
    return home.isValid() ? QTest::qExec(&test, argc, argv) : 1;
}

#include "WaylandPanelTest.moc"

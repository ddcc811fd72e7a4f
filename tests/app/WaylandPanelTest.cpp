// The panel as a client of the test environment's Wayland compositor (weston).
#include "ShellTests.h"
#include "app/AppDelegate.h"
#include "kit/ImageButton.h"
#include "support/WidgetTestMain.h"
#include "tasks/TaskManagerViewController.h"

#include <QLabel>

static const bool platformChosen = [] { // before the application loads its platform plugin
    const QByteArray socket = qgetenv("CORVELLA_TEST_WAYLAND_DISPLAY");
    return qputenv("WAYLAND_DISPLAY", socket) &&
           qputenv("QT_QPA_PLATFORM", socket.isEmpty() ? "offscreen" : "wayland");
}();

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

    void panelOpensHidesShowsAndComesToFront()
    {
        for (int toggle = 0; toggle < 3; ++toggle) { // a tray click's toggle: open, close, open
            const QPointer<StatusAttachedWindow> before = panel();
            m_delegate.showOrCloseMainWindow();
            QTRY_VERIFY(toggle == 1 ? !before : panel() && panel()->isActiveWindow());
        }
        QVERIFY(panel()->screen()->availableGeometry().contains(panel()->frameGeometry()));
        QWidget cover; // takes the focus; the panel then comes back in front
        cover.show();
        QTRY_VERIFY(cover.isActiveWindow() && !panel()->isActiveWindow());
        panel()->bringToFront();
        QTRY_VERIFY(panel()->isActiveWindow());
    }

    // Hide others is shown off, saying why; the Task Manager has a note.
    void whatNeedsX11SaysSo()
    {
        m_delegate.showMainWindow(); // when it is not open yet
        MainViewController* view = m_delegate.mainWC();
        QWidget* hideOthers = view->hideOthersButton();
        QLabel* note = view->findChild<TaskManagerViewController*>()->sessionNoteLabel();
        QVERIFY(hideOthers->isVisibleTo(view) && !hideOthers->isEnabled());
        QVERIFY(note->isVisibleTo(view) && note->isEnabled());
        for (const QString& text : {hideOthers->accessibleDescription(), note->text()})
            QVERIFY2(text.startsWith(u"Needs an X11 session"), qPrintable(text));
    }
};

CORVELLA_WIDGET_TEST_MAIN(WaylandPanelTest)
#include "WaylandPanelTest.moc"

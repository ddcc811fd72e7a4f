#include "platform/x11/X11WindowSystem.h"

#include "XClient.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/x11/WindowSystem.h"
#include "support/ChildProcess.h"
#include "support/WidgetTestMain.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint32_t NormalState = 1;
constexpr std::uint32_t IconicState = 3;

std::unique_ptr<StatusAttachedWindow> shownPopup()
{
    auto* view = new QWidget;
    view->resize(200, 100);
    std::unique_ptr<StatusAttachedWindow> window(StatusAttachedWindow::create(view, {500, 300}));
    window->show();
    return QTest::qWaitForWindowExposed(window.get()) ? std::move(window) : nullptr;
}

// An xmessage window, a client of another process; without xmessage it never starts and only
// the test's windows take part.
struct ForeignClient : ChildProcess {
    ForeignClient()
        : ChildProcess(QStandardPaths::findExecutable(u"xmessage"_s),
                       {u"-name"_s, u"corvellaforeign"_s, u"another application"_s})
    {}
    bool started() const { return process.state() == QProcess::Running; }
};

} // namespace

class X11WindowSystemTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Needs the X11 platform (DISPLAY)");
        QVERIFY(dynamic_cast<X11WindowSystem*>(&WindowSystem::instance()));
    }

    // Under the test environment's openbox: the other application's window is iconified, ours
    // stays.
    void minimisesOthersUnderRealWindowManager()
    {
        XClient x;
        if (x.redirectRootWindow())
            QSKIP("No window manager runs on this display");
        const auto own = shownPopup();
        ForeignClient foreign;
        if (!own || !foreign.started())
            QSKIP("Needs xmessage");
        xcb_window_t client = XCB_WINDOW_NONE;
        QTRY_VERIFY((client = x.find("corvellaforeign")) != XCB_WINDOW_NONE);
        QTRY_COMPARE(x.mapState(client), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
        WindowSystem& system = WindowSystem::instance();
        QVERIFY(system.canHideOtherApplications());
        QCOMPARE(system.hideOtherApplications(own->winId()), QString());
        QTRY_COMPARE(x.property(client, "WM_STATE").value(0), IconicState);
        QCOMPARE(x.mapState(xcb_window_t(own->winId())), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
    }

    // Without a window manager nothing is asked and the other application's window stays. Then
    // the test stands in for an EWMH manager: it holds the root window's redirection and receives
    // what a manager would receive.
    void asksWindowManagerToMinimiseOthers()
    {
        if (!XClient().redirectRootWindow())
            QSKIP("A window manager runs on this display");
        const auto own = shownPopup();
        QVERIFY(own);
        const auto ownId = xcb_window_t(own->winId());
        XClient manager;
        ForeignClient foreign;
        xcb_window_t foreignWindow = XCB_WINDOW_NONE;
        if (foreign.started()) {
            QTRY_VERIFY((foreignWindow = manager.find("corvellaforeign")) != XCB_WINDOW_NONE);
            QTRY_COMPARE(manager.mapState(foreignWindow), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
        }
        WindowSystem& system = WindowSystem::instance();
        QVERIFY(!system.canHideOtherApplications() && !system.unavailableReason().isEmpty());
        QCOMPARE(system.hideOtherApplications(own->winId()), system.unavailableReason());
        if (foreignWindow != XCB_WINDOW_NONE) // nothing was unmapped
            QCOMPARE(manager.mapState(foreignWindow), std::uint8_t(XCB_MAP_STATE_VIEWABLE));

        QVERIFY(manager.redirectRootWindow());
        QList<xcb_window_t> expected{manager.createWindow()}; // a plain client
        if (foreignWindow != XCB_WINDOW_NONE)
            expected << foreignWindow;
        const xcb_window_t dock = manager.createWindow();
        manager.setProperty32(dock, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM,
                              {manager.atom("_NET_WM_WINDOW_TYPE_DOCK")});
        const xcb_window_t iconic = manager.createWindow();
        const xcb_window_t samePid = manager.createWindow();
        manager.setProperty32(samePid, "_NET_WM_PID", XCB_ATOM_CARDINAL,
                              {std::uint32_t(QCoreApplication::applicationPid())});

        const QList<xcb_window_t> clients = expected + QList{dock, iconic, samePid, ownId};
        const xcb_atom_t wmState = manager.atom("WM_STATE");
        for (const xcb_window_t client : clients)
            manager.setProperty32(client, "WM_STATE", wmState, {NormalState, 0});
        manager.setProperty32(iconic, "WM_STATE", wmState, {IconicState, 0});
        const xcb_window_t check = manager.createWindow();
        for (const xcb_window_t window : {manager.root(), check})
            manager.setProperty32(window, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});
        manager.setProperty32(manager.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, clients);

        QVERIFY(system.canHideOtherApplications());
        QCOMPARE(system.unavailableReason(), QString());
        QCOMPARE(system.hideOtherApplications(own->winId()), QString());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(manager.iconifyRequests(), expected);
        QCOMPARE(manager.mapState(ownId), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
    }
};

// Without a display: the offscreen platform, where every case skips.
CORVELLA_WIDGET_TEST_MAIN(X11WindowSystemTest)

#include "X11WindowSystemTest.moc"

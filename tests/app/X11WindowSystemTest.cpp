#include "platform/X11WindowSystem.h"

#include "XClient.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/WindowSystem.h"
#include "support/PrivateHome.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <xcb/xcb.h>

namespace {

constexpr std::uint32_t NormalState = 1;
constexpr std::uint32_t IconicState = 3;

bool windowManagerRuns()
{
    XClient probe;
    return !probe.redirectRootWindow();
}

// An xmessage window: a real client of another process. Killed when this goes away.
class ForeignClient {
public:
    static constexpr const char* ClassInstance = "corvellaforeign";

    bool start()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("xmessage"));
        if (program.isEmpty())
            return false;
        m_process.start(program, {QStringLiteral("-name"), QLatin1String(ClassInstance),
                                  QStringLiteral("-geometry"), QStringLiteral("+40+40"),
                                  QStringLiteral("a window of another application")});
        return m_process.waitForStarted(10000);
    }
    ~ForeignClient()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
};

} // namespace

class X11WindowSystemTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Needs the X11 platform (DISPLAY)");
    }

    void asksCompositorToBlurBehindPopup()
    {
        QVERIFY(dynamic_cast<X11WindowSystem*>(&WindowSystem::instance()));
        XClient x;
        QVERIFY(x.isConnected());
        auto* view = new QWidget;
        view->resize(200, 100);
        std::unique_ptr<StatusAttachedWindow> window(
            StatusAttachedWindow::create(view, QPointF(300, 200)));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        const auto id = static_cast<xcb_window_t>(window->winId());
        const auto region = x.property(id, "_KDE_NET_WM_BLUR_BEHIND_REGION");
        QVERIFY(region.has_value());
        QCOMPARE(region->type, xcb_atom_t(XCB_ATOM_CARDINAL));
        QCOMPARE(region->format, 32);
        QVERIFY(region->items.isEmpty()); // no rectangles: the whole window

        window->setWindowBackgroundBlurRadius(0);
        QVERIFY(!x.property(id, "_KDE_NET_WM_BLUR_BEHIND_REGION").has_value());

        QWindow plain;
        QVERIFY(WindowSystem::instance().setBlurBehind(&plain, true));
        QVERIFY(
            x.property(static_cast<xcb_window_t>(plain.winId()), "_KDE_NET_WM_BLUR_BEHIND_REGION")
                .has_value());
        QVERIFY(!WindowSystem::instance().setBlurBehind(nullptr, true));
    }

    void explainsMissingWindowManager()
    {
        if (windowManagerRuns())
            QSKIP("A window manager runs on this display");
        WindowSystem& system = WindowSystem::instance();
        QVERIFY(!system.canHideOtherApplications());
        QVERIFY(!system.unavailableReason().isEmpty());

        ForeignClient foreign;
        XClient x;
        xcb_window_t foreignWindow = XCB_WINDOW_NONE;
        if (foreign.start())
            QTRY_VERIFY((foreignWindow = x.findTopLevel(ForeignClient::ClassInstance)) != 0);
        if (foreignWindow != XCB_WINDOW_NONE)
            QTRY_COMPARE(x.mapState(foreignWindow), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
        QCOMPARE(system.hideOtherApplications(0), system.unavailableReason());
        if (foreignWindow != XCB_WINDOW_NONE)
            QCOMPARE(x.mapState(foreignWindow), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
    }

    void asksWindowManagerToMinimiseOthers_data()
    {
        QTest::addColumn<bool>("ewmh");
        QTest::newRow("EWMH manager with a client list") << true;
        QTest::newRow("ICCCM manager with frames") << false;
    }

    // The test stands in for the window manager: it holds the root window's redirection and
    // receives what a manager would receive.
    void asksWindowManagerToMinimiseOthers()
    {
        QFETCH(bool, ewmh);
        auto* view = new QWidget;
        view->resize(120, 80);
        const std::unique_ptr<StatusAttachedWindow> own(
            StatusAttachedWindow::create(view, QPointF(500, 300)));
        own->show();
        QVERIFY(QTest::qWaitForWindowExposed(own.get()));
        const auto ownId = static_cast<xcb_window_t>(own->winId());

        XClient manager;
        QVERIFY(manager.isConnected());
        if (!manager.redirectRootWindow())
            QSKIP("A window manager runs on this display");
        ForeignClient foreign;
        xcb_window_t foreignWindow = XCB_WINDOW_NONE;
        if (foreign.start())
            QTRY_VERIFY((foreignWindow = manager.findTopLevel(ForeignClient::ClassInstance)) != 0);
        else
            qInfo("xmessage is not installed: only windows made by the test are foreign");

        const xcb_window_t plain = manager.createWindow();
        const xcb_window_t dock = manager.createWindow();
        manager.setProperty32(dock, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM,
                              {manager.atom("_NET_WM_WINDOW_TYPE_DOCK")});
        const xcb_window_t iconic = manager.createWindow();
        const xcb_window_t samePid = manager.createWindow();
        manager.setProperty32(samePid, "_NET_WM_PID", XCB_ATOM_CARDINAL,
                              {std::uint32_t(QCoreApplication::applicationPid())});
        const xcb_window_t frame = manager.createWindow();
        const xcb_window_t framed = manager.createWindow(frame);

        QList<xcb_window_t> clients{plain, dock, iconic, samePid, ownId};
        QList<xcb_window_t> expected{plain};
        if (foreignWindow != XCB_WINDOW_NONE) {
            clients << foreignWindow;
            expected << foreignWindow;
        }
        const xcb_atom_t wmState = manager.atom("WM_STATE");
        for (const xcb_window_t client : std::as_const(clients))
            manager.setProperty32(client, "WM_STATE", wmState, {NormalState, 0});
        manager.setProperty32(iconic, "WM_STATE", wmState, {IconicState, 0});

        const xcb_window_t check = manager.createWindow();
        if (ewmh) {
            manager.setProperty32(manager.root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW,
                                  {check});
            manager.setProperty32(check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});
            manager.setProperty32(manager.root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW,
                                  QList<std::uint32_t>(clients.begin(), clients.end()));
        } else {
            const QByteArray selection = "WM_S" + QByteArray::number(manager.screenNumber());
            QVERIFY(manager.ownSelection(check, selection.constData()));
            manager.setProperty32(framed, "WM_STATE", wmState, {NormalState, 0});
            expected << framed; // the client inside the frame, not the frame
        }

        WindowSystem& system = WindowSystem::instance();
        QVERIFY(system.canHideOtherApplications());
        QCOMPARE(system.unavailableReason(), QString());
        QCOMPARE(system.hideOtherApplications(own->winId()), QString());

        const QList<xcb_client_message_event_t> messages = manager.clientMessages();
        manager.releaseRootWindow();
        manager.deleteProperty(ownId, "WM_STATE");
        if (foreignWindow != XCB_WINDOW_NONE)
            manager.deleteProperty(foreignWindow, "WM_STATE");

        QList<xcb_window_t> asked;
        for (const xcb_client_message_event_t& message : messages) {
            QCOMPARE(message.type, manager.atom("WM_CHANGE_STATE"));
            QCOMPARE(int(message.format), 32);
            QCOMPARE(message.data.data32[0], IconicState);
            asked << message.window;
        }
        std::sort(asked.begin(), asked.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(asked, expected);
        QCOMPARE(manager.mapState(ownId), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
    }
};

int main(int argc, char** argv)
{
    const PrivateHome home; // without a display: the offscreen platform, where every case skips
    QApplication application(argc, argv);
    X11WindowSystemTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "X11WindowSystemTest.moc"

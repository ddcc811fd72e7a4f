#include "platform/X11WindowSystem.h"

#include "WindowTests.h"
#include "XClient.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
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

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

class X11WindowSystemTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void otherPlatformsDecline()
    {
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("CORVELLA_WINDOWSYSTEM_PROBE"), QStringLiteral("1"));
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY2(probe.waitForFinished(60000), qPrintable(probe.errorString()));
        QCOMPARE(probe.exitCode(), 0);
        const QString reason =
            QStringLiteral("This desktop does not let applications hide other windows.");
        const QStringList expected{
            QStringLiteral("platform=offscreen"), QStringLiteral("isX11=0"),
            QStringLiteral("canHide=0"),          QStringLiteral("reason=") + reason,
            QStringLiteral("hide=") + reason,     QStringLiteral("blur=0")};
        QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                 expected);
    }

    void picksX11OnXcb()
    {
        if (!onX11())
            QSKIP("Needs the X11 platform (DISPLAY)");
        QVERIFY(WindowSystem::instance().isX11());
        QVERIFY(dynamic_cast<X11WindowSystem*>(&WindowSystem::instance()));
    }

    void asksCompositorToBlurBehindPopup()
    {
        if (!onX11())
            QSKIP("Needs the X11 platform (DISPLAY)");
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
        if (!onX11())
            QSKIP("Needs the X11 platform (DISPLAY)");
        if (windowManagerRuns())
            QSKIP("A window manager runs on this display");
        WindowSystem& system = WindowSystem::instance();
        const QString reason = QStringLiteral(
            "No window manager is running, so the other windows cannot be minimised.");
        QVERIFY(!system.canHideOtherApplications());
        QCOMPARE(system.unavailableReason(), reason);

        ForeignClient foreign;
        XClient x;
        xcb_window_t foreignWindow = XCB_WINDOW_NONE;
        if (foreign.start())
            QTRY_VERIFY((foreignWindow = x.findTopLevel(ForeignClient::ClassInstance)) != 0);
        if (foreignWindow != XCB_WINDOW_NONE)
            QTRY_COMPARE(x.mapState(foreignWindow), std::uint8_t(XCB_MAP_STATE_VIEWABLE));
        QCOMPARE(system.hideOtherApplications(0), reason);
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
        if (!onX11())
            QSKIP("Needs the X11 platform (DISPLAY)");
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

    // Runs only where the environment starts a real window manager (openbox, xfwm4, ...).
    void minimisesForeignWindowUnderRealWindowManager()
    {
        if (!onX11())
            QSKIP("Needs the X11 platform (DISPLAY)");
        if (!windowManagerRuns())
            QSKIP("No window manager runs on this display; the stand-in case covers the requests");
        auto* view = new QWidget;
        view->resize(120, 80);
        std::unique_ptr<StatusAttachedWindow> own(
            StatusAttachedWindow::create(view, QPointF(500, 300)));
        own->show();
        QVERIFY(QTest::qWaitForWindowExposed(own.get()));

        XClient x;
        ForeignClient foreign;
        if (!foreign.start())
            QSKIP("xmessage is not installed");
        xcb_window_t client = XCB_WINDOW_NONE;
        // A reparenting manager wraps the client: find it through the client list.
        const auto findClient = [&x, &client] {
            const auto list = x.property(x.root(), "_NET_CLIENT_LIST");
            for (const std::uint32_t window : list ? list->items : QList<std::uint32_t>()) {
                if (x.windowClassInstance(window) == ForeignClient::ClassInstance)
                    client = window;
            }
            return client != XCB_WINDOW_NONE;
        };
        QTRY_VERIFY_WITH_TIMEOUT(findClient(), 10000);
        QTRY_VERIFY(x.property(client, "WM_STATE").has_value());

        QCOMPARE(WindowSystem::instance().hideOtherApplications(own->winId()), QString());
        const auto clientState = [&x, client] {
            return x.property(client, "WM_STATE").value_or(XClient::Property{}).items.value(0);
        };
        QTRY_COMPARE_WITH_TIMEOUT(clientState(), IconicState, 10000);
        QCOMPARE(x.mapState(static_cast<xcb_window_t>(own->winId())),
                 std::uint8_t(XCB_MAP_STATE_VIEWABLE));
    }
};

int runX11WindowSystemTest(int argc, char** argv)
{
    X11WindowSystemTest test;
    return QTest::qExec(&test, argc, argv);
}

int runWindowSystemProbe()
{
    const std::unique_ptr<WindowSystem> system = WindowSystem::create();
    QWindow window;
    const bool blur = system->setBlurBehind(&window, true);
    std::printf("platform=%s\nisX11=%d\ncanHide=%d\nreason=%s\nhide=%s\nblur=%d\n",
                qPrintable(QGuiApplication::platformName()), int(system->isX11()),
                int(system->canHideOtherApplications()), qPrintable(system->unavailableReason()),
                qPrintable(system->hideOtherApplications(0)), int(blur));
    return 0;
}

#include "X11WindowSystemTest.moc"

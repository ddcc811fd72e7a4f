#include "kit/StatusAttachedWindow.h"

#include "KitTests.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace {

using WindowPtr = std::unique_ptr<StatusAttachedWindow>;

// An attached window around an empty view of `viewSize`, 5 units from its point.
WindowPtr makeWindow(QSize viewSize, QPointF point = {600, 300}, QWidget* parent = nullptr,
                     unsigned side = StatusAttachedWindow::SideBelow)
{
    auto* view = new QWidget;
    view->resize(viewSize);
    return WindowPtr(StatusAttachedWindow::create(view, point, parent, side, 5.0f));
}

// Ends every event loop after 10 s: a modal run that never ends fails instead of hanging.
struct ModalWatchdog {
    ModalWatchdog() { timer.start(10000); }
    QTimer timer;
    bool fired = false;
    const QMetaObject::Connection exit = timer.callOnTimeout(&timer, [this] {
        fired = true;
        QCoreApplication::exit(1);
    });
};

} // namespace

class StatusAttachedWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizesAndPlacesWindowAroundItsView_data()
    {
        QTest::addColumn<QSize>("viewSize");
        QTest::addColumn<unsigned>("side");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<bool>("inParent"); // the point in a parent window's coordinates
        QTest::addColumn<QRect>("geometry");
        // A margin of 2 on every side, the arrow strip of 10 on top, 5 units from the point.
        const QSize view(200, 100);
        const QPointF at(600, 300);
        QTest::newRow("below") << view << 1u << at << false << QRect(498, 305, 204, 114);
        QTest::newRow("above") << view << 3u << at << false << QRect(498, 181, 204, 114);
        QTest::newRow("left") << view << 0u << at << false << QRect(391, 243, 204, 114);
        QTest::newRow("right") << view << 2u << at << false << QRect(605, 243, 204, 114);
        QTest::newRow("unknown side") << view << 7u << at << false << QRect(498, 305, 204, 114);
        QTest::newRow("automatic") << view << 12u << at << false << QRect(498, 305, 204, 114);
        QTest::newRow("in parent")
            << view << 1u << QPointF(10, 20) << true << QRect(-92, 25, 204, 114);
    }

    void sizesAndPlacesWindowAroundItsView()
    {
        QFETCH(QSize, viewSize);
        QFETCH(unsigned, side);
        QFETCH(QPointF, point);
        QFETCH(bool, inParent);
        QFETCH(QRect, geometry);
        QWidget parent;
        parent.move(100, 50);
        const WindowPtr window = makeWindow(viewSize, point, inParent ? &parent : nullptr, side);
        QCOMPARE(window->geometry(),
                 geometry.translated(inParent ? parent.mapToGlobal(QPoint()) : QPoint()));
        QCOMPARE(window->view()->parentWidget(), window.get());
        QCOMPARE(window->view()->geometry(), QRect(QPoint(2, 12), viewSize));
        QCOMPARE(window->viewFrame(), QRectF(window->view()->geometry()));
    }

    void placesAutomaticallyAboveNearScreenBottomAndCentres()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPointF point(area.center().x(), area.bottom() - 20);
        const WindowPtr window = makeWindow({200, 100}, point, nullptr, 12u);
        QCOMPARE(window->side(), unsigned(StatusAttachedWindow::SideAbove));
        QCOMPARE(window->pos().y(), qRound(point.y() - 5 - 114));
        window->center();
        QVERIFY((window->geometry().center() - area.center()).manhattanLength() <= 2);
    }

    void modalRunEndsWhenTheWindowGoes_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("closed") << 0;
        QTest::newRow("hidden") << 1;
        QTest::newRow("deleted") << 2;
    }

    void modalRunEndsWhenTheWindowGoes()
    {
        QFETCH(int, way);
        const ModalWatchdog watchdog;
        QPointer<StatusAttachedWindow> window = makeWindow({200, 100}).release();
        QSignalSpy closing(window.data(), &StatusAttachedWindow::aboutToClose);
        bool wasModal = false;
        QObject context;
        QTimer::singleShot(0, &context, [&] {
            // A second run of the same window is refused at once.
            wasModal = window->isVisible() && window->isRunningModal() &&
                       QApplication::activeModalWidget() == window && window->runModal() == -1;
            if (way == 0)
                window->close();
            else if (way == 1)
                window->hide();
            else
                delete window.data();
        });
        QCOMPARE(window->runModal(), 0);
        QVERIFY(!watchdog.fired && wasModal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(window.isNull(), way == 2);
        if (window.isNull())
            return;
        const WindowPtr owner(window.data());
        QVERIFY(!window->isVisible() && !window->isRunningModal());
        QCOMPARE(closing.count(), way == 0 ? 1 : 0);
        QVERIFY(window->close()); // closing again changes nothing
        QTimer::singleShot(0, &context, [&] { window->close(); });
        QCOMPARE(window->runModal(), 0); // and the window can run modally again
        QVERIFY(!watchdog.fired);
    }

    void modalRunEndsWhenAnotherClientDestroysTheWindowNotOnUnmap_data()
    {
        QTest::addColumn<bool>("destroy"); // else unmapped, as an iconified window is
        QTest::newRow("destroyed") << true;
        QTest::newRow("unmapped") << false;
    }

    void modalRunEndsWhenAnotherClientDestroysTheWindowNotOnUnmap()
    {
        QFETCH(bool, destroy);
        const ModalWatchdog watchdog;
        const WindowPtr window = makeWindow({200, 100});
        bool keptRun = false;
        QTimer::singleShot(0, window.get(), [&] {
            const QPointer<QWindow> native = window->windowHandle();
            QTRY_VERIFY(native->isExposed());
            xcb_connection_t* other = xcb_connect(nullptr, nullptr);
            const auto id = static_cast<xcb_window_t>(window->winId());
            destroy ? xcb_destroy_window(other, id) : xcb_unmap_window(other, id);
            // A round trip: the server has done it before this client goes.
            std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
            xcb_disconnect(other);
            if (destroy)
                return; // the run must end by itself
            QTRY_VERIFY(!native || !native->isExposed());
            QCoreApplication::sendPostedEvents(window.get(), QEvent::MetaCall);
            keptRun = window->isRunningModal();
            window->close();
        });
        QCOMPARE(window->runModal(), 0);
        QVERIFY(!watchdog.fired);
        QCOMPARE(keptRun, !destroy);
    }

    void nestedModalRunsReturnInOrder_data()
    {
        QTest::addColumn<bool>("closeOuterFirst");
        QTest::newRow("inner closed first") << false;
        QTest::newRow("outer closed while inner runs") << true;
    }

    void nestedModalRunsReturnInOrder()
    {
        QFETCH(bool, closeOuterFirst);
        const ModalWatchdog watchdog;
        const WindowPtr outer = makeWindow({300, 200});
        const WindowPtr inner = makeWindow({200, 100});
        QStringList order;
        QTimer::singleShot(0, outer.get(), [&] {
            QTimer::singleShot(0, inner.get(), [&] {
                if (closeOuterFirst)
                    outer->close();
                inner->close();
            });
            inner->runModal();
            order << u"inner returned"_s;
            if (!closeOuterFirst)
                outer->close();
        });
        QCOMPARE(outer->runModal(), 0);
        order << u"outer returned"_s;
        QVERIFY(!watchdog.fired);
        QCOMPARE(order, (QStringList{u"inner returned"_s, u"outer returned"_s}));
        QVERIFY(!outer->isVisible() && !inner->isVisible());
    }
};

static const bool registered = registerTest<StatusAttachedWindowTest>();

#include "StatusAttachedWindowTest.moc"

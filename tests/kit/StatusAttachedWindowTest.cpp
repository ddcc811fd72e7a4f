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
#include <string_view>
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

// Has another X client destroy or unmap the window's native window. After an unmap, answers
// in `keptRun` whether the run survived it, then closes the window.
void xcbUnmapOrDestroy(StatusAttachedWindow* window, bool destroy, bool* keptRun)
{
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
    QCoreApplication::sendPostedEvents(window, QEvent::MetaCall);
    *keptRun = window->isRunningModal();
    window->close();
}

} // namespace

class StatusAttachedWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A margin of 2 on every side, the arrow strip of 10 on top, 5 units from the point; "in
    // parent": the point in a parent window's coordinates.
    void sizesAndPlacesWindowAroundItsView()
    {
        const struct {
            const char* name;
            unsigned side;
            QRect geometry;
        } rows[] = {
            {"below", 1u, {498, 305, 204, 114}},        {"above", 3u, {498, 181, 204, 114}},
            {"left", 0u, {391, 243, 204, 114}},         {"right", 2u, {605, 243, 204, 114}},
            {"unknown side", 7u, {498, 305, 204, 114}}, {"automatic", 12u, {498, 305, 204, 114}},
            {"in parent", 1u, {-92, 25, 204, 114}}};
        for (const auto& row : rows) {
            QWidget parent;
            parent.move(100, 50);
            const bool inParent = row.name == std::string_view("in parent");
            const WindowPtr window =
                makeWindow({200, 100}, inParent ? QPointF(10, 20) : QPointF(600, 300),
                           inParent ? &parent : nullptr, row.side);
            QCOMPARE(std::pair(row.name, window->geometry()),
                     std::pair(row.name, row.geometry.translated(
                                             inParent ? parent.mapToGlobal(QPoint()) : QPoint())));
            QCOMPARE(window->view()->parentWidget(), window.get());
            QCOMPARE(window->view()->geometry(), QRect(2, 12, 200, 100));
            QCOMPARE(window->viewFrame(), QRectF(window->view()->geometry()));
        }
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

    // However the window goes, its run ends: closed, hidden, deleted, or its native window
    // destroyed by another X client; one unmapping it (as iconifying does) keeps the run.
    void modalRunEndsWhenTheWindowGoes()
    {
        for (const std::string_view way : {"close", "hide", "delete", "X destroy", "X unmap"}) {
            const ModalWatchdog watchdog;
            QPointer<StatusAttachedWindow> window = makeWindow({200, 100}).release();
            QSignalSpy closing(window.data(), &StatusAttachedWindow::aboutToClose);
            bool wasModal = false, keptRun = false;
            QObject context;
            QTimer::singleShot(0, &context, [&] {
                // A second run of the same window is refused at once.
                wasModal = window->isVisible() && window->isRunningModal() &&
                           QApplication::activeModalWidget() == window && window->runModal() == -1;
                if (way == "close")
                    window->close();
                else if (way == "hide")
                    window->hide();
                else if (way == "delete")
                    delete window.data();
                else
                    xcbUnmapOrDestroy(window, way == "X destroy", &keptRun);
            });
            QCOMPARE(window->runModal(), 0);
            QVERIFY2(!watchdog.fired && wasModal, way.data());
            QCOMPARE(keptRun, way == "X unmap");
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
            QCOMPARE(window.isNull(), way == "delete");
            if (window.isNull())
                continue;
            const WindowPtr owner(window.data());
            QVERIFY(!window->isVisible() && !window->isRunningModal());
            QCOMPARE(closing.count(), way == "hide" ? 0 : 1);
            QVERIFY(window->close()); // closing again changes nothing
            QTimer::singleShot(0, &context, [&] { window->close(); });
            QCOMPARE(window->runModal(), 0); // and the window can run modally again
            QVERIFY(!watchdog.fired);
        }
    }

    void nestedModalRunsReturnInOrder()
    {
        for (const bool closeOuterFirst : {false, true}) {
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
    }
};

static const bool registered = registerTest<StatusAttachedWindowTest>();

#include "StatusAttachedWindowTest.moc"

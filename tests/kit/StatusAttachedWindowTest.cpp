#include "kit/StatusAttachedWindow.h"

#include "KitTests.h"

#include <QApplication>
#include <QPointer>
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

// An attached window around an empty view of `viewSize`, hung below a point.
WindowPtr makeWindow(QSize viewSize)
{
    auto* view = new QWidget;
    view->resize(viewSize);
    return WindowPtr(StatusAttachedWindow::create(view, {600, 300}));
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

    // The outer window closes while the inner one runs: the inner run still returns first.
    void nestedModalRunsReturnInOrder()
    {
        const ModalWatchdog watchdog;
        const WindowPtr outer = makeWindow({300, 200});
        const WindowPtr inner = makeWindow({200, 100});
        QStringList order;
        QTimer::singleShot(0, outer.get(), [&] {
            QTimer::singleShot(0, inner.get(), [&] {
                outer->close();
                inner->close();
            });
            inner->runModal();
            order << u"inner returned"_s;
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

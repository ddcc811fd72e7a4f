#include "WindowTests.h"
#include "kit/StatusAttachedWindow.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Ends every event loop when a modal run does not end by itself, so that a fault fails the test
// instead of hanging it.
class ModalWatchdog {
public:
    ModalWatchdog()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            m_fired = true;
            QCoreApplication::exit(1);
        });
        m_timer.start(10000);
    }
    bool fired() const { return m_fired; }

private:
    QTimer m_timer;
    bool m_fired = false;
};

} // namespace

// Modal runs: each runs a nested event loop that ends when its window closes.
class StatusAttachedWindowModalTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runModalReturnsWhenClosed()
    {
        ModalWatchdog watchdog;
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100});
        bool wasModal = false;
        QTimer::singleShot(0, window.get(), [&window, &wasModal] {
            wasModal = window->isVisible() && window->isRunningModal() &&
                       QApplication::activeModalWidget() == window.get();
            window->close();
        });
        QCOMPARE(window->runModal(), 0);
        QVERIFY(!watchdog.fired());
        QVERIFY(wasModal);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isRunningModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void closingWithoutModalRunOnlyCloses()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100});
        QSignalSpy closing(window.get(), &StatusAttachedWindow::aboutToClose);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(closing.count(), 1);
        QVERIFY(window->close()); // a second close is harmless
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isRunningModal());

        // The window can still run modally after that.
        QTimer::singleShot(0, window.get(), [&window] { window->close(); });
        QCOMPARE(window->runModal(), 0);
    }

    void hidingModalWindowEndsItsRun()
    {
        ModalWatchdog watchdog;
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100});
        QTimer::singleShot(0, window.get(), [&window] { window->hide(); });
        QCOMPARE(window->runModal(), 0);
        QVERIFY(!watchdog.fired());
        QVERIFY(window->close()); // closing it afterwards changes nothing
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
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
        ModalWatchdog watchdog;
        const windowtest::WindowPtr outer = windowtest::makeWindow({300, 200});
        const windowtest::WindowPtr inner = windowtest::makeWindow({200, 100});
        QStringList order;
        QTimer::singleShot(0, outer.get(), [&] {
            QTimer::singleShot(0, inner.get(), [&] {
                if (closeOuterFirst) {
                    outer->close();
                    order << QStringLiteral("outer closed");
                }
                inner->close();
                order << QStringLiteral("inner closed");
            });
            inner->runModal();
            order << QStringLiteral("inner returned");
            if (!closeOuterFirst)
                outer->close();
        });
        QCOMPARE(outer->runModal(), 0);
        order << QStringLiteral("outer returned");
        QVERIFY(!watchdog.fired());
        QStringList expected{QStringLiteral("inner closed"), QStringLiteral("inner returned"),
                             QStringLiteral("outer returned")};
        if (closeOuterFirst)
            expected.prepend(QStringLiteral("outer closed"));
        QCOMPARE(order, expected);
        QVERIFY(!outer->isVisible());
        QVERIFY(!inner->isVisible());
    }

    void secondModalRunOfSameWindowIsRefused()
    {
        ModalWatchdog watchdog;
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100});
        int nested = 0;
        QTimer::singleShot(0, window.get(), [&] {
            nested = window->runModal();
            window->close();
        });
        QCOMPARE(window->runModal(), 0);
        QCOMPARE(nested, -1);
        QVERIFY(!watchdog.fired());
    }

    void deletingWindowEndsItsModalRun()
    {
        ModalWatchdog watchdog;
        QPointer<StatusAttachedWindow> window = windowtest::makeWindow({200, 100}).release();
        QObject context;
        QTimer::singleShot(0, &context, [&window] { delete window.data(); });
        QCOMPARE(window->runModal(), 0);
        QVERIFY(window.isNull());
        QVERIFY(!watchdog.fired());
    }
};

int runStatusAttachedWindowModalTest(int argc, char** argv)
{
    StatusAttachedWindowModalTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StatusAttachedWindowModalTest.moc"

#include "WindowTests.h"
#include "app/BaseWindow.h"
#include "app/MainBaseWindow.h"
#include "app/PopWindowController.h"
#include "common/NotificationCenter.h"
#include "common/PublicUtilities.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

class RecordingDelegate : public BaseWindowDelegate {
public:
    void openMainWindow() override { ++openings; }
    int openings = 0;
};

// Drags `window` with the left button from `pressAt` (window coordinates) to `toGlobal`.
void drag(QWidget* window, QPoint pressAt, QPoint toGlobal)
{
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, pressAt);
    const QPoint start = window->mapToGlobal(pressAt);
    // Two steps, each given in the window's coordinates at the time it is sent.
    const QPoint halfway = start + (toGlobal - start) / 2;
    QTest::mouseMove(window, window->mapFromGlobal(halfway));
    QTest::mouseMove(window, window->mapFromGlobal(toGlobal));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, window->mapFromGlobal(toGlobal));
}

QStringList postedNames(const QSignalSpy& spy)
{
    QStringList names;
    for (const QList<QVariant>& arguments : spy)
        names << arguments.at(0).toString();
    return names;
}

} // namespace

class LauncherWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dragMovesAndKeepsTopOnScreen_data()
    {
        QTest::addColumn<QPoint>("pointerMove");
        QTest::addColumn<bool>("clampedToTop");
        QTest::newRow("down and right") << QPoint(120, 80) << false;
        QTest::newRow("left and up, still on screen") << QPoint(-60, -100) << false;
        QTest::newRow("far above the screen") << QPoint(150, -900) << true;
    }

    void dragMovesAndKeepsTopOnScreen()
    {
        QFETCH(QPoint, pointerMove);
        QFETCH(bool, clampedToTop);
        RecordingDelegate delegate;
        BaseWindow window;
        window.setBaseWindowDelegate(&delegate);
        window.setGeometry(300, 300, 120, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.pos(), QPoint(300, 300));
        QSignalSpy posted(NotificationCenter::defaultCenter(), &NotificationCenter::posted);

        const QPoint pressAt(20, 30);
        drag(&window, pressAt, window.mapToGlobal(pressAt) + pointerMove);

        const int screenTop = window.screen()->availableGeometry().top();
        const QPoint expected(300 + pointerMove.x(),
                              clampedToTop ? screenTop : 300 + pointerMove.y());
        QCOMPARE(window.pos(), expected);
        QVERIFY(!window.isDragging());
        QCOMPARE(delegate.openings, 0);
        QCOMPARE(PublicUtilities::getPopWindowPoint(), QPointF(expected));
        QVERIFY(postedNames(posted).contains(QStringLiteral("removeTableView")));
    }

    void clickWithoutMoveOpensMainWindow()
    {
        RecordingDelegate delegate;
        BaseWindow window;
        window.setBaseWindowDelegate(&delegate);
        window.setGeometry(200, 200, 120, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PublicUtilities::writePopWindowPoint(QPointF(7, 9));

        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
        QCOMPARE(delegate.openings, 1);
        QCOMPARE(window.pos(), QPoint(200, 200));
        QCOMPARE(PublicUtilities::getPopWindowPoint(), QPointF(7, 9)); // nothing stored

        // Other buttons neither drag nor open.
        QTest::mouseClick(&window, Qt::RightButton, Qt::NoModifier, QPoint(40, 40));
        QCOMPARE(delegate.openings, 1);
    }

    void controllerAsksForMainPanelAndCloses()
    {
        PopWindowController controller;
        QCOMPARE(controller.baseWindow()->baseWindowDelegate(), &controller);
        controller.baseWindow()->setGeometry(250, 250, 100, 60);
        controller.showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(controller.baseWindow()));
        QSignalSpy posted(NotificationCenter::defaultCenter(), &NotificationCenter::posted);

        QTest::mouseClick(controller.baseWindow(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QVERIFY(postedNames(posted).contains(QStringLiteral("reOpenWindow")));
        QCOMPARE(postedNames(posted).count(QStringLiteral("reOpenWindow")), 1);
        QVERIFY(!controller.baseWindow()->isVisible());
    }
};

// Pure drawing: runs on every platform.
class MainBaseWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void paintsFaintPanelAtBottomLeft_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("panel size") << QSize(480, 600);
        QTest::newRow("taller window") << QSize(520, 700);
    }

    void paintsFaintPanelAtBottomLeft()
    {
        QFETCH(QSize, windowSize);
        MainBaseWindow window;
        QCOMPARE(window.size(), QSize(480, 600));
        window.resize(windowSize);
        QImage painted(windowSize, QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        window.render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);

        const int top = windowSize.height() - 600; // the panel's top edge
        const QColor inside = painted.pixelColor(240, top + 300);
        QCOMPARE(inside.rgb(), QColor(Qt::white).rgb());
        QVERIFY2(qAbs(inside.alpha() - 26) <= 1, qPrintable(QString::number(inside.alpha())));
        QCOMPARE(qAlpha(painted.pixel(0, top)), 0); // rounded corner
        QCOMPARE(qAlpha(painted.pixel(479, windowSize.height() - 1)), 0);
        QVERIFY(qAlpha(painted.pixel(8, top + 1)) > 0);
        if (top > 0)
            QCOMPARE(qAlpha(painted.pixel(240, top - 1)), 0);
        if (windowSize.width() > 480)
            QCOMPARE(qAlpha(painted.pixel(490, top + 300)), 0);
    }
};

int runLauncherWindowTest(int argc, char** argv)
{
    LauncherWindowTest launcher;
    MainBaseWindowTest panel;
    return QTest::qExec(&launcher, argc, argv) + QTest::qExec(&panel, argc, argv);
}

#include "LauncherWindowTest.moc"

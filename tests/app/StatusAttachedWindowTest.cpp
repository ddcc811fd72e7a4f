#include "kit/StatusAttachedWindow.h"

#include "WindowTests.h"
#include "common/PublicUtilities.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

bool isTransparent(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 0;
}

// Records what a window tells its listener.
class Listener : public StatusAttachedWindowDelegate {
public:
    void mouseInWindow(bool inside) override { reports.append(inside); }
    void isHiddenWindow() override { ++hiddenReports; }
    QList<bool> reports;
    int hiddenReports = 0;
};

} // namespace

class StatusAttachedWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createWithoutViewGivesNothing()
    {
        QCOMPARE(StatusAttachedWindow::create(nullptr, QPointF(10, 10)), nullptr);
        QCOMPARE(StatusAttachedWindow::create(nullptr, QPointF(10, 10), nullptr, 1, 5.0f), nullptr);
        QCOMPARE(StatusAttachedWindow::create(nullptr, QPointF(10, 10), 1u), nullptr);
    }

    void startsWithTheDefaults()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({100, 100});
        QCOMPARE(window->borderWidth(), 0.5f);
        QCOMPARE(window->viewMargin(), 2.0f);
        QCOMPARE(window->arrowBaseWidth(), 15.0f);
        QCOMPARE(window->arrowHeight(), 10.0f);
        QCOMPARE(window->hasArrow(), false);
        QCOMPARE(window->cornerRadius(), 8.0f);
        QCOMPARE(window->drawsRoundCornerBesideArrow(), true);
        QCOMPARE(window->mattachedWDelegate(), nullptr);
        QVERIFY(qAbs(window->windowOpacity() - 0.99) <= 1.0 / 255); // stored in 8 bits
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window->isWindow());
        QVERIFY(window->testAttribute(Qt::WA_TranslucentBackground));
        const int version = PublicUtilities::getSystemVersion();
        QCOMPARE(window->windowBackgroundColor(),
                 StatusAttachedWindow::defaultBackgroundColor(version));
        QCOMPARE(window->borderColor(), StatusAttachedWindow::defaultBorderColor(version));
    }

    void defaultColoursFollowSystemVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<QColor>("outline");
        const QColor blackOutline = QColor::fromRgbF(0, 0, 0, 0.3f);
        QTest::newRow("10.8") << 1008 << QColor::fromRgbF(1, 1, 1, 0.98f) << blackOutline;
        QTest::newRow("10.9") << 1009 << QColor::fromRgbF(1, 1, 1, 0.9f) << blackOutline;
        QTest::newRow("10.15") << 1015 << QColor::fromRgbF(1, 1, 1, 0.9f) << blackOutline;
        QTest::newRow("10.16") << 1016 << QColor::fromRgbF(1, 1, 1, 0.9f)
                               << QColor::fromRgbF(1, 1, 1, 0.9f);
        QTest::newRow("11.0") << 1100 << QColor::fromRgbF(1, 1, 1, 0.9f)
                              << QColor::fromRgbF(1, 1, 1, 0.9f);
    }

    void defaultColoursFollowSystemVersion()
    {
        QFETCH(int, version);
        QFETCH(QColor, fill);
        QFETCH(QColor, outline);
        QCOMPARE(StatusAttachedWindow::defaultBackgroundColor(version), fill);
        QCOMPARE(StatusAttachedWindow::defaultBorderColor(version), outline);
    }

    void sizesWindowAroundView_data()
    {
        QTest::addColumn<QSize>("viewSize");
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("main panel") << QSize(480, 600) << QSize(484, 614);
        QTest::newRow("dialog") << QSize(320, 180) << QSize(324, 194);
        QTest::newRow("tiny") << QSize(1, 1) << QSize(5, 15);
    }

    void sizesWindowAroundView()
    {
        QFETCH(QSize, viewSize);
        QFETCH(QSize, windowSize);
        const windowtest::WindowPtr window = windowtest::makeWindow(viewSize);
        QCOMPARE(window->size(), windowSize);
        QCOMPARE(window->view()->parentWidget(), window.get());
        QCOMPARE(window->view()->geometry(), QRect(QPoint(2, 12), viewSize));
        QCOMPARE(window->viewFrame(), QRectF(QPointF(2, 12), QSizeF(viewSize)));
    }

    void paintsRoundedBackgroundBelowTransparentStrip()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({480, 600});
        const QImage background = window->backgroundImage();
        QCOMPARE(background.size(), QSize(484, 614));

        // The outline runs from (1, 11) to (483, 613): everything above it is transparent.
        for (int y = 0; y <= 10; ++y) {
            for (int x = 0; x < background.width(); ++x)
                QVERIFY2(isTransparent(background, x, y),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
        QVERIFY(isTransparent(background, 0, 300));   // left of the outline
        QVERIFY(isTransparent(background, 483, 300)); // right of it
        QVERIFY(isTransparent(background, 240, 613)); // below it
        QVERIFY(isTransparent(background, 1, 11));    // rounded corners
        QVERIFY(isTransparent(background, 2, 12));
        QVERIFY(isTransparent(background, 482, 612));
        QVERIFY(!isTransparent(background, 4, 20)); // just inside the top-left arc
        QVERIFY(!isTransparent(background, 1, 300));
        QVERIFY(!isTransparent(background, 240, 11));
        QVERIFY(!isTransparent(background, 240, 612));

        const QColor fill = background.pixelColor(240, 300);
        QCOMPARE(fill.rgb(), QColor(Qt::white).rgb());
        QVERIFY2(qAbs(fill.alpha() - 230) <= 1, qPrintable(QString::number(fill.alpha())));

        // What the window paints is the cached image, the (empty) view adding nothing.
        QImage painted(window->size(), QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        window->render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(painted, background.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void strokesOnlyTheInnerHalfOfTheOutline()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100});
        window->setBorderColor(Qt::red);
        window->setBorderWidth(1.0f);
        const QImage background = window->backgroundImage();
        // The outline of 1 unit sits on x = 1: its outer half is clipped away.
        QVERIFY(isTransparent(background, 0, 60));
        const QColor edge = background.pixelColor(1, 60);
        QVERIFY2(edge.red() == 255 && edge.green() < 20 && edge.alpha() == 255,
                 qPrintable(edge.name(QColor::HexArgb)));
        const QColor inside = background.pixelColor(2, 60);
        QCOMPARE(inside.rgb(), QColor(Qt::white).rgb());
    }

    void drawsArrowOnlyWhenAsked()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100});
        QVERIFY(isTransparent(window->backgroundImage(), 102, 6));
        window->setHasArrow(true);
        QVERIFY(!isTransparent(window->backgroundImage(), 102, 6)); // inside the spike
        QVERIFY(isTransparent(window->backgroundImage(), 20, 6));
        QCOMPARE(window->size(), QSize(204, 114));
    }

    void rebuildsBackgroundOncePerGeometryChange()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({480, 600});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const int afterShow = window->backgroundRebuildCount();
        QVERIFY(afterShow >= 1);

        for (int i = 0; i < 3; ++i)
            window->repaint();
        window->update();
        QCoreApplication::processEvents();
        QCOMPARE(window->backgroundRebuildCount(), afterShow);

        window->view()->resize(300, 200);
        QCOMPARE(window->size(), QSize(304, 214));
        QCOMPARE(window->backgroundImage().size(), QSize(304, 214));
        QCOMPARE(window->backgroundRebuildCount(), afterShow + 1);

        // Sized from outside, the window goes back around its view without painting anew.
        window->resize(500, 500);
        QTRY_COMPARE(window->size(), QSize(304, 214));
        QCOMPARE(window->backgroundRebuildCount(), afterShow + 1);

        window->setCornerRadius(4.0f);
        QCOMPARE(window->backgroundRebuildCount(), afterShow + 2);
        window->repaint();
        QCOMPARE(window->backgroundRebuildCount(), afterShow + 2);
    }

    void placesWindowBesideItsPoint_data()
    {
        QTest::addColumn<unsigned>("side");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QPoint>("origin");
        // 200 x 100 view: a window of 204 x 114, 5 units away from the point.
        QTest::newRow("below") << 1u << QPointF(600, 300) << QPoint(498, 305);
        QTest::newRow("above") << 3u << QPointF(600, 300) << QPoint(498, 181);
        QTest::newRow("left") << 0u << QPointF(600, 300) << QPoint(391, 243);
        QTest::newRow("right") << 2u << QPointF(600, 300) << QPoint(605, 243);
        QTest::newRow("unknown side hangs below") << 7u << QPointF(600, 300) << QPoint(498, 305);
        QTest::newRow("automatic with room below") << 12u << QPointF(600, 300) << QPoint(498, 305);
    }

    void placesWindowBesideItsPoint()
    {
        QFETCH(unsigned, side);
        QFETCH(QPointF, point);
        QFETCH(QPoint, origin);
        const windowtest::WindowPtr window =
            windowtest::makeWindow({200, 100}, point, nullptr, side);
        QCOMPARE(window->pos(), origin);
    }

    void placesAutomaticallyAboveNearScreenBottom()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPointF point(area.center().x(), area.bottom() - 20);
        const windowtest::WindowPtr window =
            windowtest::makeWindow({200, 100}, point, nullptr, 12u);
        QCOMPARE(window->side(), unsigned(StatusAttachedWindow::SideAbove));
        QCOMPARE(window->pos().y(), qRound(point.y() - 5 - 114));
    }

    void takesPointInParentWindowCoordinates()
    {
        QWidget parent;
        parent.move(100, 50);
        const windowtest::WindowPtr window =
            windowtest::makeWindow({200, 100}, QPointF(10, 20), &parent);
        const QPoint anchor = parent.mapToGlobal(QPoint(10, 20));
        QCOMPARE(window->pos(), anchor + QPoint(-102, 5));
    }

    void centersOnTheScreen()
    {
        const windowtest::WindowPtr window = windowtest::makeWindow({480, 600});
        window->center();
        const QRect area = window->screen()->availableGeometry();
        QVERIFY(qAbs(window->geometry().center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(window->geometry().center().y() - area.center().y()) <= 1);
    }

    void reportsMouseAndActivationToListener()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Needs a real pointer: the X11 platform (DISPLAY)");
        Listener listener;
        const windowtest::WindowPtr window = windowtest::makeWindow({200, 100}, QPointF(400, 200));
        window->setMattachedWDelegate(&listener);
        QCursor::setPos(10, 10);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        QCursor::setPos(window->geometry().center());
        QTRY_VERIFY(!listener.reports.isEmpty() && listener.reports.last());
        QCursor::setPos(window->geometry().bottomRight() + QPoint(50, 50));
        QTRY_VERIFY(!listener.reports.last());

        QWidget other;
        other.setGeometry(20, 20, 100, 100);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(listener.hiddenReports > 0);
        window->setMattachedWDelegate(nullptr);
    }
};

int runStatusAttachedWindowTest(int argc, char** argv)
{
    StatusAttachedWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StatusAttachedWindowTest.moc"

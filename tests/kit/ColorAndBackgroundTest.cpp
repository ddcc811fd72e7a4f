#include "KitTests.h"
#include "kit/BackgroundView.h"
#include "kit/Color.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

class ColorAndBackgroundTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void getColorScalesComponents_data()
    {
        QTest::addColumn<float>("red");
        QTest::addColumn<float>("green");
        QTest::addColumn<float>("blue");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("accent") << 39.f << 124.f << 226.f << 1.f << QColor(39, 124, 226);
        QTest::newRow("panel background")
            << 242.f << 245.f << 249.f << 1.f << QColor(242, 245, 249);
        QTest::newRow("half transparent black")
            << 0.f << 0.f << 0.f << 0.5f << QColor(0, 0, 0, 128);
        QTest::newRow("out of range is clamped")
            << 300.f << -4.f << 128.f << 2.f << QColor(255, 0, 128, 255);
    }

    void getColorScalesComponents()
    {
        QFETCH(float, red);
        QFETCH(float, green);
        QFETCH(float, blue);
        QFETCH(float, alpha);
        QFETCH(QColor, expected);
        const QColor color = getColor(red, green, blue, alpha);
        QCOMPARE(color.spec(), QColor::Rgb);
        QCOMPARE(color.rgba(), expected.rgba());
        QCOMPARE(color.redF(), std::clamp(red, 0.f, 255.f) / 255.f);
    }

    void backgroundFillsItsBounds()
    {
        BackgroundView view(getColor(39, 124, 226, 1), 0);
        view.resize(40, 30);
        const QImage image = kittest::render(&view);
        QCOMPARE(kittest::countNear(image, kittest::Accent, {}, 0), 40 * 30);
    }

    void roundedBackgroundLeavesCornersClear()
    {
        BackgroundView view(getColor(242, 245, 249, 1), 8.0);
        view.resize(60, 40);
        const QImage image = kittest::render(&view);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(59, 39).alpha(), 0);
        QCOMPARE(image.pixelColor(30, 20).rgba(), QColor(242, 245, 249).rgba());
        QCOMPARE(image.pixelColor(0, 20).rgba(), QColor(242, 245, 249).rgba());

        view.setColor(Qt::red);
        view.setCornerRadius(0);
        const QImage square = kittest::render(&view);
        QCOMPARE(square.pixelColor(0, 0).rgba(), QColor(Qt::red).rgba());
    }
};

int runColorAndBackgroundTest(int argc, char** argv)
{
    ColorAndBackgroundTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ColorAndBackgroundTest.moc"

#include "KitTests.h"
#include "kit/BackgroundView.h"
#include "kit/Color.h"

#include <QTest>

class ColorAndBackgroundTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void getColorScalesAndClamps()
    {
        QCOMPARE(getColor(39, 124, 226, 1).rgba(), QColor(39, 124, 226).rgba());
        QCOMPARE(getColor(0, 0, 0, 0.5f).rgba(), QColor(0, 0, 0, 128).rgba());
        const QColor clamped = getColor(300, -4, 128, 2);
        QCOMPARE(clamped.rgba(), QColor(255, 0, 128, 255).rgba());
        QCOMPARE(clamped.blueF(), 128.f / 255.f); // kept exact, not rounded to 8 bits
    }

    void backgroundFillsItsBoundsOrRoundsItsCorners()
    {
        BackgroundView view(getColor(242, 245, 249, 1), 8.0);
        view.resize(60, 40);
        const QImage rounded = kittest::render(&view);
        QCOMPARE(rounded.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(rounded.pixelColor(59, 39).alpha(), 0);
        QCOMPARE(rounded.pixelColor(30, 20).rgba(), QColor(242, 245, 249).rgba());
        QCOMPARE(rounded.pixelColor(0, 20).rgba(), QColor(242, 245, 249).rgba());

        view.setColor(Qt::red);
        view.setCornerRadius(0);
        QCOMPARE(kittest::countNear(kittest::render(&view), Qt::red, {}, 0), 60 * 40);
    }
};

static const bool registered = kittest::add<ColorAndBackgroundTest>();

#include "ColorAndBackgroundTest.moc"

#include "kit/TrafficLightButton.h"

#include "KitTests.h"
#include "common/NotificationCenter.h"

#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

const QString Enter = u"HMTrafficButtonMouseEnter"_s;
const QString Exit = u"HMTrafficButtonMouseExit"_s;

QColor centreColour(QWidget* widget)
{
    const QImage image = kittest::render(widget);
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class TrafficLightButtonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsOnlyItsOwnBar_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("poster");
        QTest::addColumn<bool>("showing");
        QTest::newRow("enter from own bar") << Enter << u"own"_s << true;
        QTest::newRow("enter from another bar") << Enter << u"other"_s << false;
        QTest::newRow("enter without object") << Enter << u"none"_s << false;
        QTest::newRow("enter from the button itself") << Enter << u"button"_s << false;
        QTest::newRow("other notification from own bar") << u"reOpenWindow"_s << u"own"_s << false;
    }

    void followsOnlyItsOwnBar()
    {
        QFETCH(QString, name);
        QFETCH(QString, poster);
        QFETCH(bool, showing);
        QWidget bar;
        QWidget otherBar;
        TrafficLightButton button(u"close"_s, &bar);
        button.setup();
        QObject* object = poster == u"own"_s      ? &bar
                          : poster == u"other"_s  ? &otherBar
                          : poster == u"button"_s ? static_cast<QObject*>(&button)
                                                  : nullptr;
        NotificationCenter::defaultCenter()->post(name, object);
        QCOMPARE(button.isShowingHover(), showing);
    }

    void exitDropsTheHoverOnlyFromOwnBar()
    {
        QWidget bar;
        QWidget otherBar;
        TrafficLightButton close(u"close"_s, &bar);
        TrafficLightButton zoom(u"zoom"_s, &otherBar);
        close.setup();
        zoom.setup();
        NotificationCenter* centre = NotificationCenter::defaultCenter();

        centre->post(Enter, &bar);
        QVERIFY(close.isShowingHover());
        QVERIFY(!zoom.isShowingHover());
        centre->post(Exit, &otherBar);
        QVERIFY(close.isShowingHover());
        centre->post(Exit, &bar);
        QVERIFY(!close.isShowingHover());
    }

    void listensOnlyAfterSetup()
    {
        QWidget bar;
        TrafficLightButton button(u"minimize"_s, &bar);
        NotificationCenter::defaultCenter()->post(Enter, &bar);
        QVERIFY(!button.isShowingHover());
        button.setup();
        button.setup();
        NotificationCenter::defaultCenter()->post(Enter, &bar);
        QVERIFY(button.isShowingHover());
    }

    void drawsItsColourAndGlyph_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("close") << u"close"_s << QColor(255, 95, 87);
        QTest::newRow("minimize") << u"minimize"_s << QColor(254, 188, 46);
        QTest::newRow("zoom") << u"zoom"_s << QColor(40, 200, 64);
    }

    void drawsItsColourAndGlyph()
    {
        QFETCH(QString, identifier);
        QFETCH(QColor, colour);
        QWidget bar;
        TrafficLightButton button(identifier, &bar);
        button.setGeometry(0, 2, 12, 12);
        button.setup();
        QCOMPARE(button.identifier(), identifier);
        QVERIFY(kittest::isNear(centreColour(&button), colour, 4));

        // Every glyph crosses the middle of the button.
        NotificationCenter::defaultCenter()->post(Enter, &bar);
        QVERIFY(!kittest::isNear(centreColour(&button), colour, 20));
        NotificationCenter::defaultCenter()->post(Exit, &bar);
        QVERIFY(kittest::isNear(centreColour(&button), colour, 4));
    }

    void clickIsReported()
    {
        QWidget bar;
        TrafficLightButton button(u"close"_s, &bar);
        button.setGeometry(0, 2, 12, 12);
        int clicks = 0;
        connect(&button, &QAbstractButton::clicked, &bar, [&clicks] { ++clicks; });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }
};

int runTrafficLightButtonTest(int argc, char** argv)
{
    TrafficLightButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TrafficLightButtonTest.moc"

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
        QTest::addColumn<int>("setups");
        QTest::addColumn<bool>("entered"); // the own bar reported an enter first
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("poster");
        QTest::addColumn<bool>("showing");
        QTest::newRow("enter from own bar") << 1 << false << Enter << u"own"_s << true;
        QTest::newRow("enter from another bar") << 1 << false << Enter << u"other"_s << false;
        QTest::newRow("enter without object") << 1 << false << Enter << u"none"_s << false;
        QTest::newRow("enter from the button") << 1 << false << Enter << u"button"_s << false;
        QTest::newRow("other notification") << 1 << false << u"reOpenWindow"_s << u"own"_s << false;
        QTest::newRow("exit from another bar") << 1 << true << Exit << u"other"_s << true;
        QTest::newRow("exit from own bar") << 1 << true << Exit << u"own"_s << false;
        QTest::newRow("not set up") << 0 << false << Enter << u"own"_s << false;
        QTest::newRow("set up twice") << 2 << false << Enter << u"own"_s << true;
    }

    void followsOnlyItsOwnBar()
    {
        QFETCH(int, setups);
        QFETCH(bool, entered);
        QFETCH(QString, name);
        QFETCH(QString, poster);
        QFETCH(bool, showing);
        QWidget bar;
        QWidget otherBar;
        TrafficLightButton button(u"close"_s, &bar);
        for (int i = 0; i < setups; ++i)
            button.setup();
        NotificationCenter* centre = NotificationCenter::defaultCenter();
        if (entered)
            centre->post(Enter, &bar);
        QObject* object = poster == u"own"_s      ? &bar
                          : poster == u"other"_s  ? &otherBar
                          : poster == u"button"_s ? static_cast<QObject*>(&button)
                                                  : nullptr;
        centre->post(name, object);
        QCOMPARE(button.isShowingHover(), showing);
    }

    void drawsItsGlyphOnlyWhileHovered()
    {
        for (const QString& identifier : {u"close"_s, u"minimize"_s, u"zoom"_s}) {
            QWidget bar;
            TrafficLightButton button(identifier, &bar);
            button.setGeometry(0, 2, 12, 12);
            button.setup();
            const QColor plain = centreColour(&button);
            QVERIFY2(plain.alpha() == 255, qPrintable(identifier));
            // Every glyph crosses the middle of the button.
            NotificationCenter::defaultCenter()->post(Enter, &bar);
            QVERIFY2(!kittest::isNear(centreColour(&button), plain, 20), qPrintable(identifier));
            NotificationCenter::defaultCenter()->post(Exit, &bar);
            QVERIFY2(kittest::isNear(centreColour(&button), plain, 4), qPrintable(identifier));
        }
    }
};

int runTrafficLightButtonTest(int argc, char** argv)
{
    TrafficLightButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TrafficLightButtonTest.moc"

#include "kit/TrafficLightButton.h"

#include "KitTests.h"
#include "common/NotificationCenter.h"

#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

const QString Enter = u"HMTrafficButtonMouseEnter"_s;
const QString Exit = u"HMTrafficButtonMouseExit"_s;

} // namespace

class TrafficLightButtonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsOnlyItsOwnBar_data()
    {
        QTest::addColumn<bool>("setUp");
        QTest::addColumn<bool>("entered"); // the own bar reported an enter first
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ownBar"); // else another bar posts
        QTest::addColumn<bool>("showing");
        QTest::newRow("enter from own bar") << true << false << Enter << true << true;
        QTest::newRow("enter from another bar") << true << false << Enter << false << false;
        QTest::newRow("other notification") << true << false << u"reOpenWindow"_s << true << false;
        QTest::newRow("exit from another bar") << true << true << Exit << false << true;
        QTest::newRow("exit from own bar") << true << true << Exit << true << false;
        QTest::newRow("not set up") << false << false << Enter << true << false;
    }

    void followsOnlyItsOwnBar()
    {
        QFETCH(bool, setUp);
        QFETCH(bool, entered);
        QFETCH(QString, name);
        QFETCH(bool, ownBar);
        QFETCH(bool, showing);
        QWidget bar;
        QWidget otherBar;
        TrafficLightButton button(u"close"_s, &bar);
        if (setUp)
            button.setup();
        if (entered)
            NotificationCenter::defaultCenter()->post(Enter, &bar);
        NotificationCenter::defaultCenter()->post(name, ownBar ? &bar : &otherBar);
        QCOMPARE(button.isShowingHover(), showing);
    }
};

static const bool registered = registerTest<TrafficLightButtonTest>();

#include "TrafficLightButtonTest.moc"

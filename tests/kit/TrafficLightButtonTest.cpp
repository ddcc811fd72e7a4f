#include "kit/TrafficLightButton.h"

#include "KitTests.h"
#include "common/NotificationCenter.h"

#include <QTest>
#include <QWidget>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString Enter = u"HMTrafficButtonMouseEnter"_s;
const QString Exit = u"HMTrafficButtonMouseExit"_s;

} // namespace

class TrafficLightButtonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // entered: the own bar reported an enter first; ownBar: else another bar posts.
    void followsOnlyItsOwnBar()
    {
        for (const auto& [name, setUp, entered, notification, ownBar, showing] :
             {std::tuple{"enter from own bar", true, false, Enter, true, true},
              {"enter from another bar", true, false, Enter, false, false},
              {"other notification", true, false, u"reOpenWindow"_s, true, false},
              {"exit from another bar", true, true, Exit, false, true},
              {"exit from own bar", true, true, Exit, true, false},
              {"not set up", false, false, Enter, true, false}}) {
            QWidget bar, otherBar;
            TrafficLightButton button(u"close"_s, &bar);
            if (setUp)
                button.setup();
            if (entered)
                NotificationCenter::defaultCenter()->post(Enter, &bar);
            NotificationCenter::defaultCenter()->post(notification, ownBar ? &bar : &otherBar);
            QCOMPARE(std::pair(name, button.isShowingHover()), std::pair(name, showing));
        }
    }
};

static const bool registered = registerTest<TrafficLightButtonTest>();

#include "TrafficLightButtonTest.moc"

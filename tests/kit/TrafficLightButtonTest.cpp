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
    void followsOnlyItsOwnBar()
    {
        // entered: the own bar reported an enter first; ownBar: else another bar posts.
        const struct {
            const char* name;
            bool setUp, entered;
            QString notification;
            bool ownBar, showing;
        } rows[] = {{"enter from own bar", true, false, Enter, true, true},
                    {"enter from another bar", true, false, Enter, false, false},
                    {"other notification", true, false, u"reOpenWindow"_s, true, false},
                    {"exit from another bar", true, true, Exit, false, true},
                    {"exit from own bar", true, true, Exit, true, false},
                    {"not set up", false, false, Enter, true, false}};
        for (const auto& row : rows) {
            QWidget bar;
            QWidget otherBar;
            TrafficLightButton button(u"close"_s, &bar);
            if (row.setUp)
                button.setup();
            if (row.entered)
                NotificationCenter::defaultCenter()->post(Enter, &bar);
            NotificationCenter::defaultCenter()->post(row.notification,
                                                      row.ownBar ? &bar : &otherBar);
            QCOMPARE(std::pair(row.name, button.isShowingHover()),
                     std::pair(row.name, row.showing));
        }
    }
};

static const bool registered = registerTest<TrafficLightButtonTest>();

#include "TrafficLightButtonTest.moc"

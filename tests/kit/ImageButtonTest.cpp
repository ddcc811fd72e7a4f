#include "kit/ImageButton.h"

#include "KitTests.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

void sendEnter(QWidget* widget)
{
    const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent event(inside, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &event);
}

} // namespace

class ImageButtonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFacesFallBackToNormalFadedWhenDisabled()
    {
        ImageButton button(u"ic_task"_s);
        button.resize(24, 24);
        sendEnter(&button);
        button.setDown(true);
        QCOMPARE(button.currentFaceName(), u"ic_task"_s);
        button.setDown(false);
        button.setEnabled(false);
        QCOMPARE(button.currentFaceName(), u"ic_task"_s);
        const QImage alpha = kittest::render(&button).convertToFormat(QImage::Format_Alpha8);
        const int strongest = *std::max_element(alpha.constBits(), alpha.constBits() + 24 * 24);
        QVERIFY2(strongest > 0 && strongest < 160, "drawn, and faded");
    }
};

static const bool registered = registerTest<ImageButtonTest>();

#include "ImageButtonTest.moc"

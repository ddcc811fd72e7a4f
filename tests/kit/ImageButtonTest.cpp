#include "kit/ImageButton.h"

#include "KitTests.h"
#include "kit/KitImages.h"
#include "kit/TextImageButton.h"

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

// The colour near the left edge, middle height: face, not title.
QColor faceEdge(const QImage& image)
{
    return image.pixelColor(2, image.height() / 2);
}

} // namespace

class ImageButtonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Steps from a fresh button, and the face it then shows.
    void faceFollowsTheState()
    {
        for (const auto& [steps, face] :
             {std::pair{u""_s, u"btn_pril_normal"_s},
              {u"enter"_s, u"btn_pril_hover"_s},
              {u"enter press"_s, u"btn_pril_press"_s},
              {u"enter leave"_s, u"btn_pril_normal"_s},
              {u"enter disable"_s, u"btn_pril_disable"_s},
              // The pointer leaves a disabled button, which gets no leave event.
              {u"enter disable gone enable"_s, u"btn_pril_normal"_s},
              {u"check enter"_s, u"btn_sec"_s},
              {u"check press"_s, u"btn_pril_press"_s}}) {
            TextImageButton button(u"Continue"_s, 12);
            button.setImageNames(u"btn_pril_normal"_s, u"btn_pril_press"_s, u"btn_pril_hover"_s,
                                 u"btn_pril_disable"_s);
            button.setSelectedImageName(u"btn_sec"_s);
            button.setCheckable(true);
            button.resize(120, 32);
            for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
                QEvent leave(QEvent::Leave);
                if (step == u"enter")
                    sendEnter(&button);
                else if (step == u"leave")
                    QApplication::sendEvent(&button, &leave);
                else if (step == u"gone")
                    button.setAttribute(Qt::WA_UnderMouse, false);
                else if (step == u"check")
                    button.setChecked(true);
                else if (step.endsWith(u"able"))
                    button.setEnabled(step == u"enable");
                else
                    button.setDown(step == u"press");
            }
            QCOMPARE(std::pair(steps, button.currentFaceName()), std::pair(steps, face));
            const QImage own = KitImages::pixmap(face, QSize(120, 32)).toImage();
            QVERIFY2(kittest::isNear(faceEdge(kittest::render(&button)), faceEdge(own), 3),
                     qPrintable(steps));
        }
    }

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

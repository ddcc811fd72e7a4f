#include "kit/ImageButton.h"

#include "KitTests.h"
#include "common/PublicUtilities.h"
#include "kit/KitImages.h"
#include "kit/TextImageButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

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
    void faceFollowsTheState_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("face");
        QTest::newRow("normal") << u""_s << u"btn_pril_normal"_s;
        QTest::newRow("hovered") << u"enter"_s << u"btn_pril_hover"_s;
        QTest::newRow("pressed over hovered") << u"enter press"_s << u"btn_pril_press"_s;
        QTest::newRow("left") << u"enter leave"_s << u"btn_pril_normal"_s;
        QTest::newRow("disabled over hovered") << u"enter disable"_s << u"btn_pril_disable"_s;
        // The pointer leaves a disabled button, which gets no leave event.
        QTest::newRow("no stale hover") << u"enter disable gone enable"_s << u"btn_pril_normal"_s;
        QTest::newRow("selected over hovered") << u"check enter"_s << u"btn_sec"_s;
        QTest::newRow("pressed over selected") << u"check press"_s << u"btn_pril_press"_s;
    }

    void faceFollowsTheState()
    {
        QFETCH(QString, steps);
        QFETCH(QString, face);
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
        QCOMPARE(button.currentFaceName(), face);
        const QImage own = KitImages::pixmap(face, QSize(120, 32)).toImage();
        QVERIFY(kittest::isNear(faceEdge(kittest::render(&button)), faceEdge(own), 3));
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
        const QImage image = kittest::render(&button);
        int strongestAlpha = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                strongestAlpha = qMax(strongestAlpha, qAlpha(image.pixel(x, y)));
        QVERIFY2(strongestAlpha > 0 && strongestAlpha < 160, "drawn, and faded");
    }

    void iconIsDrawnAtItsOwnSizeOrSmaller_data()
    {
        QTest::addColumn<QSize>("buttonSize");
        QTest::addColumn<QRect>("drawnArea");
        QTest::newRow("larger button") << QSize(40, 40) << QRect(8, 8, 24, 24);
        QTest::newRow("smaller button") << QSize(16, 16) << QRect(0, 0, 16, 16);
    }

    void iconIsDrawnAtItsOwnSizeOrSmaller()
    {
        QFETCH(QSize, buttonSize);
        QFETCH(QRect, drawnArea);
        ImageButton button(u"ic_app_sel"_s); // 24 x 24, in the accent colour
        button.resize(buttonSize);
        const QImage image = kittest::render(&button);
        const QColor accent(39, 124, 226);
        const int inside = kittest::countNear(image, accent, drawnArea, 40);
        QVERIFY(inside > drawnArea.width());
        QCOMPARE(kittest::countNear(image, accent, {}, 40), inside);
    }

    void titleFontComesFromTheSettingsAndWidensTheButton()
    {
        TextImageButton plain(u"Save"_s, 12);
        QCOMPARE(plain.titleFont().family(), QApplication::font().family());
        QCOMPARE(plain.titleFont().pixelSize(), 12);
        PublicUtilities::writRegularFont(u"Corvella Test Sans"_s);
        TextImageButton styled(u"Save"_s, 14);
        QCOMPARE(styled.titleFont().family(), u"Corvella Test Sans"_s);
        PublicUtilities::writRegularFont(QString());
        QCOMPARE(styled.titleFont().pixelSize(), 14);
        styled.setImageName(u"btn_sec"_s);
        styled.setTitle(u"A title far too long for a face of one hundred and twenty"_s);
        QVERIFY(styled.sizeHint().width() > KitImages::defaultSize(u"btn_sec"_s).width());
    }

    void titleContrastsWithTheFace()
    {
        for (const QString& face : {u"btn_pril_normal"_s, u"btn_sec"_s}) { // accent, white
            TextImageButton button(u"MMMMMMMM"_s, 14);
            button.setImageName(face);
            button.resize(120, 32);
            const QImage image = kittest::render(&button);
            const int white = kittest::countNear(image, Qt::white, {30, 8, 60, 16}, 40);
            const int dark = kittest::countNear(image, QColor(51, 58, 68), {30, 8, 60, 16}, 40);
            QVERIFY2(face == u"btn_sec" ? dark > 10 : white > 10 && dark == 0, qPrintable(face));
        }
    }
};

static const bool registered = kittest::add<ImageButtonTest>();

#include "ImageButtonTest.moc"

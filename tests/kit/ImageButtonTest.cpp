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
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("face");
        QTest::newRow("normal") << QStringList() << u"btn_pril_normal"_s;
        QTest::newRow("hovered") << QStringList{"enter"} << u"btn_pril_hover"_s;
        QTest::newRow("pressed over hovered")
            << QStringList{"enter", "press"} << u"btn_pril_press"_s;
        QTest::newRow("released") << QStringList{"enter", "press", "release"}
                                  << u"btn_pril_hover"_s;
        QTest::newRow("left") << QStringList{"enter", "leave"} << u"btn_pril_normal"_s;
        QTest::newRow("disabled over hovered")
            << QStringList{"enter", "disable"} << u"btn_pril_disable"_s;
        QTest::newRow("no stale hover after disabling")
            << QStringList{"enter", "disable", "gone", "enable"} << u"btn_pril_normal"_s;
        QTest::newRow("selected over hovered") << QStringList{"check", "enter"} << u"btn_sec"_s;
        QTest::newRow("pressed over selected")
            << QStringList{"check", "press"} << u"btn_pril_press"_s;
        QTest::newRow("disabled over selected")
            << QStringList{"check", "disable"} << u"btn_pril_disable"_s;
    }

    void faceFollowsTheState()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, face);
        TextImageButton button(u"Continue"_s, 12);
        button.setImageNames(u"btn_pril_normal"_s, u"btn_pril_press"_s, u"btn_pril_hover"_s,
                             u"btn_pril_disable"_s);
        button.setSelectedImageName(u"btn_sec"_s);
        button.resize(120, 32);
        for (const QString& step : steps) {
            QEvent leave(QEvent::Leave);
            if (step == u"enter")
                sendEnter(&button);
            else if (step == u"leave")
                QApplication::sendEvent(&button, &leave);
            else if (step == u"press")
                QTest::mousePress(&button, Qt::LeftButton);
            else if (step == u"release")
                QTest::mouseRelease(&button, Qt::LeftButton);
            else if (step == u"gone") // the pointer left a disabled button: no leave event
                button.setAttribute(Qt::WA_UnderMouse, false);
            else if (step == u"check")
                button.setCheckable(true), button.setChecked(true);
            else
                button.setEnabled(step == u"enable");
        }
        QCOMPARE(button.currentFaceName(), face);
        // What is painted is that face.
        const QImage own = KitImages::pixmap(face, QSize(120, 32)).toImage();
        QVERIFY(kittest::isNear(faceEdge(kittest::render(&button)), faceEdge(own), 3));
    }

    void missingFacesFallBackToNormalFadedWhenDisabled()
    {
        ImageButton button(u"ic_task"_s);
        button.resize(24, 24);
        sendEnter(&button);
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(button.currentFaceName(), u"ic_task"_s);
        QTest::mouseRelease(&button, Qt::LeftButton);
        button.setEnabled(false);
        QCOMPARE(button.currentFaceName(), u"ic_task"_s);
        const QImage image = kittest::render(&button);
        int strongestAlpha = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                strongestAlpha = qMax(strongestAlpha, image.pixelColor(x, y).alpha());
        QVERIFY(strongestAlpha > 0);
        QVERIFY(strongestAlpha < 160);
    }

    void iconIsDrawnAtItsOwnSizeOrSmaller_data()
    {
        QTest::addColumn<QSize>("buttonSize");
        QTest::addColumn<QRect>("drawnArea");
        QTest::newRow("larger button") << QSize(40, 40) << QRect(8, 8, 24, 24);
        QTest::newRow("wide button") << QSize(60, 24) << QRect(18, 0, 24, 24);
        QTest::newRow("smaller button") << QSize(16, 16) << QRect(0, 0, 16, 16);
    }

    void iconIsDrawnAtItsOwnSizeOrSmaller()
    {
        QFETCH(QSize, buttonSize);
        QFETCH(QRect, drawnArea);
        ImageButton button(u"ic_app_sel"_s);
        button.resize(buttonSize);
        const QImage image = kittest::render(&button);
        const int inside = kittest::countNear(image, kittest::Accent, drawnArea, 40);
        QVERIFY(inside > drawnArea.width());
        QCOMPARE(kittest::countNear(image, kittest::Accent, {}, 40), inside);
    }

    void titleFontComesFromTheSettings()
    {
        TextImageButton plain(u"Save"_s, 12);
        QCOMPARE(plain.titleFont().family(), QApplication::font().family());
        QCOMPARE(plain.titleFont().pixelSize(), 12);
        PublicUtilities::writRegularFont(u"Corvella Test Sans"_s);
        TextImageButton styled(u"Save"_s, 14);
        QCOMPARE(styled.titleFont().family(), u"Corvella Test Sans"_s);
        QCOMPARE(styled.titleFont().pixelSize(), 14);
        PublicUtilities::writRegularFont(QString());
        // A long title widens the button beyond its face.
        styled.setImageName(u"btn_sec"_s);
        styled.setTitle(u"A title far too long for a face of one hundred and twenty"_s);
        QVERIFY(styled.sizeHint().width() > KitImages::defaultSize(u"btn_sec"_s).width());
    }

    void titleContrastsWithTheFace_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("lightTitle");
        QTest::newRow("accent face") << u"btn_pril_normal"_s << true;
        QTest::newRow("white face") << u"btn_sec"_s << false;
    }

    void titleContrastsWithTheFace()
    {
        QFETCH(QString, face);
        QFETCH(bool, lightTitle);
        TextImageButton button(u"MMMMMMMM"_s, 14);
        button.setImageName(face);
        button.resize(120, 32);
        const QImage image = kittest::render(&button);
        const QRect middle(30, 8, 60, 16);
        const int white = kittest::countNear(image, Qt::white, middle, 40);
        const int dark = kittest::countNear(image, QColor(51, 58, 68), middle, 40);
        QVERIFY((lightTitle ? white : dark) > 10);
        if (lightTitle)
            QCOMPARE(dark, 0);
    }
};

int runImageButtonTest(int argc, char** argv)
{
    ImageButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ImageButtonTest.moc"

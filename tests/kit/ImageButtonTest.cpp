#include "kit/ImageButton.h"

#include "KitTests.h"
#include "common/PublicUtilities.h"
#include "kit/IconATextButton.h"
#include "kit/KitImages.h"
#include "kit/TextImageButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void sendEnter(QWidget* widget)
{
    const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent event(inside, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &event);
}

void sendLeave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// The colour the button paints near its left edge, middle height: face, not title.
QColor paintedFaceEdge(QWidget* button)
{
    const QImage image = kittest::render(button);
    return image.pixelColor(2, image.height() / 2);
}

void giveSecondaryFaces(ImageButton& button)
{
    button.setImageNames(u"btn_pril_normal"_s, u"btn_pril_press"_s, u"btn_pril_hover"_s,
                         u"btn_pril_disable"_s);
}

} // namespace

class ImageButtonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faceFollowsTheState()
    {
        TextImageButton button(u"Continue"_s, 12);
        giveSecondaryFaces(button);
        button.resize(120, 32);
        QCOMPARE(button.imageName(), u"btn_pril_normal"_s);
        QCOMPARE(button.currentFaceName(), u"btn_pril_normal"_s);

        sendEnter(&button);
        QVERIFY(button.isHovered());
        QCOMPARE(button.currentFaceName(), u"btn_pril_hover"_s);

        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(button.currentFaceName(), u"btn_pril_press"_s);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(button.currentFaceName(), u"btn_pril_hover"_s);

        sendLeave(&button);
        QVERIFY(!button.isHovered());
        QCOMPARE(button.currentFaceName(), u"btn_pril_normal"_s);

        button.setButtonEnabled(false);
        QCOMPARE(button.currentFaceName(), u"btn_pril_disable"_s);
        button.setButtonEnabled(true);
        QCOMPARE(button.currentFaceName(), u"btn_pril_normal"_s);
    }

    void paintsTheCurrentFace()
    {
        TextImageButton button(u"Install Update"_s, 12);
        giveSecondaryFaces(button);
        button.resize(120, 32);
        const auto faceColour = [](const QString& name) {
            const QImage image = KitImages::pixmap(name, QSize(120, 32)).toImage();
            return image.pixelColor(2, 16);
        };
        QVERIFY(kittest::isNear(paintedFaceEdge(&button), faceColour(u"btn_pril_normal"_s), 3));
        sendEnter(&button);
        QVERIFY(kittest::isNear(paintedFaceEdge(&button), faceColour(u"btn_pril_hover"_s), 3));
        sendLeave(&button);
        button.setEnabled(false);
        QVERIFY(kittest::isNear(paintedFaceEdge(&button), faceColour(u"btn_pril_disable"_s), 3));
    }

    void missingFacesFallBackToNormal()
    {
        ImageButton button(u"ic_task"_s);
        button.resize(24, 24);
        sendEnter(&button);
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(button.currentFaceName(), u"ic_task"_s);
        QTest::mouseRelease(&button, Qt::LeftButton);
        button.setEnabled(false);
        QCOMPARE(button.currentFaceName(), u"ic_task"_s);
        // Without a disabled face the normal one is drawn faded.
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

    void selectedFaceWhileChecked()
    {
        ImageButton button(u"ic_disk_icon"_s);
        button.setSelectedImageName(u"ic_disk_sel"_s);
        button.setCheckable(true);
        QCOMPARE(button.currentFaceName(), u"ic_disk_icon"_s);
        button.setChecked(true);
        QCOMPARE(button.currentFaceName(), u"ic_disk_sel"_s);
        QCOMPARE(button.imageName(), u"ic_disk_icon"_s);
        button.setImageName(u"ic_disk"_s);
        button.setChecked(false);
        QCOMPARE(button.currentFaceName(), u"ic_disk"_s);
    }

    void clickCarriesTheIdentifier()
    {
        ImageButton button(u"ic_clean"_s);
        button.setIdentifier(u"Cleanup"_s);
        button.resize(button.sizeHint());
        QStringList clickedIdentifiers;
        connect(&button, &QAbstractButton::clicked, &button,
                [&] { clickedIdentifiers.append(button.identifier()); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clickedIdentifiers, QStringList{u"Cleanup"_s});

        button.setEnabled(false);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clickedIdentifiers.size(), 1);
        QCOMPARE(button.identifier(), u"Cleanup"_s);
    }

    void sizeHintComesFromTheImage()
    {
        QCOMPARE(ImageButton(u"ic_task"_s).sizeHint(), QSize(24, 24));
        TextImageButton face;
        face.setImageName(u"btn_sec"_s);
        QCOMPARE(face.sizeHint(), QSize(120, 32));
        face.setTitle(u"A title far too long for a face of one hundred and twenty"_s);
        QVERIFY(face.sizeHint().width() > 120);
        QCOMPARE(face.cursor().shape(), Qt::PointingHandCursor);
    }

    void titleFontComesFromTheSettings()
    {
        TextImageButton plain(u"Save"_s, 12);
        QCOMPARE(plain.titleFont().family(), QApplication::font().family());
        QCOMPARE(plain.titleFont().pixelSize(), 12);

        PublicUtilities::writRegularFont(u"Corvella Test Sans"_s);
        QCOMPARE(PublicUtilities::getRegularFontName(), u"Corvella Test Sans"_s);
        TextImageButton styled(u"Save"_s, 14);
        QCOMPARE(styled.titleFont().family(), u"Corvella Test Sans"_s);
        QCOMPARE(styled.titleFont().pixelSize(), 14);
        PublicUtilities::writRegularFont(QString());
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
        const QRect middle(image.width() / 4, image.height() / 4, image.width() / 2,
                           image.height() / 2);
        const int white = kittest::countNear(image, Qt::white, middle, 40);
        const int dark = kittest::countNear(image, QColor(51, 58, 68), middle, 40);
        if (lightTitle) {
            QVERIFY(white > 10);
            QCOMPARE(dark, 0);
        } else {
            QVERIFY(dark > 10);
        }
    }

    void iconATextTitleLightsUpOnHover()
    {
        IconATextButton button;
        button.setImageNames(u"ic_eject"_s, u"ic_eject_hover"_s, u"ic_eject_hover"_s,
                             u"ic_eject"_s);
        button.setTitle(u"Eject"_s);
        button.setFontSize(14);
        button.resize(button.sizeHint());
        QVERIFY(button.width() > 24 + 20);
        const QRect titleArea(28, 0, button.width() - 28, button.height());
        QCOMPARE(kittest::countNear(kittest::render(&button), kittest::Accent, titleArea, 30), 0);

        sendEnter(&button);
        QCOMPARE(button.currentFaceName(), u"ic_eject_hover"_s);
        const QImage hovered = kittest::render(&button);
        QVERIFY(kittest::countNear(hovered, kittest::Accent, titleArea, 30) > 5);
        QVERIFY(kittest::countNear(hovered, kittest::Accent, QRect(0, 0, 24, button.height()), 30) >
                20);
    }
};

int runImageButtonTest(int argc, char** argv)
{
    ImageButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ImageButtonTest.moc"

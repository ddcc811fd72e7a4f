#include "kit/KitImages.h"

#include "KitTests.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every image the program asks for by name.
const QStringList ExpectedNames = {
    u"btn_b_hover"_s,
    u"btn_b_normal"_s,
    u"btn_pril_disable"_s,
    u"btn_pril_hover"_s,
    u"btn_pril_normal"_s,
    u"btn_pril_press"_s,
    u"btn_s_disable"_s,
    u"btn_sec"_s,
    u"btn_sec_disable"_s,
    u"btn_sec_hover"_s,
    u"btn_sec_press"_s,
    u"btn_secl"_s,
    u"btn_secl_disable"_s,
    u"btn_secl_hover"_s,
    u"btn_secl_normal"_s,
    u"btn_secl_press"_s,
    u"corvella"_s,
    u"format_pril"_s,
    u"format_pril_disable"_s,
    u"format_pril_hover"_s,
    u"format_pril_normal"_s,
    u"format_pril_press"_s,
    u"ic_about"_s,
    u"ic_app"_s,
    u"ic_app_sel"_s,
    u"ic_apps"_s,
    u"ic_brightness"_s,
    u"ic_clean"_s,
    u"ic_clean_but"_s,
    u"ic_clean_hover"_s,
    u"ic_clean_sel"_s,
    u"ic_desktop_bg"_s,
    u"ic_desktop_but"_s,
    u"ic_disk"_s,
    u"ic_disk_but"_s,
    u"ic_disk_icon"_s,
    u"ic_disk_sel"_s,
    u"ic_diskos"_s,
    u"ic_docs"_s,
    u"ic_eject"_s,
    u"ic_eject_hover"_s,
    u"ic_energy"_s,
    u"ic_format"_s,
    u"ic_format_hover"_s,
    u"ic_hide_others"_s,
    u"ic_launchpad"_s,
    u"ic_open"_s,
    u"ic_remove"_s,
    u"ic_remove_disable"_s,
    u"ic_remove_hover"_s,
    u"ic_rename"_s,
    u"ic_rename_hover"_s,
    u"ic_restart"_s,
    u"ic_run"_s,
    u"ic_setting"_s,
    u"ic_shutdown"_s,
    u"ic_sleep"_s,
    u"ic_sound"_s,
    u"ic_start"_s,
    u"ic_start_sel"_s,
    u"ic_task"_s,
    u"ic_task_sel"_s,
    u"ic_terminal"_s,
    u"ic_tools"_s,
    u"ic_usb"_s,
    u"ic_vist"_s,
    u"ic_vist_sel"_s,
    u"ic_volume"_s,
    u"ic_volume_no"_s,
    u"option_a"_s,
    u"option_no"_s,
    u"option_yes"_s,
    u"topicon_dark"_s,
    u"toplogo"_s,
};

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 200 ? 1 : 0;
    return count;
}

QColor centreOf(const QString& name)
{
    const QImage image = KitImages::pixmap(name, QSize(120, 32)).toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class KitImagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesAreExactlyTheArtwork()
    {
        QStringList expected = ExpectedNames;
        expected.sort();
        QCOMPARE(KitImages::names(), expected);
    }

    void everyImageRenders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        for (const QString& name : ExpectedNames) {
            const QByteArray tag = name.toUtf8();
            QTest::addRow("%s@16", tag.constData()) << name << QSize(16, 16) << 1.0;
            QTest::addRow("%s@22x2", tag.constData()) << name << QSize(22, 22) << 2.0;
            QTest::addRow("%s@96x24", tag.constData()) << name << QSize(96, 24) << 1.0;
        }
    }

    void everyImageRenders()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QVERIFY(KitImages::contains(name));
        const QPixmap pixmap = KitImages::pixmap(name, size, ratio);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
        QCOMPARE(pixmap.size(), size * ratio);
        const QImage image = pixmap.toImage();
        QVERIFY2(opaquePixels(image) >= image.width() * image.height() / 50,
                 "the image draws almost nothing");
        QVERIFY(!KitImages::icon(name).isNull());
    }

    void ownSizeIsTheViewBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("tab icon") << u"ic_task"_s << QSize(24, 24);
        QTest::newRow("check box") << u"option_a"_s << QSize(24, 24);
        QTest::newRow("button face") << u"btn_sec_hover"_s << QSize(120, 32);
        QTest::newRow("application icon") << u"corvella"_s << QSize(64, 64);
    }

    void ownSizeIsTheViewBox()
    {
        QFETCH(QString, name);
        QFETCH(QSize, expected);
        QCOMPARE(KitImages::defaultSize(name), expected);
        QCOMPARE(KitImages::pixmap(name, QSize()).size(), expected);
    }

    void missingNameGivesNothingAndWarnsOnce()
    {
        const QString name = u"ic_no_such_image"_s;
        QVERIFY(!KitImages::contains(name));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"ic_no_such_image"_s));
        QVERIFY(KitImages::pixmap(name, QSize(24, 24)).isNull());
        QTest::failOnWarning(QRegularExpression(u"ic_no_such_image"_s));
        QVERIFY(KitImages::pixmap(name, QSize(24, 24)).isNull());
        QVERIFY(KitImages::icon(name).isNull());
        QVERIFY(!KitImages::defaultSize(name).isValid());
        QVERIFY(!KitImages::contains(QString()));
    }

    void emptySizeGivesNullPixmap()
    {
        QVERIFY(KitImages::pixmap(u"ic_task"_s, QSize(0, 0)).isNull());
    }

    void pixmapsAreCachedPerNameSizeAndRatio()
    {
        const QPixmap first = KitImages::pixmap(u"ic_app"_s, QSize(20, 20));
        QCOMPARE(KitImages::pixmap(u"ic_app"_s, QSize(20, 20)).cacheKey(), first.cacheKey());
        QVERIFY(KitImages::pixmap(u"ic_app"_s, QSize(20, 20), 2.0).cacheKey() != first.cacheKey());
        QVERIFY(KitImages::pixmap(u"ic_app_sel"_s, QSize(20, 20)).cacheKey() != first.cacheKey());
    }

    void selectedTabIconsUseTheAccent_data()
    {
        QTest::addColumn<QString>("normal");
        QTest::addColumn<QString>("selected");
        QTest::newRow("Applications") << u"ic_app"_s << u"ic_app_sel"_s;
        QTest::newRow("TaskManager") << u"ic_task"_s << u"ic_task_sel"_s;
        QTest::newRow("Cleanup") << u"ic_clean"_s << u"ic_clean_sel"_s;
        QTest::newRow("StartupItems") << u"ic_start"_s << u"ic_start_sel"_s;
        QTest::newRow("DiskManager") << u"ic_disk_icon"_s << u"ic_disk_sel"_s;
        QTest::newRow("QuickVisit") << u"ic_vist"_s << u"ic_vist_sel"_s;
    }

    void selectedTabIconsUseTheAccent()
    {
        QFETCH(QString, normal);
        QFETCH(QString, selected);
        const QImage normalImage = KitImages::pixmap(normal, QSize(48, 48)).toImage();
        const QImage selectedImage = KitImages::pixmap(selected, QSize(48, 48)).toImage();
        QCOMPARE(kittest::countNear(normalImage, kittest::Accent), 0);
        QVERIFY(kittest::countNear(selectedImage, kittest::Accent) > 40);
    }

    void faceShadesFollowTheState_data()
    {
        QTest::addColumn<QString>("normal");
        QTest::addColumn<QString>("hover");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("btn_pril") << u"btn_pril_normal"_s << u"btn_pril_hover"_s
                                  << u"btn_pril_press"_s;
        QTest::newRow("format_pril")
            << u"format_pril_normal"_s << u"format_pril_hover"_s << u"format_pril_press"_s;
        QTest::newRow("btn_b") << u"btn_b_normal"_s << u"btn_b_hover"_s << QString();
        QTest::newRow("btn_sec") << u"btn_sec"_s << QString() << u"btn_sec_press"_s;
        QTest::newRow("btn_secl") << u"btn_secl_normal"_s << QString() << u"btn_secl_press"_s;
    }

    void faceShadesFollowTheState()
    {
        QFETCH(QString, normal);
        QFETCH(QString, hover);
        QFETCH(QString, pressed);
        const qreal normalLightness = centreOf(normal).lightnessF();
        if (!hover.isEmpty())
            QVERIFY(centreOf(hover).lightnessF() > normalLightness);
        if (!pressed.isEmpty())
            QVERIFY(centreOf(pressed).lightnessF() < normalLightness);
    }

    void trayGlyphsSuitTheirPanels()
    {
        // "toplogo" goes on dark menu bars, "topicon_dark" on light ones.
        const QImage light = KitImages::pixmap(u"toplogo"_s, QSize(22, 22)).toImage();
        const QImage dark = KitImages::pixmap(u"topicon_dark"_s, QSize(22, 22)).toImage();
        QVERIFY(kittest::countNear(light, Qt::white, {}, 30) > 30);
        QCOMPARE(kittest::countNear(light, Qt::black, {}, 100), 0);
        QVERIFY(kittest::countNear(dark, Qt::black, {}, 60) > 30);
        QCOMPARE(kittest::countNear(dark, Qt::white, {}, 100), 0);
    }
};

int runKitImagesTest(int argc, char** argv)
{
    KitImagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "KitImagesTest.moc"

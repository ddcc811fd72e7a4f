#include "kit/KitImages.h"

#include "KitTests.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class KitImagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyImageRenders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QVERIFY(KitImages::names().size() > 10);
        for (const QString& name : KitImages::names()) {
            const QByteArray tag = name.toUtf8();
            QTest::addRow("%s@16", tag.constData()) << name << QSize(16, 16) << 1.0;
            QTest::addRow("%s@96x24x2", tag.constData()) << name << QSize(96, 24) << 2.0;
        }
    }

    void everyImageRenders()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QVERIFY(KitImages::contains(name));
        QVERIFY(!KitImages::icon(name).isNull());
        const QPixmap pixmap = KitImages::pixmap(name, size, ratio);
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
        QCOMPARE(pixmap.size(), size * ratio);
        const QImage image = pixmap.toImage();
        const int opaque = kittest::countNear(image, Qt::black, {}, 255); // of any colour
        QVERIFY2(opaque >= image.width() * image.height() / 50, "the image draws almost nothing");
        QVERIFY(KitImages::defaultSize(name).isValid());
        QCOMPARE(KitImages::pixmap(name, QSize()).size(), KitImages::defaultSize(name));
    }

    void missingNameGivesNothingAndWarnsOnce()
    {
        const QString name = u"ic_no_such_image"_s;
        QVERIFY(!KitImages::contains(name));
        QVERIFY(!KitImages::contains(QString()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(name));
        QVERIFY(KitImages::pixmap(name, QSize(24, 24)).isNull());
        QTest::failOnWarning(QRegularExpression(name));
        QVERIFY(KitImages::pixmap(name, QSize(24, 24)).isNull());
        QVERIFY(KitImages::icon(name).isNull());
        QVERIFY(!KitImages::defaultSize(name).isValid());
        QVERIFY(KitImages::pixmap(u"ic_task"_s, QSize(0, 0)).isNull());
    }

    void pixmapsAreCachedPerNameSizeAndRatio()
    {
        const QPixmap first = KitImages::pixmap(u"ic_app"_s, QSize(20, 20));
        QCOMPARE(KitImages::pixmap(u"ic_app"_s, QSize(20, 20)).cacheKey(), first.cacheKey());
        QVERIFY(KitImages::pixmap(u"ic_app"_s, QSize(20, 20), 2.0).cacheKey() != first.cacheKey());
        QVERIFY(KitImages::pixmap(u"ic_app"_s, QSize(21, 20)).cacheKey() != first.cacheKey());
        QVERIFY(KitImages::pixmap(u"ic_app_sel"_s, QSize(20, 20)).cacheKey() != first.cacheKey());
    }

    void trayGlyphsSuitTheirPanels()
    {
        // "toplogo" goes on dark panels, "topicon_dark" on light ones.
        const QImage light = KitImages::pixmap(u"toplogo"_s, QSize(22, 22)).toImage();
        const QImage dark = KitImages::pixmap(u"topicon_dark"_s, QSize(22, 22)).toImage();
        QVERIFY(kittest::countNear(light, Qt::white, {}, 30) > 30);
        QCOMPARE(kittest::countNear(light, Qt::black, {}, 100), 0);
        QVERIFY(kittest::countNear(dark, Qt::black, {}, 60) > 30);
        QCOMPARE(kittest::countNear(dark, Qt::white, {}, 100), 0);
    }
};

static const bool registered = kittest::add<KitImagesTest>();

#include "KitImagesTest.moc"

#include "kit/KitImages.h"

#include "KitTests.h"

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
        QVERIFY2(kittest::opaqueCount(image) >= image.width() * image.height() / 50,
                 "the image draws almost nothing");
        QVERIFY(KitImages::defaultSize(name).isValid());
        QCOMPARE(KitImages::pixmap(name, QSize()).size(), KitImages::defaultSize(name));
    }
};

static const bool registered = registerTest<KitImagesTest>();

#include "KitImagesTest.moc"

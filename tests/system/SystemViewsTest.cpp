#include "kit/ImageButton.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/WidgetTestMain.h"
#include "system/LightViewController.h"
#include "system/SoundViewController.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString pactl(const QStringList& arguments)
{
    QProcess process;
    process.start(u"pactl"_s, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The default sink's volume in the server's units (65536 is 100%) and its mute state.
int sinkVolume()
{
    const QRegularExpressionMatch match =
        QRegularExpression(u"front-left: (\\d+)"_s)
            .match(pactl({u"get-sink-volume"_s, u"@DEFAULT_SINK@"_s}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool sinkMuted()
{
    return pactl({u"get-sink-mute"_s, u"@DEFAULT_SINK@"_s}).contains(u"yes"_s);
}

void setSink(const QString& volume, bool muted)
{
    pactl({u"set-sink-volume"_s, u"@DEFAULT_SINK@"_s, volume});
    pactl({u"set-sink-mute"_s, u"@DEFAULT_SINK@"_s, muted ? u"1"_s : u"0"_s});
}

} // namespace

class SystemViewsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (qEnvironmentVariableIsEmpty("PULSE_SERVER") || sinkVolume() < 0)
            QSKIP("needs the test environment's sound server (PULSE_SERVER) with a default sink");
    }

    void showsTheSinksVolume_data()
    {
        QTest::addColumn<QString>("sink");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("speaker");
        QTest::newRow("under one percent") << u"0.5%"_s << 0 << u"ic_volume_no"_s;
        QTest::newRow("forty percent") << u"40%"_s << 40 << u"ic_volume"_s;
        QTest::newRow("above normal") << u"130%"_s << 100 << u"ic_volume"_s;
        QTest::newRow("no sound server") << QString() << 0 << u"ic_volume_no"_s;
    }
    void showsTheSinksVolume()
    {
        QFETCH(QString, sink);
        QFETCH(int, slider);
        QFETCH(QString, speaker);
        setSink(sink.isEmpty() ? u"40%"_s : sink, false);
        const int before = sinkVolume();
        std::optional<ScopedEnvironmentVariable> stopped;
        if (sink.isEmpty())
            stopped.emplace("PULSE_SERVER", "unix:/nonexistent/native");
        SoundViewController view;
        QSignalSpy loaded(&view, &SoundViewController::soundValueLoaded);
        QVERIFY(loaded.wait(10000));
        stopped.reset();
        QCOMPARE(view.slider()->value(), slider);
        QCOMPARE(view.closeSoundButton()->imageName(), speaker);
        // Showing a value never writes it back.
        QCOMPARE(sinkVolume(), before);
    }

    void sliderChangesSetTheVolumeAndUnmute_data()
    {
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("volume");
        QTest::newRow("zero is the quietest level, not mute") << 0 << 66; // 0.001 of 65536
        QTest::newRow("thirty") << 30 << 19661;
    }
    void sliderChangesSetTheVolumeAndUnmute()
    {
        QFETCH(int, slider);
        QFETCH(int, volume);
        setSink(u"50%"_s, true);
        SoundViewController view;
        QSignalSpy loaded(&view, &SoundViewController::soundValueLoaded);
        QVERIFY(loaded.wait(10000));
        QSignalSpy written(&view, &SoundViewController::soundValueWritten);
        view.slider()->setValue(slider);
        QVERIFY(written.wait(10000));
        QCOMPARE(written.constFirst().constFirst().toString(), QString());
        QCOMPARE(sinkVolume(), volume);
        QVERIFY(!sinkMuted());
    }

    void followsChangesMadeElsewhere()
    {
        setSink(u"20%"_s, false);
        SoundViewController view;
        QSignalSpy loaded(&view, &SoundViewController::soundValueLoaded);
        view.show();
        QVERIFY(loaded.wait(10000));
        pactl({u"set-sink-volume"_s, u"@DEFAULT_SINK@"_s, u"70%"_s});
        QTRY_COMPARE_WITH_TIMEOUT(view.slider()->value(), 70, 10000);
    }

    // Two backlights in a fixture tree: the slider shows the first and sets both.
    void brightnessSliderSetsEveryDisplay()
    {
        QTemporaryDir root;
        QVERIFY(files::writeFile(root.filePath(u"sys/class/backlight/a/max_brightness"_s), "200"));
        QVERIFY(files::writeFile(root.filePath(u"sys/class/backlight/a/brightness"_s), "50"));
        QVERIFY(files::writeFile(root.filePath(u"sys/class/backlight/b/max_brightness"_s), "10"));
        QVERIFY(files::writeFile(root.filePath(u"sys/class/backlight/b/brightness"_s), "10"));
        LightViewController view(Backlight(root.path()), nullptr);
        QSignalSpy loaded(&view, &LightViewController::brightnessLoaded);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(view.slider()->value(), 25);
        QSignalSpy written(&view, &LightViewController::brightnessWritten);
        view.slider()->setValue(60);
        QVERIFY(written.wait(10000));
        LightViewController reopened(Backlight(root.path()), nullptr);
        QSignalSpy reloaded(&reopened, &LightViewController::brightnessLoaded);
        QVERIFY(reloaded.wait(10000));
        QCOMPARE(reopened.slider()->value(), 60);
        QCOMPARE(Backlight(root.path()).brightnessOf(u"b"_s), 0.6);
    }
};

CORVELLA_WIDGET_TEST_MAIN(SystemViewsTest)

#include "SystemViewsTest.moc"

#include "kit/ImageButton.h"
#include "support/Files.h"
#include "support/LoopVolume.h"
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
    return runCommand(u"pactl"_s, arguments).output;
}

// The default sink's volume in the server's units (65536 is 100%) and its mute state.
int sinkVolume()
{
    const QRegularExpressionMatch match =
        QRegularExpression(u"front-left: (\\d+)"_s)
            .match(pactl({u"get-sink-volume"_s, u"@DEFAULT_SINK@"_s}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
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

    void showsTheSinksVolume()
    {
        const struct {
            const char* name;
            QString sink; // empty: no sound server
            int slider;
            QString speaker;
        } rows[] = {{"under one percent", u"0.5%"_s, 0, u"ic_volume_no"_s},
                    {"forty percent", u"40%"_s, 40, u"ic_volume"_s},
                    {"above normal", u"130%"_s, 100, u"ic_volume"_s},
                    {"no sound server", {}, 0, u"ic_volume_no"_s}};
        for (const auto& row : rows) {
            setSink(row.sink.isEmpty() ? u"40%"_s : row.sink, false);
            const int before = sinkVolume();
            std::optional<ScopedEnvironmentVariable> stopped;
            if (row.sink.isEmpty())
                stopped.emplace("PULSE_SERVER", "unix:/nonexistent/native");
            SoundViewController view;
            QVERIFY(QSignalSpy(&view, &SoundViewController::soundValueLoaded).wait(10000));
            stopped.reset();
            // Showing a value never writes it back.
            QCOMPARE(std::tuple(row.name, view.slider()->value(),
                                view.closeSoundButton()->imageName(), sinkVolume()),
                     std::tuple(row.name, row.slider, row.speaker, before));
        }
    }

    // 0 is the quietest level (0.001 of 65536), not mute.
    void sliderChangesSetTheVolumeAndUnmute()
    {
        for (const auto& [slider, volume] : {std::pair{0, 66}, {30, 19661}}) {
            setSink(u"50%"_s, true);
            SoundViewController view;
            QVERIFY(QSignalSpy(&view, &SoundViewController::soundValueLoaded).wait(10000));
            QSignalSpy written(&view, &SoundViewController::soundValueWritten);
            view.slider()->setValue(slider);
            QVERIFY(written.wait(10000));
            QCOMPARE(written.constFirst().constFirst().toString(), QString());
            const QString muted = pactl({u"get-sink-mute"_s, u"@DEFAULT_SINK@"_s});
            QCOMPARE(std::pair(sinkVolume(), muted.contains(u"yes"_s)), std::pair(volume, false));
        }
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
        for (const auto& [file, value] : {std::pair{"a/max_brightness", "200"},
                                          {"a/brightness", "50"},
                                          {"b/max_brightness", "10"},
                                          {"b/brightness", "10"}})
            QVERIFY(files::writeFile(
                root.filePath(u"sys/class/backlight/"_s + QLatin1StringView(file)), value));
        LightViewController view(Backlight(root.path()), nullptr);
        QVERIFY(QSignalSpy(&view, &LightViewController::brightnessLoaded).wait(10000));
        QCOMPARE(view.slider()->value(), 25);
        QSignalSpy written(&view, &LightViewController::brightnessWritten);
        view.slider()->setValue(60);
        QVERIFY(written.wait(10000));
        for (const QString& display : {u"a"_s, u"b"_s})
            QCOMPARE(Backlight(root.path()).brightnessOf(display), 0.6);
    }
};

CORVELLA_WIDGET_TEST_MAIN(SystemViewsTest)

#include "SystemViewsTest.moc"

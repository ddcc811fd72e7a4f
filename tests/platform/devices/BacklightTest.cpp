#include "platform/devices/Backlight.h"

#include "platform/standins/LogindStandInTest.h"
#include "support/Files.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// A fixture sysfs: each display a folder with max_brightness and brightness.
struct Display {
    QString name;
    QByteArray maximum; // empty: no max_brightness file
    QByteArray current;
};

QString makeTree(const QTemporaryDir& root, const QList<Display>& displays)
{
    QDir().mkpath(root.filePath(u"sys/class/backlight"_s));
    for (const Display& display : displays) {
        const QString folder = root.filePath(u"sys/class/backlight/"_s + display.name);
        if (!display.maximum.isEmpty())
            writeFile(folder + u"/max_brightness"_s, display.maximum + '\n');
        writeFile(folder + u"/brightness"_s, display.current + '\n');
    }
    return root.path();
}

// Displays in name order, not creation order; unreadable ones skipped. Writing every display's
// file directly is SystemViewsTest.brightnessSliderSetsEveryDisplay.
TEST(BacklightTest, ReadsTheFirstDisplayThatReportsAndCannotWriteNone)
{
    const struct {
        QList<Display> displays;
        float expected;
    } rows[] = {
        {{}, -1.0f},
        {{{u"intel_backlight"_s, "1000", "250"}, {u"acpi_video0"_s, "10", "8"}}, 0.8f},
        {{{u"a_broken"_s, "", "3"}, {u"b_zero"_s, "0", "0"}, {u"c_good"_s, "200", "50"}}, 0.25f},
        {{{u"a_broken"_s, "", "3"}, {u"b_text"_s, "x", "1"}}, -1.0f},
    };
    for (const auto& row : rows) {
        QTemporaryDir root;
        EXPECT_FLOAT_EQ(Backlight(makeTree(root, row.displays)).get_brightness(), row.expected)
            << row.displays.size() << " displays";
    }
    QTemporaryDir root;
    EXPECT_FALSE(Backlight(makeTree(root, {})).set_brightness(0.5f).isEmpty());
}

class BacklightLogindTest : public LogindStandInTest {};

TEST_F(BacklightLogindTest, WritesEveryDisplayThroughTheSession)
{
    QTemporaryDir root;
    const Backlight backlight(
        makeTree(root, {{u"acpi_video0"_s, "10", "1"}, {u"intel_backlight"_s, "1000", "100"}}),
        m_clientBus, Backlight::Writer::Logind);
    // The stand-in answers on this thread's event loop: the blocking write runs on another.
    QString error = u"(no answer)"_s;
    std::atomic<bool> done = false;
    std::thread writer([&] {
        error = backlight.set_brightness(0.3f);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&done] { return done.load(); }, 30000));
    writer.join();
    EXPECT_EQ(error, QString());

    QList<QVariantList> writes;
    for (const LoginManagerStandIn::Call& call : m_standIn.calls()) {
        if (call.member == u"SetBrightness") {
            EXPECT_EQ(call.path, LoginManagerStandIn::sessionPath());
            EXPECT_EQ(call.signature, u"ssu"_s);
            writes << call.arguments;
        }
    }
    EXPECT_EQ(writes, (QList<QVariantList>{{u"backlight"_s, u"acpi_video0"_s, 3u},
                                           {u"backlight"_s, u"intel_backlight"_s, 300u}}));
    // Logind writes the files itself; this process left them alone.
    EXPECT_EQ(readFile(root.filePath(u"sys/class/backlight/intel_backlight/brightness"_s)),
              "100\n");
}

} // namespace

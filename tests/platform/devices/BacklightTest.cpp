#include "platform/devices/Backlight.h"

#include "platform/standins/LoginManagerStandIn.h"
#include "support/Files.h"
#include "support/PrivateBus.h"

#include <QDBusConnectionInterface>
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
            files::writeFile(folder + u"/max_brightness"_s, display.maximum + '\n');
        files::writeFile(folder + u"/brightness"_s, display.current + '\n');
    }
    return root.path();
}

QByteArray contentOf(const QTemporaryDir& root, const QString& display)
{
    QFile file(root.filePath(u"sys/class/backlight/"_s + display + u"/brightness"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

struct ReadCase {
    const char* label;
    QList<Display> displays;
    float expected;
};

class BacklightReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(BacklightReadTest, ReadsTheFirstDisplayThatReports)
{
    QTemporaryDir root;
    const Backlight backlight(makeTree(root, GetParam().displays));
    EXPECT_FLOAT_EQ(backlight.get_brightness(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, BacklightReadTest,
    ::testing::Values(
        ReadCase{"none", {}, -1.0f},
        // Name order, not creation order.
        ReadCase{"twoInNameOrder",
                 {{u"intel_backlight"_s, "1000", "250"}, {u"acpi_video0"_s, "10", "8"}},
                 0.8f},
        ReadCase{"unreadableSkipped",
                 {{u"a_broken"_s, "", "3"}, {u"b_zero"_s, "0", "0"}, {u"c_good"_s, "200", "50"}},
                 0.25f},
        ReadCase{"noneReadable", {{u"a_broken"_s, "", "3"}, {u"b_text"_s, "x", "1"}}, -1.0f}),
    [](const auto& info) { return std::string(info.param.label); });

// Writing every display's file directly: SystemViewsTest.brightnessSliderSetsEveryDisplay.
TEST(BacklightWriteTest, NoDisplayIsAnError)
{
    QTemporaryDir root;
    EXPECT_FALSE(Backlight(makeTree(root, {})).set_brightness(0.5f).isEmpty());
}

// The private system bus of the test environment (never the machine's own), with a stand-in
// logind owning its name.
TEST(BacklightLogindTest, WritesEveryDisplayThroughTheSession)
{
    const QString address = privateBusAddress("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty())
        GTEST_SKIP() << "needs the private system bus of the test environment";
    QDBusConnection standInBus = QDBusConnection::connectToBus(address, u"backlight-standin"_s);
    QDBusConnection clientBus = QDBusConnection::connectToBus(address, u"backlight-client"_s);
    LoginManagerStandIn standIn;
    ASSERT_TRUE(standInBus.registerVirtualObject(LoginManagerStandIn::path(), &standIn,
                                                 QDBusConnection::SubPath));
    ASSERT_EQ(standInBus.interface()
                  ->registerService(LoginManagerStandIn::serviceName(),
                                    QDBusConnectionInterface::DontQueueService)
                  .value(),
              QDBusConnectionInterface::ServiceRegistered);

    QTemporaryDir root;
    const Backlight backlight(
        makeTree(root, {{u"acpi_video0"_s, "10", "1"}, {u"intel_backlight"_s, "1000", "100"}}),
        clientBus, Backlight::Writer::Logind);
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
    for (const LoginManagerStandIn::Call& call : standIn.calls()) {
        if (call.member == u"SetBrightness") {
            EXPECT_EQ(call.path, LoginManagerStandIn::sessionPath());
            EXPECT_EQ(call.signature, u"ssu"_s);
            writes << call.arguments;
        }
    }
    const QList<QVariantList> expected{
        {u"backlight"_s, u"acpi_video0"_s, 3u},
        {u"backlight"_s, u"intel_backlight"_s, 300u},
    };
    EXPECT_EQ(writes, expected);
    // Logind writes the files itself; this process left them alone.
    EXPECT_EQ(contentOf(root, u"intel_backlight"_s), "100");

    standInBus.interface()->unregisterService(LoginManagerStandIn::serviceName());
    standInBus.unregisterObject(LoginManagerStandIn::path(), QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromBus(u"backlight-client"_s);
    QDBusConnection::disconnectFromBus(u"backlight-standin"_s);
}

} // namespace

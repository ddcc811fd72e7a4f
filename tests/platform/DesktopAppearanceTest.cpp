#include "platform/DesktopAppearance.h"

#include "platform/standins/SettingsPortalStandIn.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace {

constexpr int replyTimeoutMs = 10000;

const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");

class DesktopAppearanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
        if (address.isEmpty()) {
            GTEST_SKIP() << "needs a private session bus in DBUS_SESSION_BUS_ADDRESS";
        }
        m_portalBus = QDBusConnection::connectToBus(address, QStringLiteral("portal-standin"));
        m_clientBus = QDBusConnection::connectToBus(address, QStringLiteral("portal-client"));
        ASSERT_TRUE(m_portalBus.isConnected()) << m_portalBus.lastError().message().toStdString();
        ASSERT_TRUE(m_clientBus.isConnected()) << m_clientBus.lastError().message().toStdString();
        if (m_clientBus.interface()->isServiceRegistered(SettingsPortalStandIn::serviceName())) {
            GTEST_SKIP() << "a settings portal already runs on this session bus; run the test "
                            "on a private one";
        }
        ASSERT_TRUE(m_portalBus.registerVirtualObject(SettingsPortalStandIn::path(), &m_portal));
    }

    void TearDown() override
    {
        if (m_portalBus.isConnected()) {
            m_portalBus.unregisterObject(SettingsPortalStandIn::path());
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("portal-client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("portal-standin"));
    }

    void startPortal()
    {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            m_portalBus.interface()->registerService(
                SettingsPortalStandIn::serviceName(), QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement);
        ASSERT_EQ(reply.value(), QDBusConnectionInterface::ServiceRegistered)
            << reply.error().message().toStdString();
    }

    void stopPortal()
    {
        ASSERT_TRUE(m_portalBus.interface()
                        ->unregisterService(SettingsPortalStandIn::serviceName())
                        .value());
    }

    void emitColorScheme(uint value)
    {
        SettingsPortalStandIn::emitSettingChanged(m_portalBus, appearance, colorScheme, value);
    }

    // Waits until `changes` holds `count` emissions; false after the deadline.
    static bool waitForChanges(QSignalSpy& changes, qsizetype count)
    {
        return QTest::qWaitFor([&] { return changes.count() >= count; }, replyTimeoutMs);
    }

    SettingsPortalStandIn m_portal;
    QDBusConnection m_portalBus{QString()};
    QDBusConnection m_clientBus{QString()};
};

struct ReadingCase {
    const char* name;
    bool legacyPortal;
    uint colorScheme;
    bool prefersDark;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ReadingCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class DesktopAppearanceReadingTest : public DesktopAppearanceTest,
                                     public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(DesktopAppearanceReadingTest, ReadsTheColorSchemeAtStart)
{
    m_portal.setLegacy(GetParam().legacyPortal);
    m_portal.setColorScheme(GetParam().colorScheme);
    ASSERT_NO_FATAL_FAILURE(startPortal());

    DesktopAppearance desktop(m_clientBus);
    QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
    EXPECT_EQ(desktop.prefersDark(), std::nullopt) << "the answer arrives later";
    ASSERT_TRUE(waitForChanges(changes, 1));
    EXPECT_EQ(desktop.prefersDark(), std::optional<bool>(GetParam().prefersDark));
    const QStringList expectedCalls =
        GetParam().legacyPortal ? QStringList{QStringLiteral("ReadOne"), QStringLiteral("Read")}
                                : QStringList{QStringLiteral("ReadOne")};
    EXPECT_EQ(m_portal.members(), expectedCalls);
}

INSTANTIATE_TEST_SUITE_P(Portals, DesktopAppearanceReadingTest,
                         ::testing::Values(ReadingCase{"Dark", false, 1, true},
                                           ReadingCase{"Light", false, 2, false},
                                           ReadingCase{"LegacyDark", true, 1, true},
                                           ReadingCase{"LegacyLight", true, 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopAppearanceTest, FollowsSettingChangedAndIgnoresOtherSettings)
{
    m_portal.setColorScheme(2);
    ASSERT_NO_FATAL_FAILURE(startPortal());
    DesktopAppearance desktop(m_clientBus);
    QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
    ASSERT_TRUE(waitForChanges(changes, 1));
    ASSERT_EQ(desktop.prefersDark(), std::optional<bool>(false));

    // Signals arrive in the order sent, so the two unrelated ones are handled before the third.
    SettingsPortalStandIn::emitSettingChanged(m_portalBus, appearance,
                                              QStringLiteral("accent-color"), 1u);
    SettingsPortalStandIn::emitSettingChanged(
        m_portalBus, QStringLiteral("org.gnome.desktop.interface"), colorScheme, 1u);
    emitColorScheme(1);
    ASSERT_TRUE(waitForChanges(changes, 2));
    EXPECT_EQ(desktop.prefersDark(), std::optional<bool>(true));

    emitColorScheme(0);
    ASSERT_TRUE(waitForChanges(changes, 3));
    EXPECT_EQ(desktop.prefersDark(), std::nullopt) << "no preference leaves it to the palette";

    emitColorScheme(2);
    ASSERT_TRUE(waitForChanges(changes, 4));
    EXPECT_EQ(desktop.prefersDark(), std::optional<bool>(false));
    EXPECT_EQ(changes.count(), 4);
}

TEST_F(DesktopAppearanceTest, NoPreferenceOrUnknownSettingGivesNoAnswer)
{
    for (const std::optional<uint> scheme : {std::optional<uint>(0), std::optional<uint>()}) {
        m_portal.setColorScheme(scheme);
        ASSERT_NO_FATAL_FAILURE(startPortal());
        const int readsBefore = m_portal.readCount();
        DesktopAppearance desktop(m_clientBus);
        QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return m_portal.readCount() > readsBefore; }, replyTimeoutMs));
        // The change sent after the reply is handled after it: one emission means the reply
        // itself changed nothing.
        emitColorScheme(1);
        ASSERT_TRUE(waitForChanges(changes, 1));
        EXPECT_EQ(desktop.prefersDark(), std::optional<bool>(true));
        EXPECT_EQ(changes.count(), 1);
        ASSERT_NO_FATAL_FAILURE(stopPortal());
    }
}

TEST_F(DesktopAppearanceTest, FollowsThePortalLeavingAndArriving)
{
    DesktopAppearance desktop(m_clientBus);
    QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
    EXPECT_EQ(desktop.prefersDark(), std::nullopt);

    m_portal.setColorScheme(1);
    ASSERT_NO_FATAL_FAILURE(startPortal());
    ASSERT_TRUE(waitForChanges(changes, 1));
    EXPECT_EQ(desktop.prefersDark(), std::optional<bool>(true));

    ASSERT_NO_FATAL_FAILURE(stopPortal());
    ASSERT_TRUE(waitForChanges(changes, 2));
    EXPECT_EQ(desktop.prefersDark(), std::nullopt);
}

TEST_F(DesktopAppearanceTest, AChangeWinsOverAnOlderReadingThatArrivesLater)
{
    m_portal.setColorScheme(1);
    m_portal.setHoldingReplies(true);
    ASSERT_NO_FATAL_FAILURE(startPortal());
    DesktopAppearance desktop(m_clientBus);
    QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_portal.readCount() >= 1; }, replyTimeoutMs));

    emitColorScheme(2);
    ASSERT_TRUE(waitForChanges(changes, 1));
    EXPECT_EQ(desktop.prefersDark(), std::optional<bool>(false));

    // The held reading (dark) now arrives, followed by a marker change to "no preference".
    m_portal.releaseHeldReplies();
    emitColorScheme(0);
    ASSERT_TRUE(waitForChanges(changes, 2));
    EXPECT_EQ(desktop.prefersDark(), std::nullopt);
    EXPECT_EQ(changes.count(), 2) << "the late reading must not have switched to dark";
}

} // namespace

#include "platform/dbus/DesktopAppearance.h"

#include "platform/standins/SettingsPortalStandIn.h"

#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString appearance = u"org.freedesktop.appearance"_s;
const QString colorScheme = u"color-scheme"_s;
const std::optional<bool> dark(true);
const std::optional<bool> light(false);

// A settings portal stand-in on the test environment's session bus, its name not yet taken.
class DesktopAppearanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
        if (address.isEmpty())
            GTEST_SKIP() << "needs a private session bus in DBUS_SESSION_BUS_ADDRESS";
        m_portalBus = QDBusConnection::connectToBus(address, u"portal-standin"_s);
        m_clientBus = QDBusConnection::connectToBus(address, u"portal-client"_s);
        ASSERT_TRUE(m_portalBus.isConnected() && m_clientBus.isConnected());
        if (m_clientBus.interface()->isServiceRegistered(SettingsPortalStandIn::serviceName()))
            GTEST_SKIP() << "a settings portal already runs on this session bus";
        ASSERT_TRUE(m_portalBus.registerVirtualObject(SettingsPortalStandIn::path(), &m_portal));
    }

    void TearDown() override
    {
        m_portalBus.unregisterObject(SettingsPortalStandIn::path());
        QDBusConnection::disconnectFromBus(u"portal-client"_s);
        QDBusConnection::disconnectFromBus(u"portal-standin"_s);
    }

    // The portal arrives on the bus or leaves it.
    void runPortal(bool running)
    {
        QDBusConnectionInterface* bus = m_portalBus.interface();
        const QString name = SettingsPortalStandIn::serviceName();
        ASSERT_TRUE(running ? bus->registerService(name).value() ==
                                  QDBusConnectionInterface::ServiceRegistered
                            : bus->unregisterService(name).value());
    }
    void emitColorScheme(uint value)
    {
        SettingsPortalStandIn::emitSettingChanged(m_portalBus, appearance, colorScheme, value);
    }
    static bool waitForChanges(QSignalSpy& changes, qsizetype count)
    {
        return QTest::qWaitFor([&] { return changes.count() >= count; }, 10000);
    }

    SettingsPortalStandIn m_portal;
    QDBusConnection m_portalBus{QString()};
    QDBusConnection m_clientBus{QString()};
};

TEST_F(DesktopAppearanceTest, ReadsTheColorSchemeAtStartWithoutWaitingForIt)
{
    const std::pair<std::optional<uint>, std::optional<bool>> rows[] = {
        {1, dark}, {0, std::nullopt}, {std::nullopt, std::nullopt}};
    for (const auto& [scheme, expected] : rows) {
        m_portal.setColorScheme(scheme);
        ASSERT_NO_FATAL_FAILURE(runPortal(true));
        const qsizetype callsBefore = m_portal.members().size();
        DesktopAppearance desktop(m_clientBus);
        QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
        EXPECT_EQ(desktop.prefersDark(), std::nullopt) << "the answer arrives later";
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return m_portal.members().size() > callsBefore; }, 10000));
        ASSERT_TRUE(waitForChanges(changes, expected ? 1 : 0));
        EXPECT_EQ(desktop.prefersDark(), expected);
        // A change handled after the reply: one emission more means the reply changed nothing else.
        emitColorScheme(expected == dark ? 2 : 1);
        ASSERT_TRUE(waitForChanges(changes, expected ? 2 : 1));
        EXPECT_EQ(changes.count(), expected ? 2 : 1);
        EXPECT_EQ(m_portal.members().mid(callsBefore), QStringList{u"ReadOne"_s});
        ASSERT_NO_FATAL_FAILURE(runPortal(false));
    }
}

TEST_F(DesktopAppearanceTest, FollowsThePortalArrivingChangingAndLeaving)
{
    DesktopAppearance desktop(m_clientBus);
    QSignalSpy changes(&desktop, &DesktopAppearance::colorSchemeChanged);
    m_portal.setColorScheme(2);
    ASSERT_NO_FATAL_FAILURE(runPortal(true));
    ASSERT_TRUE(waitForChanges(changes, 1));
    ASSERT_EQ(desktop.prefersDark(), light);
    // Signals arrive in order: the unrelated two (which would change the answer) come first.
    SettingsPortalStandIn::emitSettingChanged(m_portalBus, appearance, u"accent-color"_s, 0u);
    SettingsPortalStandIn::emitSettingChanged(m_portalBus, u"org.gnome.desktop.interface"_s,
                                              colorScheme, 0u);
    const std::pair<uint, std::optional<bool>> steps[] = {{1, dark}, {0, std::nullopt}, {2, light}};
    for (int step = 0; step < 3; ++step) {
        emitColorScheme(steps[step].first);
        ASSERT_TRUE(waitForChanges(changes, step + 2));
        EXPECT_EQ(desktop.prefersDark(), steps[step].second) << "scheme " << steps[step].first;
    }
    EXPECT_EQ(changes.count(), 4);
    ASSERT_NO_FATAL_FAILURE(runPortal(false));
    ASSERT_TRUE(waitForChanges(changes, 5));
    EXPECT_EQ(desktop.prefersDark(), std::nullopt) << "a portal that left has no answer";
}

} // namespace

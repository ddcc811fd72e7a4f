#pragma once

#include "platform/PowerService.h"
#include "platform/standins/LoginManagerStandIn.h"
#include "support/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QSignalSpy>

#include <gtest/gtest.h>

// A stand-in logind on the test environment's private system bus, never the machine's own, so
// that no request can power off, suspend or end a session. It owns the name unless ownsName()
// says not to; m_clientBus is the code's connection to that bus.
class LogindStandInTest : public ::testing::Test {
protected:
    virtual bool ownsName() const { return true; }
    void SetUp() override
    {
        const QString address = privateBusAddress("DBUS_SYSTEM_BUS_ADDRESS");
        if (address.isEmpty())
            GTEST_SKIP() << "needs the private system bus of the test environment";
        m_standInBus = QDBusConnection::connectToBus(address, QStringLiteral("login1-standin"));
        m_clientBus = QDBusConnection::connectToBus(address, QStringLiteral("login1-client"));
        ASSERT_TRUE(m_standInBus.isConnected() && m_clientBus.isConnected());
        ASSERT_TRUE(m_standInBus.registerVirtualObject(LoginManagerStandIn::path(), &m_standIn,
                                                       QDBusConnection::SubPath));
        const QString name = LoginManagerStandIn::serviceName();
        ASSERT_FALSE(m_clientBus.interface()->isServiceRegistered(name).value());
        ASSERT_TRUE(!ownsName() || m_standInBus.registerService(name));
    }
    void TearDown() override
    {
        m_standInBus.unregisterObject(LoginManagerStandIn::path(), QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(QStringLiteral("login1-client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("login1-standin"));
    }

    // Requests `action` and answers the error of the one `finished`, or "(no answer)".
    static QString requestAndWait(PowerService& service, PowerAction action)
    {
        QSignalSpy finished(&service, &PowerService::finished);
        service.request(action);
        EXPECT_EQ(finished.count(), 0) << "finished must not be emitted from inside request()";
        if (!finished.wait(10000))
            return QStringLiteral("(no answer)");
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).value<PowerAction>(), action);
        return finished.at(0).at(1).toString();
    }

    LoginManagerStandIn m_standIn;
    QDBusConnection m_standInBus{QString()};
    QDBusConnection m_clientBus{QString()};
};

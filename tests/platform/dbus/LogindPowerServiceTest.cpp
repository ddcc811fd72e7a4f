#include "platform/dbus/LogindPowerService.h"

#include "platform/standins/LoginManagerStandIn.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A stand-in logind on the private system bus, owning the name unless the fixture says not to.
class LogindPowerServiceTest : public ::testing::Test {
protected:
    virtual bool ownsName() const { return true; }
    void SetUp() override
    {
        const QString address = privateBusAddress("DBUS_SYSTEM_BUS_ADDRESS");
        if (address.isEmpty()) {
            GTEST_SKIP() << "needs a private system bus in DBUS_SYSTEM_BUS_ADDRESS (not the "
                            "machine's own), so that no request can reach the real logind";
        }
        m_standInBus = QDBusConnection::connectToBus(address, u"login1-standin"_s);
        m_clientBus = QDBusConnection::connectToBus(address, u"login1-client"_s);
        ASSERT_TRUE(m_standInBus.isConnected() && m_clientBus.isConnected());
        ASSERT_TRUE(m_standInBus.registerVirtualObject(LoginManagerStandIn::path(), &m_standIn,
                                                       QDBusConnection::SubPath));
        const QString name = LoginManagerStandIn::serviceName();
        ASSERT_FALSE(m_clientBus.interface()->isServiceRegistered(name).value());
        if (!ownsName())
            return;
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            m_standInBus.interface()->registerService(
                name, QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement);
        ASSERT_EQ(reply.value(), QDBusConnectionInterface::ServiceRegistered)
            << reply.error().message().toStdString();
        ASSERT_EQ(m_clientBus.interface()->serviceOwner(name).value(), m_standInBus.baseService());
    }
    void TearDown() override
    {
        m_standInBus.unregisterObject(LoginManagerStandIn::path(), QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(u"login1-client"_s);
        QDBusConnection::disconnectFromBus(u"login1-standin"_s);
    }

    // The error carried by the one `finished`.
    QString requestAndWait(PowerAction action)
    {
        LogindPowerService service(m_clientBus);
        QSignalSpy finished(&service, &PowerService::finished);
        service.request(action);
        EXPECT_EQ(finished.count(), 0) << "finished must not be emitted from inside request()";
        if (!finished.wait(10000))
            return u"(no answer)"_s;
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).value<PowerAction>(), action);
        return finished.at(0).at(1).toString();
    }

    LoginManagerStandIn m_standIn;
    QDBusConnection m_standInBus{QString()};
    QDBusConnection m_clientBus{QString()};
};

class LogindMissingTest : public LogindPowerServiceTest {
    bool ownsName() const override { return false; }
};

TEST_F(LogindPowerServiceTest, PowerActionsCallTheManagerInteractively)
{
    const std::pair<PowerAction, QString> rows[] = {{PowerAction::PowerOff, u"PowerOff"_s},
                                                    {PowerAction::Suspend, u"Suspend"_s},
                                                    {PowerAction::Reboot, u"Reboot"_s}};
    for (const auto& [action, member] : rows) {
        EXPECT_EQ(requestAndWait(action), QString()) << member.toStdString();
        const LoginManagerStandIn::Call call = m_standIn.calls().constLast();
        EXPECT_EQ(QStringList({call.path, call.interface, call.member, call.signature}),
                  QStringList({u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
                               member, u"b"_s}));
        EXPECT_EQ(call.arguments, QVariantList{true});
        EXPECT_TRUE(call.interactive);
    }
    EXPECT_EQ(m_standIn.calls().size(), 3);
}

TEST_F(LogindPowerServiceTest, LogOutTerminatesTheSessionOfTheEnvironmentOrOfThisProcess)
{
    {
        const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", QByteArray("c7"));
        EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());
    }
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());

    const QList<LoginManagerStandIn::Call> calls = m_standIn.calls();
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ((QStringList{calls[0].member, calls[1].member, calls[1].signature, calls[2].member}),
              (QStringList{u"TerminateSession"_s, u"GetSessionByPID"_s, u"u"_s, u"Terminate"_s}));
    EXPECT_EQ(calls[0].arguments, QVariantList{u"c7"_s});
    EXPECT_EQ(calls[1].arguments, QVariantList{uint(::getpid())});
    EXPECT_EQ(calls[2].path + u' ' + calls[2].interface,
              LoginManagerStandIn::sessionPath() + u" org.freedesktop.login1.Session");
}

TEST_F(LogindPowerServiceTest, RefusalsAreReportedWithTheirMessage)
{
    const QString refusal = u"There's already a shutdown or sleep operation in progress"_s;
    // Refusals add up; the session lookup comes last, as Terminate needs it.
    const struct {
        PowerAction action;
        std::optional<QByteArray> sessionId;
        const char* refused;
    } rows[] = {{PowerAction::Suspend, std::nullopt, "Suspend"},
                {PowerAction::LogOut, QByteArray("c7"), "TerminateSession"},
                {PowerAction::LogOut, std::nullopt, "Terminate"},
                {PowerAction::LogOut, std::nullopt, "GetSessionByPID"}};
    for (const auto& row : rows) {
        const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", row.sessionId);
        m_standIn.refuse(QString::fromLatin1(row.refused),
                         u"org.freedesktop.login1.OperationInProgress"_s, refusal);
        const QString error = requestAndWait(row.action);
        EXPECT_TRUE(error.contains(refusal)) << row.refused << ": " << error.toStdString();
        EXPECT_EQ(m_standIn.calls().constLast().member, QString::fromLatin1(row.refused));
    }
}

TEST_F(LogindMissingTest, EveryActionReportsTheMissingLoginManager)
{
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    for (const PowerAction action : {PowerAction::Suspend, PowerAction::LogOut}) {
        const QString error = requestAndWait(action);
        EXPECT_TRUE(error.contains(LoginManagerStandIn::serviceName())) << error.toStdString();
    }
    EXPECT_TRUE(m_standIn.calls().isEmpty());
}

TEST_F(LogindMissingTest, AnUnreachableBusIsReported)
{
    const QTemporaryDir folder;
    m_clientBus = QDBusConnection::connectToBus(u"unix:path="_s + folder.filePath(u"no-bus"_s),
                                                u"login1-unreachable"_s);
    QDBusConnection::disconnectFromBus(u"login1-unreachable"_s);
    ASSERT_FALSE(m_clientBus.isConnected());

    const QString error = requestAndWait(PowerAction::Suspend);
    EXPECT_TRUE(error.contains(u"system bus is not reachable")) << error.toStdString();
}

} // namespace

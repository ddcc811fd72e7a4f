#include "platform/LogindPowerService.h"

#include "platform/standins/LoginManagerStandIn.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Whether the socket is the machine's own system bus, where a real logind would act on requests.
bool isRealSystemBusSocket(const QString& socketPath)
{
    const QFileInfo socket(socketPath);
    const QString resolved =
        socket.exists() ? socket.canonicalFilePath() : socket.absoluteFilePath();
    for (const QString& real :
         {u"/run/dbus/system_bus_socket"_s, u"/var/run/dbus/system_bus_socket"_s}) {
        const QFileInfo realSocket(real);
        if (resolved == real || (realSocket.exists() && resolved == realSocket.canonicalFilePath()))
            return true;
    }
    return false;
}

// The address of a private system bus started for the tests, or nothing when
// DBUS_SYSTEM_BUS_ADDRESS is unset or names the machine's own system bus in any of its addresses.
std::optional<QString> privateSystemBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty())
        return std::nullopt;
    for (const QString& entry : address.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(u':');
        for (const QString& pair : entry.mid(colon + 1).split(u',', Qt::SkipEmptyParts)) {
            if (pair.startsWith(u"path=") && isRealSystemBusSocket(pair.mid(5)))
                return std::nullopt;
        }
    }
    return address;
}

// A stand-in logind registered on the private system bus; the derived fixture also owns its name.
class LogindPowerServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::optional<QString> address = privateSystemBusAddress();
        if (!address) {
            GTEST_SKIP() << "needs a private system bus in DBUS_SYSTEM_BUS_ADDRESS (not the "
                            "machine's own), so that no request can reach the real logind";
        }
        m_standInBus = QDBusConnection::connectToBus(*address, u"login1-standin"_s);
        m_clientBus = QDBusConnection::connectToBus(*address, u"login1-client"_s);
        ASSERT_TRUE(m_standInBus.isConnected()) << m_standInBus.lastError().message().toStdString();
        ASSERT_TRUE(m_clientBus.isConnected()) << m_clientBus.lastError().message().toStdString();
        ASSERT_TRUE(m_standInBus.registerVirtualObject(LoginManagerStandIn::path(), &m_standIn,
                                                       QDBusConnection::SubPath));
    }

    void TearDown() override
    {
        if (m_standInBus.isConnected())
            m_standInBus.unregisterObject(LoginManagerStandIn::path(),
                                          QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(u"login1-client"_s);
        QDBusConnection::disconnectFromBus(u"login1-standin"_s);
    }

    // Requests the action and waits for its one `finished`; returns the error it carried.
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

// Owns org.freedesktop.login1 with the stand-in, and checks that the client sees it as owner, so
// that a request can only reach the stand-in.
class LogindOwnedTest : public LogindPowerServiceTest {
protected:
    void SetUp() override
    {
        LogindPowerServiceTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            m_standInBus.interface()->registerService(
                LoginManagerStandIn::serviceName(), QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement);
        if (reply.error().type() == QDBusError::AccessDenied) {
            GTEST_SKIP() << "the private system bus does not let this user own "
                            "org.freedesktop.login1: "
                         << reply.error().message().toStdString();
        }
        ASSERT_EQ(reply.value(), QDBusConnectionInterface::ServiceRegistered)
            << reply.error().message().toStdString();
        ASSERT_EQ(m_clientBus.interface()->serviceOwner(LoginManagerStandIn::serviceName()).value(),
                  m_standInBus.baseService());
    }
};

TEST_F(LogindOwnedTest, PowerActionsCallTheManagerInteractively)
{
    const std::pair<PowerAction, QString> rows[] = {{PowerAction::PowerOff, u"PowerOff"_s},
                                                    {PowerAction::Suspend, u"Suspend"_s},
                                                    {PowerAction::Reboot, u"Reboot"_s}};
    for (const auto& [action, member] : rows) {
        EXPECT_EQ(requestAndWait(action), QString()) << member.toStdString();
        const LoginManagerStandIn::Call call = m_standIn.calls().constLast();
        EXPECT_EQ(call.path, u"/org/freedesktop/login1");
        EXPECT_EQ(call.interface, u"org.freedesktop.login1.Manager");
        EXPECT_EQ(call.member, member);
        EXPECT_EQ(call.signature, u"b");
        EXPECT_EQ(call.arguments, QVariantList{true});
        EXPECT_TRUE(call.interactive);
    }
    EXPECT_EQ(m_standIn.calls().size(), 3);
}

TEST_F(LogindOwnedTest, LogOutTerminatesTheSessionOfTheEnvironmentOrOfThisProcess)
{
    {
        const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", QByteArray("c7"));
        EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());
    }
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());

    const QList<LoginManagerStandIn::Call> calls = m_standIn.calls();
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0].member, u"TerminateSession");
    EXPECT_EQ(calls[0].arguments, QVariantList{u"c7"_s});
    EXPECT_EQ(calls[1].member, u"GetSessionByPID");
    EXPECT_EQ(calls[1].signature, u"u");
    EXPECT_EQ(calls[1].arguments, QVariantList{uint(::getpid())});
    EXPECT_EQ(calls[2].path, LoginManagerStandIn::sessionPath());
    EXPECT_EQ(calls[2].interface, u"org.freedesktop.login1.Session");
    EXPECT_EQ(calls[2].member, u"Terminate");
}

TEST_F(LogindOwnedTest, RefusalsAreReportedWithTheirMessage)
{
    const QString refusal = u"There's already a shutdown or sleep operation in progress"_s;
    // Each row refuses one more member; the session lookup comes last, as Terminate needs it.
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

TEST_F(LogindPowerServiceTest, WithoutLoginManagerEveryActionReportsThatItIsMissing)
{
    ASSERT_FALSE(
        m_clientBus.interface()->isServiceRegistered(LoginManagerStandIn::serviceName()).value());
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    for (const PowerAction action :
         {PowerAction::PowerOff, PowerAction::Suspend, PowerAction::Reboot, PowerAction::LogOut}) {
        const QString error = requestAndWait(action);
        EXPECT_TRUE(error.contains(LoginManagerStandIn::serviceName())) << error.toStdString();
    }
    EXPECT_TRUE(m_standIn.calls().isEmpty());
}

TEST_F(LogindPowerServiceTest, AnUnreachableBusIsReported)
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

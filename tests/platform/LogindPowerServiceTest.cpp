#include "platform/LogindPowerService.h"

#include "platform/standins/LoginManagerStandIn.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <unistd.h>

namespace {

constexpr int replyTimeoutMs = 10000;

// The machine's own system bus, where a real logind would act on these requests.
bool isRealSystemBusSocket(const QString& socketPath)
{
    const QStringList realSockets{QStringLiteral("/run/dbus/system_bus_socket"),
                                  QStringLiteral("/var/run/dbus/system_bus_socket")};
    const QFileInfo socket(socketPath);
    const QString resolved =
        socket.exists() ? socket.canonicalFilePath() : socket.absoluteFilePath();
    for (const QString& real : realSockets) {
        const QFileInfo realSocket(real);
        if (resolved == real ||
            (realSocket.exists() && resolved == realSocket.canonicalFilePath())) {
            return true;
        }
    }
    return false;
}

// The address of a private system bus started for the tests, or nothing when
// DBUS_SYSTEM_BUS_ADDRESS is unset or names the machine's own system bus in any of its addresses.
std::optional<QString> privateSystemBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& entry : address.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(u':');
        for (const QString& pair : entry.mid(colon + 1).split(u',', Qt::SkipEmptyParts)) {
            if (pair.startsWith(u"path=") && isRealSystemBusSocket(pair.mid(5))) {
                return std::nullopt;
            }
        }
    }
    return address;
}

class LogindPowerServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::optional<QString> address = privateSystemBusAddress();
        if (!address) {
            GTEST_SKIP() << "needs a private system bus in DBUS_SYSTEM_BUS_ADDRESS (not the "
                            "machine's own), so that no request can reach the real logind";
        }
        m_standInBus = QDBusConnection::connectToBus(*address, QStringLiteral("login1-standin"));
        m_clientBus = QDBusConnection::connectToBus(*address, QStringLiteral("login1-client"));
        ASSERT_TRUE(m_standInBus.isConnected()) << m_standInBus.lastError().message().toStdString();
        ASSERT_TRUE(m_clientBus.isConnected()) << m_clientBus.lastError().message().toStdString();
        ASSERT_TRUE(m_standInBus.registerVirtualObject(LoginManagerStandIn::path(), &m_standIn,
                                                       QDBusConnection::SubPath));
    }

    void TearDown() override
    {
        if (m_standInBus.isConnected()) {
            m_standInBus.unregisterObject(LoginManagerStandIn::path(),
                                          QDBusConnection::UnregisterTree);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("login1-client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("login1-standin"));
    }

    // Owns org.freedesktop.login1 with the stand-in and checks that the client sees it as owner,
    // so that a request can only reach the stand-in.
    void ownLoginName()
    {
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

    // Requests the action and waits for its one `finished`; returns the error it carried.
    QString requestAndWait(PowerAction action)
    {
        LogindPowerService service(m_clientBus);
        QSignalSpy finished(&service, &PowerService::finished);
        service.request(action);
        EXPECT_EQ(finished.count(), 0) << "finished must not be emitted from inside request()";
        if (!finished.wait(replyTimeoutMs)) {
            ADD_FAILURE() << "no finished signal";
            return QStringLiteral("(no answer)");
        }
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).value<PowerAction>(), action);
        return finished.at(0).at(1).toString();
    }

    LoginManagerStandIn m_standIn;
    QDBusConnection m_standInBus{QString()};
    QDBusConnection m_clientBus{QString()};
};

struct ManagerCase {
    PowerAction action;
    const char* member;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ManagerCase& testCase, std::ostream* stream)
{
    *stream << testCase.member;
}

class LogindPowerServiceActionTest : public LogindPowerServiceTest,
                                     public ::testing::WithParamInterface<ManagerCase> {};

TEST_P(LogindPowerServiceActionTest, CallsTheManagerInteractively)
{
    ownLoginName();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(requestAndWait(GetParam().action), QString());

    const QList<LoginManagerStandIn::Call> calls = m_standIn.calls();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].path, QStringLiteral("/org/freedesktop/login1"));
    EXPECT_EQ(calls[0].interface, QStringLiteral("org.freedesktop.login1.Manager"));
    EXPECT_EQ(calls[0].member, QString::fromLatin1(GetParam().member));
    EXPECT_EQ(calls[0].signature, QStringLiteral("b"));
    EXPECT_EQ(calls[0].arguments, QVariantList{true});
    EXPECT_TRUE(calls[0].interactive);
}

INSTANTIATE_TEST_SUITE_P(Actions, LogindPowerServiceActionTest,
                         ::testing::Values(ManagerCase{PowerAction::PowerOff, "PowerOff"},
                                           ManagerCase{PowerAction::Suspend, "Suspend"},
                                           ManagerCase{PowerAction::Reboot, "Reboot"}),
                         [](const auto& info) { return std::string(info.param.member); });

TEST_F(LogindPowerServiceTest, LogOutTerminatesTheSessionNamedByTheEnvironment)
{
    ownLoginName();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", QByteArray("c7"));
    EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());

    const QList<LoginManagerStandIn::Call> calls = m_standIn.calls();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].member, QStringLiteral("TerminateSession"));
    EXPECT_EQ(calls[0].arguments, QVariantList{QStringLiteral("c7")});
}

TEST_F(LogindPowerServiceTest, LogOutWithoutSessionIdTerminatesTheSessionOfThisProcess)
{
    ownLoginName();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());

    const QList<LoginManagerStandIn::Call> calls = m_standIn.calls();
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].member, QStringLiteral("GetSessionByPID"));
    EXPECT_EQ(calls[0].signature, QStringLiteral("u"));
    EXPECT_EQ(calls[0].arguments, QVariantList{uint(::getpid())});
    EXPECT_EQ(calls[1].path, LoginManagerStandIn::sessionPath());
    EXPECT_EQ(calls[1].interface, QStringLiteral("org.freedesktop.login1.Session"));
    EXPECT_EQ(calls[1].member, QStringLiteral("Terminate"));
}

struct RefusalCase {
    const char* name;
    PowerAction action;
    std::optional<QByteArray> sessionId;
    const char* refusedMember;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RefusalCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class LogindPowerServiceRefusalTest : public LogindPowerServiceTest,
                                      public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(LogindPowerServiceRefusalTest, ReportsTheRefusalInASentence)
{
    ownLoginName();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", GetParam().sessionId);
    m_standIn.refuse(QString::fromLatin1(GetParam().refusedMember),
                     QStringLiteral("org.freedesktop.login1.OperationInProgress"),
                     QStringLiteral("There's already a shutdown or sleep operation in progress"));

    EXPECT_EQ(requestAndWait(GetParam().action),
              QStringLiteral("The power request was refused: There's already a shutdown or sleep "
                             "operation in progress"));
    EXPECT_EQ(m_standIn.calls().constLast().member, QString::fromLatin1(GetParam().refusedMember));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, LogindPowerServiceRefusalTest,
    ::testing::Values(
        RefusalCase{"PowerOff", PowerAction::PowerOff, std::nullopt, "PowerOff"},
        RefusalCase{"Suspend", PowerAction::Suspend, std::nullopt, "Suspend"},
        RefusalCase{"Reboot", PowerAction::Reboot, std::nullopt, "Reboot"},
        RefusalCase{"TerminateSession", PowerAction::LogOut, QByteArray("c7"), "TerminateSession"},
        RefusalCase{"SessionLookup", PowerAction::LogOut, std::nullopt, "GetSessionByPID"},
        RefusalCase{"SessionTerminate", PowerAction::LogOut, std::nullopt, "Terminate"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogindPowerServiceTest, WithoutLoginManagerEveryActionReportsThatItIsMissing)
{
    ASSERT_FALSE(
        m_clientBus.interface()->isServiceRegistered(LoginManagerStandIn::serviceName()).value());
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    for (const PowerAction action :
         {PowerAction::PowerOff, PowerAction::Suspend, PowerAction::Reboot, PowerAction::LogOut}) {
        const QString error = requestAndWait(action);
        EXPECT_TRUE(error.startsWith(u"The login manager (org.freedesktop.login1) "))
            << error.toStdString();
    }
    EXPECT_TRUE(m_standIn.calls().isEmpty());
}

TEST_F(LogindPowerServiceTest, AnUnreachableBusReportsThatTheRequestCouldNotBeSent)
{
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString address =
        QStringLiteral("unix:path=") + folder.filePath(QStringLiteral("no-bus"));
    m_clientBus = QDBusConnection::connectToBus(address, QStringLiteral("login1-unreachable"));
    QDBusConnection::disconnectFromBus(QStringLiteral("login1-unreachable"));
    ASSERT_FALSE(m_clientBus.isConnected());

    const QString error = requestAndWait(PowerAction::Suspend);
    EXPECT_TRUE(error.startsWith(u"The power request could not be sent because the system bus is "
                                 u"not reachable: "))
        << error.toStdString();
}

} // namespace

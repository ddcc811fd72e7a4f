#include "platform/dbus/LogindPowerService.h"

#include "platform/standins/LogindStandInTest.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class LogindPowerServiceTest : public LogindStandInTest {
protected:
    QString requestAndWait(PowerAction action)
    {
        LogindPowerService service(m_clientBus);
        return LogindStandInTest::requestAndWait(service, action);
    }
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

TEST_F(LogindMissingTest, EveryActionReportsTheMissingLoginManagerOrBus)
{
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", std::nullopt);
    for (const PowerAction action : {PowerAction::Suspend, PowerAction::LogOut}) {
        const QString error = requestAndWait(action);
        EXPECT_TRUE(error.contains(LoginManagerStandIn::serviceName())) << error.toStdString();
    }
    EXPECT_TRUE(m_standIn.calls().isEmpty());

    const QTemporaryDir folder;
    m_clientBus = QDBusConnection::connectToBus(u"unix:path="_s + folder.filePath(u"no-bus"_s),
                                                u"login1-unreachable"_s);
    QDBusConnection::disconnectFromBus(u"login1-unreachable"_s);
    ASSERT_FALSE(m_clientBus.isConnected());
    const QString error = requestAndWait(PowerAction::Suspend);
    EXPECT_TRUE(error.contains(u"system bus is not reachable")) << error.toStdString();
}

} // namespace

#include "platform/dbus/DesktopPowerService.h"

#include "platform/standins/LogindStandInTest.h"
#include "support/ChildProcess.h"
#include "support/ScopedEnvironmentVariable.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    QStringList kinds; // the session managers running, for session_managers.py
    QStringList calls; // what the first running one receives on log out, power off and reboot
};
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.kinds.join(u',').toStdString();
}

// Stand-in session managers on the private session bus, print "READY", then one line per call.
class DesktopPowerServiceTest : public LogindStandInTest {
protected:
    void SetUp() override
    {
        if (privateBusAddress("DBUS_SESSION_BUS_ADDRESS").isEmpty())
            GTEST_SKIP() << "needs the test environment's private session and system buses";
        LogindStandInTest::SetUp();
    }
    void startSessionManagers(const QStringList& arguments)
    {
        m_standIns.emplace(u"/usr/bin/python3"_s,
                           QStringList{QStringLiteral(CORVELLA_SESSION_MANAGERS)} + arguments);
        ASSERT_EQ(nextCall(10000), u"READY"_s)
            << m_standIns->process.readAllStandardError().toStdString();
    }
    QString requestAndWait(PowerAction action)
    {
        DesktopPowerService service(QDBusConnection::sessionBus(), m_clientBus);
        return LogindStandInTest::requestAndWait(service, action);
    }
    QString nextCall(int timeout = 100)
    {
        QProcess& process = m_standIns->process;
        while (!process.canReadLine() && process.waitForReadyRead(timeout)) {
        }
        return QString::fromUtf8(process.readLine().trimmed());
    }

    std::optional<ChildProcess> m_standIns;
};

class DesktopPowerServiceRows : public DesktopPowerServiceTest,
                                public ::testing::WithParamInterface<Row> {};

TEST_P(DesktopPowerServiceRows, TheRunningSessionManagerGetsTheRequestAndLogindNothing)
{
    startSessionManagers(GetParam().kinds);
    const PowerAction actions[] = {PowerAction::LogOut, PowerAction::PowerOff, PowerAction::Reboot};
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(requestAndWait(actions[index]), QString());
        EXPECT_EQ(nextCall(), u"CALL " + GetParam().calls.value(index));
    }
    EXPECT_EQ(nextCall(), QString()) << "one call each";
    EXPECT_TRUE(m_standIn.calls().isEmpty());
}

const QString gnome =
    u"org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager "_s;
const QStringList gnomeCalls{gnome + u"Logout (uint32 0,)", gnome + u"Shutdown ()",
                             gnome + u"Reboot ()"};
const QString prompt = u"org.kde.LogoutPrompt /LogoutPrompt org.kde.LogoutPrompt prompt"_s;
const QStringList promptCalls{prompt + u"Logout ()", prompt + u"ShutDown ()",
                              prompt + u"Reboot ()"};
const QString ksm = u"org.kde.ksmserver /KSMServer org.kde.KSMServerInterface logout (1, "_s;
const QString xfce =
    u"org.xfce.SessionManager /org/xfce/SessionManager org.xfce.Session.Manager "_s;
INSTANTIATE_TEST_SUITE_P(
    Desktops, DesktopPowerServiceRows,
    ::testing::Values(Row{{u"gnome"_s}, gnomeCalls}, Row{{u"kde-prompt"_s}, promptCalls},
                      Row{{u"ksmserver"_s}, {ksm + u"0, -1)", ksm + u"2, -1)", ksm + u"1, -1)"}},
                      Row{{u"xfce"_s},
                          {xfce + u"Logout (true, true)", xfce + u"Shutdown (true,)",
                           xfce + u"Restart (true,)"}},
                      Row{{u"ksmserver"_s, u"kde-prompt"_s}, promptCalls},
                      Row{{u"xfce"_s, u"gnome"_s}, gnomeCalls}));

// Without a session manager logind ends the session; sleep always goes to logind; a session
// manager's refusal is reported without falling back to logind.
TEST_F(DesktopPowerServiceTest, LogindGetsSleepAndWhatNoSessionManagerTakes)
{
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", QByteArray("c7"));
    EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());
    EXPECT_EQ(requestAndWait(PowerAction::Reboot), QString());
    startSessionManagers({u"--refuse"_s, u"gnome"_s});
    EXPECT_EQ(requestAndWait(PowerAction::Suspend), QString());
    const QString error = requestAndWait(PowerAction::LogOut);
    EXPECT_TRUE(error.contains(u"org.gnome.SessionManager") &&
                error.contains(u"cancelled by the stand-in"))
        << error.toStdString();
    EXPECT_EQ(nextCall(), u"CALL " + gnomeCalls.first());
    QStringList members;
    for (const LoginManagerStandIn::Call& call : m_standIn.calls())
        members << call.member;
    EXPECT_EQ(members, (QStringList{u"TerminateSession"_s, u"Reboot"_s, u"Suspend"_s}))
        << "logind must not end a session the desktop kept";
}

} // namespace

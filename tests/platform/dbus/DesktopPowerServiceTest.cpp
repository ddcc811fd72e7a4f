#include "platform/dbus/DesktopPowerService.h"

#include "platform/standins/LogindStandInTest.h"
#include "support/ChildProcess.h"
#include "support/ScopedEnvironmentVariable.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

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

const QString gnome =
    u"org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager "_s;

// One row per session manager, each action once; where two run, the first listed gets the call.
TEST_F(DesktopPowerServiceTest, TheRunningSessionManagerGetsTheRequestAndLogindNothing)
{
    const QString prompt = u"org.kde.LogoutPrompt /LogoutPrompt org.kde.LogoutPrompt prompt"_s;
    const QString ksm = u"org.kde.ksmserver /KSMServer org.kde.KSMServerInterface logout (1, "_s;
    const QString xfce =
        u"org.xfce.SessionManager /org/xfce/SessionManager org.xfce.Session.Manager "_s;
    const struct {
        QStringList kinds; // the session managers running, for session_managers.py
        PowerAction action;
        QString call; // what the chosen one receives
    } rows[] = {
        {{u"gnome"_s}, PowerAction::LogOut, gnome + u"Logout (uint32 0,)"},
        {{u"gnome"_s}, PowerAction::PowerOff, gnome + u"Shutdown ()"},
        {{u"gnome"_s}, PowerAction::Reboot, gnome + u"Reboot ()"},
        {{u"ksmserver"_s, u"kde-prompt"_s}, PowerAction::PowerOff, prompt + u"ShutDown ()"},
        {{u"ksmserver"_s}, PowerAction::Reboot, ksm + u"1, -1)"},
        {{u"xfce"_s, u"gnome"_s}, PowerAction::LogOut, gnome + u"Logout (uint32 0,)"},
        {{u"xfce"_s}, PowerAction::PowerOff, xfce + u"Shutdown (true,)"},
    };
    QStringList running;
    for (const auto& row : rows) {
        if (row.kinds != running) {
            running = row.kinds;
            ASSERT_NO_FATAL_FAILURE(startSessionManagers(running));
        }
        EXPECT_EQ(requestAndWait(row.action), QString()) << row.call.toStdString();
        EXPECT_EQ(nextCall(), u"CALL " + row.call);
        EXPECT_EQ(nextCall(), QString()) << "one call each";
    }
    EXPECT_TRUE(m_standIn.calls().isEmpty());
}

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
    EXPECT_EQ(nextCall(), u"CALL " + gnome + u"Logout (uint32 0,)");
    QStringList members;
    for (const LoginManagerStandIn::Call& call : m_standIn.calls())
        members << call.member;
    EXPECT_EQ(members, (QStringList{u"TerminateSession"_s, u"Reboot"_s, u"Suspend"_s}))
        << "logind must not end a session the desktop kept";
}

} // namespace

#include "platform/dbus/DesktopPowerService.h"

#include "platform/standins/LoginManagerStandIn.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    QStringList kinds; // the session managers running, for session_managers.py
    PowerAction action;
    QString call; // what the first running one of them receives
};
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.call.toStdString();
}

class DesktopPowerServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (privateBusAddress("DBUS_SYSTEM_BUS_ADDRESS").isEmpty() ||
            privateBusAddress("DBUS_SESSION_BUS_ADDRESS").isEmpty())
            GTEST_SKIP() << "needs the test environment's private session and system buses";
        m_logindBus =
            QDBusConnection::connectToBus(privateBusAddress("DBUS_SYSTEM_BUS_ADDRESS"), u"l"_s);
        ASSERT_TRUE(m_logindBus.registerVirtualObject(LoginManagerStandIn::path(), &m_logind,
                                                      QDBusConnection::SubPath));
        ASSERT_TRUE(m_logindBus.registerService(LoginManagerStandIn::serviceName()));
    }
    void TearDown() override
    {
        m_standIns.kill();
        m_standIns.waitForFinished();
        QDBusConnection::disconnectFromBus(u"l"_s);
    }
    void startSessionManagers(const QStringList& arguments)
    {
        m_standIns.start(u"/usr/bin/python3"_s,
                         QStringList{QStringLiteral(CORVELLA_SESSION_MANAGERS)} + arguments);
        while (!m_standIns.canReadLine() && m_standIns.waitForReadyRead(10000)) {
        }
        ASSERT_EQ(m_standIns.readLine().trimmed(), "READY")
            << m_standIns.readAllStandardError().toStdString();
    }
    // The error of the one `finished`, or "(no answer)".
    QString requestAndWait(PowerAction action)
    {
        DesktopPowerService service(QDBusConnection::sessionBus(), QDBusConnection::systemBus());
        QSignalSpy finished(&service, &PowerService::finished);
        service.request(action);
        if (!finished.wait(10000))
            return u"(no answer)"_s;
        EXPECT_EQ(finished.size(), 1);
        return finished.at(0).at(1).toString();
    }
    QString nextCall()
    {
        while (!m_standIns.canReadLine() && m_standIns.waitForReadyRead(100)) {
        }
        return QString::fromUtf8(m_standIns.readLine().trimmed());
    }

    LoginManagerStandIn m_logind;
    QDBusConnection m_logindBus{QString()};
    QProcess m_standIns;
};

class DesktopPowerServiceRows : public DesktopPowerServiceTest,
                                public ::testing::WithParamInterface<Row> {};

TEST_P(DesktopPowerServiceRows, TheRunningSessionManagerGetsTheRequestAndLogindNothing)
{
    startSessionManagers(GetParam().kinds);
    EXPECT_EQ(requestAndWait(GetParam().action), QString());
    EXPECT_EQ(nextCall(), u"CALL " + GetParam().call);
    EXPECT_EQ(nextCall(), QString()) << "one call only";
    EXPECT_TRUE(m_logind.calls().isEmpty());
}

const QString gnome =
    u"org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager "_s;
const QString prompt = u"org.kde.LogoutPrompt /LogoutPrompt org.kde.LogoutPrompt "_s;
const QString ksm = u"org.kde.ksmserver /KSMServer org.kde.KSMServerInterface logout "_s;
const QString xfce =
    u"org.xfce.SessionManager /org/xfce/SessionManager org.xfce.Session.Manager "_s;
INSTANTIATE_TEST_SUITE_P(
    Desktops, DesktopPowerServiceRows,
    ::testing::Values(
        Row{{u"gnome"_s}, PowerAction::LogOut, gnome + u"Logout (uint32 0,)"},
        Row{{u"gnome"_s}, PowerAction::PowerOff, gnome + u"Shutdown ()"},
        Row{{u"gnome"_s}, PowerAction::Reboot, gnome + u"Reboot ()"},
        Row{{u"kde-prompt"_s}, PowerAction::LogOut, prompt + u"promptLogout ()"},
        Row{{u"kde-prompt"_s}, PowerAction::PowerOff, prompt + u"promptShutDown ()"},
        Row{{u"kde-prompt"_s}, PowerAction::Reboot, prompt + u"promptReboot ()"},
        Row{{u"ksmserver"_s}, PowerAction::LogOut, ksm + u"(1, 0, -1)"},
        Row{{u"ksmserver"_s}, PowerAction::PowerOff, ksm + u"(1, 2, -1)"},
        Row{{u"ksmserver"_s}, PowerAction::Reboot, ksm + u"(1, 1, -1)"},
        Row{{u"xfce"_s}, PowerAction::LogOut, xfce + u"Logout (true, true)"},
        Row{{u"xfce"_s}, PowerAction::PowerOff, xfce + u"Shutdown (true,)"},
        Row{{u"xfce"_s}, PowerAction::Reboot, xfce + u"Restart (true,)"},
        Row{{u"ksmserver"_s, u"kde-prompt"_s}, PowerAction::LogOut, prompt + u"promptLogout ()"},
        Row{{u"xfce"_s, u"gnome"_s}, PowerAction::Reboot, gnome + u"Reboot ()"}));

TEST_F(DesktopPowerServiceTest, WithoutASessionManagerLogindEndsTheSession)
{
    const ScopedEnvironmentVariable sessionId("XDG_SESSION_ID", QByteArray("c7"));
    EXPECT_EQ(requestAndWait(PowerAction::LogOut), QString());
    EXPECT_EQ(requestAndWait(PowerAction::Reboot), QString());
    ASSERT_EQ(m_logind.calls().size(), 2);
    EXPECT_EQ(m_logind.calls().at(0).member + u' ' + m_logind.calls().at(1).member,
              u"TerminateSession Reboot"_s);
}

TEST_F(DesktopPowerServiceTest, SleepGoesToLogindAndARefusalIsReportedWithoutFallingBack)
{
    startSessionManagers({u"--refuse"_s, u"gnome"_s});
    EXPECT_EQ(requestAndWait(PowerAction::Suspend), QString());
    ASSERT_EQ(m_logind.calls().size(), 1);
    EXPECT_EQ(m_logind.calls().at(0).member, u"Suspend"_s);

    const QString error = requestAndWait(PowerAction::LogOut);
    EXPECT_TRUE(error.contains(u"org.gnome.SessionManager") &&
                error.contains(u"cancelled by the stand-in"))
        << error.toStdString();
    EXPECT_EQ(nextCall(), u"CALL " + gnome + u"Logout (uint32 0,)");
    EXPECT_EQ(m_logind.calls().size(), 1) << "logind must not end a session the desktop kept";
}

} // namespace

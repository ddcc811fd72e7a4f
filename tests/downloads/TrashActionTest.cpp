#include "downloads/TrashAction.h"

#include "downloads/FullDiskAccessAuthorizer.h"
#include "platform/DesktopNotifier.h"
#include "support/TreeBuilder.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <unistd.h>

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

namespace {

// A notification server standing in for the desktop's on a private bus. It runs on its own
// thread, so a caller blocked on the main thread still gets its answer.
class NotificationServerStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Notification {
        QString appName;
        uint replacesId;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        int expireTimeout;
    };
    QList<Notification> received() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_received;
    }

public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                             const QString& summary, const QString& body,
                             const QStringList& actions, const QVariantMap& hints,
                             int expireTimeout)
    {
        Q_UNUSED(hints)
        const QMutexLocker locker(&m_mutex);
        m_received.append({appName, replacesId, appIcon, summary, body, actions, expireTimeout});
        return uint(m_received.size());
    }

private:
    mutable QMutex m_mutex;
    QList<Notification> m_received;
};

// A bus of its own for each case, with no services to activate, so the desktop's notification
// server (which owns the name on the session bus) stays out of the way. The daemon runs in the
// foreground as a child of the test and is killed by its PID at the end.
class PrivateBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        if (daemon.isEmpty()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        ASSERT_TRUE(m_root.isValid());
        const QString config = m_root.filePath(u"bus.conf"_s);
        QFile configFile(config);
        ASSERT_TRUE(configFile.open(QIODevice::WriteOnly));
        configFile.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                         "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                         "busconfig.dtd\">\n<busconfig><type>session</type><listen>unix:path=" +
                         QFile::encodeName(m_root.filePath(u"bus"_s)) +
                         "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                         "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow "
                         "eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        configFile.close();
        m_daemon.start(daemon, {u"--config-file="_s + config, u"--nofork"_s, u"--nopidfile"_s,
                                u"--print-address=1"_s});
        ASSERT_TRUE(m_daemon.waitForStarted(10000)) << m_daemon.errorString().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_daemon.canReadLine(); }, 10000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        static int connection = 0;
        const QString suffix = QString::number(++connection);
        m_serverName = u"notification-server-"_s + suffix;
        m_clientName = u"notification-client-"_s + suffix;
        ASSERT_TRUE(client().isConnected()) << client().lastError().message().toStdString();
    }

    void TearDown() override
    {
        if (m_standIn) {
            server().unregisterObject(u"/org/freedesktop/Notifications"_s);
            m_thread.quit();
            m_thread.wait();
            m_standIn.reset();
        }
        QDBusConnection::disconnectFromBus(m_serverName);
        QDBusConnection::disconnectFromBus(m_clientName);
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.kill();
            m_daemon.waitForFinished(10000);
        }
    }

    QDBusConnection client() const
    {
        return QDBusConnection::connectToBus(m_address, m_clientName);
    }
    QDBusConnection server() const
    {
        return QDBusConnection::connectToBus(m_address, m_serverName);
    }

    NotificationServerStandIn& startServer()
    {
        m_standIn = std::make_unique<NotificationServerStandIn>();
        m_standIn->moveToThread(&m_thread);
        m_thread.start();
        EXPECT_TRUE(server().registerObject(u"/org/freedesktop/Notifications"_s, m_standIn.get(),
                                            QDBusConnection::ExportScriptableSlots));
        EXPECT_TRUE(server().registerService(u"org.freedesktop.Notifications"_s));
        return *m_standIn;
    }

    QTemporaryDir m_root{QDir::tempPath() + u"/corvella-notify-XXXXXX"};
    QProcess m_daemon;
    QString m_address;
    QString m_serverName;
    QString m_clientName;
    QThread m_thread;
    std::unique_ptr<NotificationServerStandIn> m_standIn;
};

TEST_F(PrivateBusTest, TheNotificationReachesTheServerAsCorvella)
{
    NotificationServerStandIn& standIn = startServer();

    EXPECT_EQ(DesktopNotifier(client()).notify(u"Empty Trash"_s, u"The Trash was already empty."_s),
              QString());

    ASSERT_EQ(standIn.received().size(), 1);
    const NotificationServerStandIn::Notification shown = standIn.received().constFirst();
    EXPECT_EQ(shown.appName, u"Corvella"_s);
    EXPECT_EQ(shown.replacesId, 0u);
    EXPECT_EQ(shown.appIcon, u"corvella"_s);
    EXPECT_EQ(shown.summary, u"Empty Trash"_s);
    EXPECT_EQ(shown.body, u"The Trash was already empty."_s);
    EXPECT_EQ(shown.actions, QStringList());
    EXPECT_EQ(shown.expireTimeout, -1);
}

TEST_F(PrivateBusTest, WithoutANotificationServerTheErrorSaysSo)
{
    EXPECT_EQ(DesktopNotifier(client()).notify(u"Empty Trash"_s, u"text"_s),
              u"No notification could be shown: no notification service is running on the "
              u"session bus."_s);
}

// The test environment runs a real notification server (dunst) on its session bus.
TEST(DesktopNotifierTest, TheDesktopsNotificationServerAcceptsTheNotification)
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() || qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV")) {
        GTEST_SKIP() << "needs the private session bus and notification server of the test "
                        "environment";
    }
    const QDBusConnection bus = QDBusConnection::connectToBus(address, u"desktop-notify"_s);
    EXPECT_EQ(DesktopNotifier(bus).notify(u"Empty Trash"_s, u"Emptied the Trash: 1.00 KB freed."_s),
              QString());
    QDBusConnection::disconnectFromBus(u"desktop-notify"_s);
}

struct TextCase {
    const char* description;
    TrashCleaner::Result result;
    const char* expected;
};

void PrintTo(const TextCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class NotificationTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NotificationTextTest, SaysWhatWasFreedOrWhyNothingWas)
{
    EXPECT_EQ(TrashAction::notificationText(GetParam().result),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, NotificationTextTest,
    ::testing::Values(
        TextCase{"AlreadyEmpty", {0, 0, 0, {}, 2, false}, "The Trash was already empty."},
        TextCase{"NoTrashYet", {0, 0, 0, {}, 0, false}, "The Trash was already empty."},
        TextCase{"Freed", {1234567890, 12, 0, {}, 2, false}, "Emptied the Trash: 1.23 GB freed."},
        TextCase{"OnlyEmptyFiles", {0, 3, 0, {}, 1, false}, "Emptied the Trash: 0 byte freed."},
        TextCase{"SomeFailed",
                 {2500, 1, 3, u"Cannot erase “/t/files/x”: Permission denied."_s, 1, false},
                 "Emptied the Trash (2.50 KB freed), but 3 items could not be removed: Cannot "
                 "erase “/t/files/x”: Permission denied."},
        TextCase{"AllFailed",
                 {0, 0, 1, u"Cannot erase “/t/files/x”: Operation not permitted."_s, 1, false},
                 "The Trash could not be emptied: 1 item could not be removed. Cannot erase "
                 "“/t/files/x”: Operation not permitted."}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.description; });

// Whether the Trash action asks for access first or empties the Trash: only a sandbox withholds
// access, and only from version 10.14 on.
struct GateCase {
    const char* description;
    bool sandboxed;
    bool probeExists;
    int systemVersion;
    bool expectPrompt;
};

void PrintTo(const GateCase& testCase, std::ostream* stream)
{
    *stream << testCase.description;
}

class TrashActionTest : public PrivateBusTest, public ::testing::WithParamInterface<GateCase> {};

TEST_P(TrashActionTest, PromptsForAccessOrEmptiesAndNotifies)
{
    const GateCase& testCase = GetParam();
    NotificationServerStandIn& standIn = startServer();
    TreeBuilder tree(m_root.path());
    tree.folder("trash/files/folder");
    tree.file("trash/files/folder/a", 1000);
    tree.file("trash/files/b", 500);
    tree.folder("trash/info");
    tree.file("mountinfo", 0);
    tree.folder("home");
    if (testCase.probeExists) {
        tree.folder("home/.local/share/Trash");
    }
    QProcessEnvironment environment;
    environment.insert(u"HOME"_s, m_root.filePath(u"home"_s));
    if (testCase.sandboxed) {
        environment.insert(u"FLATPAK_ID"_s, u"org.example.Corvella"_s);
    }
    const QString home = m_root.filePath(u"home"_s);
    const FullDiskAccessAuthorizer authorizer(environment, m_root.path(), [home] { return home; });
    TrashAction action(
        TrashCleaner(m_root.filePath(u"trash"_s), m_root.filePath(u"mountinfo"_s), ::geteuid()),
        &authorizer, DesktopNotifier(client()), testCase.systemVersion);
    QSignalSpy prompted(&action, &TrashAction::accessPromptNeeded);
    QSignalSpy finished(&action, &TrashAction::finished);
    QSignalSpy notificationFailed(&action, &TrashAction::notificationFailed);

    action.emptyTrash();

    if (testCase.expectPrompt) {
        EXPECT_EQ(prompted.count(), 1);
        EXPECT_FALSE(action.isRunning());
        EXPECT_TRUE(QFileInfo::exists(m_root.filePath(u"trash/files/b"_s)));
        EXPECT_TRUE(QFileInfo::exists(m_root.filePath(u"trash/files/folder/a"_s)));
        EXPECT_EQ(standIn.received().size(), 0);
        return;
    }
    EXPECT_EQ(prompted.count(), 0);
    EXPECT_TRUE(action.isRunning());
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(action.isRunning());
    const auto result = finished.at(0).at(0).value<TrashCleaner::Result>();
    EXPECT_EQ(result.bytesFreed, 1500);
    EXPECT_EQ(result.itemsRemoved, 2);
    EXPECT_EQ(notificationFailed.count(), 0);
    EXPECT_EQ(QDir(m_root.filePath(u"trash/files"_s)).isEmpty(), true);
    ASSERT_EQ(standIn.received().size(), 1);
    EXPECT_EQ(standIn.received().constFirst().summary, u"Empty Trash"_s);
    EXPECT_EQ(standIn.received().constFirst().body, u"Emptied the Trash: 1.50 KB freed."_s);
}

INSTANTIATE_TEST_SUITE_P(
    Gates, TrashActionTest,
    ::testing::Values(GateCase{"SandboxedWithoutProbeFolder", true, false, 1100, true},
                      GateCase{"SandboxedWithoutProbeFolderAt1014", true, false, 1014, true},
                      GateCase{"SandboxedBefore1014", true, false, 1013, false},
                      GateCase{"SandboxedAuthorized", true, true, 1100, false},
                      GateCase{"NotSandboxedWithoutProbeFolder", false, false, 1100, false}),
    [](const ::testing::TestParamInfo<GateCase>& info) { return info.param.description; });

} // namespace

#include "TrashActionTest.moc"

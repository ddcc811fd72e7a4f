#include "downloads/TrashAction.h"

#include "downloads/FullDiskAccessAuthorizer.h"
#include "platform/DesktopNotifier.h"
#include "support/Files.h"
#include "support/TreeBuilder.h"

#include <QMutex>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A notification server standing in for the desktop's. It runs on a thread of its own, so a
// caller blocked on the test's thread still gets its answer.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    // Each notification as "app|replaces|icon|summary|body|actions|timeout".
    QStringList received() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_received;
    }

public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                             const QString& summary, const QString& body,
                             const QStringList& actions, const QVariantMap&, int expireTimeout)
    {
        const QMutexLocker locker(&m_mutex);
        m_received.append(QStringList{appName, QString::number(replacesId), appIcon, summary, body,
                                      actions.join(u','), QString::number(expireTimeout)}
                              .join(u'|'));
        return uint(m_received.size());
    }

private:
    mutable QMutex m_mutex;
    QStringList m_received;
};

// A bus of its own for each case, with the stand-in registered and no services to activate: the
// test environment's notification server owns the name on the session bus. The daemon is a child
// of the test, killed at the end.
class PrivateBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString config = m_root.filePath(u"bus.conf"_s);
        ASSERT_TRUE(
            writeFile(config, "<busconfig><listen>unix:tmpdir=" + QFile::encodeName(m_root.path()) +
                                  "</listen><policy context=\"default\"><allow "
                                  "send_destination=\"*\" eavesdrop=\"true\"/><allow "
                                  "eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                                  "</busconfig>"));
        m_daemon.start(u"dbus-daemon"_s, {u"--config-file="_s + config, u"--nofork"_s,
                                          u"--nopidfile"_s, u"--print-address=1"_s});
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_daemon.canReadLine(); }, 10000))
            << m_daemon.errorString().toStdString();
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_server.moveToThread(&m_thread);
        m_thread.start();
        ASSERT_TRUE(bus("server").registerObject(u"/org/freedesktop/Notifications"_s, &m_server,
                                                 QDBusConnection::ExportScriptableSlots) &&
                    bus("server").registerService(u"org.freedesktop.Notifications"_s));
    }
    void TearDown() override
    {
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(bus("server").name());
        QDBusConnection::disconnectFromBus(bus("client").name());
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    QDBusConnection bus(const char* role) const
    {
        return QDBusConnection::connectToBus(m_address,
                                             QString::fromLatin1(role) + u' ' + m_address);
    }

    QTemporaryDir m_root;
    QProcess m_daemon;
    QString m_address;
    QThread m_thread;
    NotificationServer m_server;
};

TEST_F(PrivateBusTest, TheNotificationReachesTheServerAsCorvella)
{
    EXPECT_EQ(DesktopNotifier(bus("client")).notify(u"Empty Trash"_s, u"Body."_s), QString());
    EXPECT_EQ(m_server.received(), QStringList{u"Corvella|0|corvella|Empty Trash|Body.||-1"_s});
}

TEST_F(PrivateBusTest, WithoutANotificationServerTheErrorSaysSo)
{
    ASSERT_TRUE(bus("server").unregisterService(u"org.freedesktop.Notifications"_s));
    EXPECT_TRUE(DesktopNotifier(bus("client"))
                    .notify(u"Empty Trash"_s, u"text"_s)
                    .contains(u"no notification service is running"_s));
}

TEST(TrashActionTextTest, SaysWhatWasFreedOrWhyNothingWas)
{
    const QString error = u"Cannot erase “/t/files/x”: Permission denied."_s;
    const struct {
        TrashCleaner::Result result;
        QStringList shown;
    } rows[] = {{{0, 0, 0, {}, 2, false}, {u"already empty"_s}},
                {{1234567890, 12, 0, {}, 2, false}, {u"1.23 GB"_s}},
                {{2500, 1, 3, error, 1, false}, {u"2.50 KB"_s, u"3 items"_s, error}},
                {{0, 0, 1, error, 1, false}, {u"could not be emptied"_s, u"1 item"_s, error}}};
    for (const auto& row : rows) {
        const QString text = TrashAction::notificationText(row.result);
        for (const QString& part : row.shown)
            EXPECT_TRUE(text.contains(part))
                << text.toStdString() << " lacks " << part.toStdString();
    }
}

// Only a sandbox without access to the home's trash shows the prompt, and then nothing is removed
// and nobody is notified; otherwise the trash is emptied and the outcome notified once.
TEST_F(PrivateBusTest, TheActionPromptsForAccessOrEmptiesAndNotifies)
{
    const struct {
        const char* name;
        bool sandboxed;
        bool authorized;
    } rows[] = {
        {"sandboxed", true, false}, {"authorized", true, true}, {"unsandboxed", false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        TreeBuilder tree(folder.path());
        tree.folder("trash/files/folder");
        tree.file("trash/files/folder/a", 1500);
        tree.folder("trash/info");
        tree.file("mountinfo", 0);
        tree.folder(row.authorized ? "home/.local/share/Trash" : "home");
        ASSERT_TRUE(tree.ok()) << tree.failure();
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, tree.qpath("home"));
        if (row.sandboxed)
            environment.insert(u"FLATPAK_ID"_s, u"org.example.Corvella"_s);
        const QString home = tree.qpath("home");
        const FullDiskAccessAuthorizer access(environment, folder.path(), [home] { return home; });
        TrashAction action(TrashCleaner(tree.qpath("trash"), tree.qpath("mountinfo"), ::geteuid()),
                           &access, DesktopNotifier(bus("client")), 1100);
        QSignalSpy prompted(&action, &TrashAction::accessPromptNeeded);
        QSignalSpy finished(&action, &TrashAction::finished);
        const QStringList before = m_server.received();

        action.emptyTrash();

        const bool prompts = row.sandboxed && !row.authorized;
        EXPECT_EQ(prompted.count(), prompts ? 1 : 0);
        EXPECT_EQ(action.isRunning(), !prompts);
        if (prompts) {
            EXPECT_EQ(entriesOf(tree.qpath("trash/files")), QStringList{u"folder"_s});
            EXPECT_EQ(m_server.received(), before);
            continue;
        }
        ASSERT_TRUE(finished.wait(20000));
        const auto result = finished.at(0).at(0).value<TrashCleaner::Result>();
        EXPECT_EQ(result.bytesFreed, 1500);
        EXPECT_EQ(entriesOf(tree.qpath("trash/files")), QStringList());
        EXPECT_EQ(m_server.received().mid(before.size()),
                  QStringList{u"Corvella|0|corvella|"_s + TrashAction::notificationSummary() +
                              u'|' + TrashAction::notificationText(result) + u"||-1"_s});
    }
}

} // namespace

#include "TrashActionTest.moc"

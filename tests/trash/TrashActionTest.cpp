#include "trash/TrashAction.h"

#include "platform/dbus/DesktopNotifier.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/TreeBuilder.h"
#include "trash/FreedesktopTrash.h"
#include "trash/FullDiskAccessAuthorizer.h"
#include "trash/TrashDirectory.h"
#include "trash/TrashRestorer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Records the text of each notification. It lives on the test's thread: TrashAction notifies
// from its worker while the test waits in an event loop.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList received;

public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString&, uint, const QString&, const QString&,
                             const QString& body, const QStringList&, const QVariantMap&, int)
    {
        received.append(body);
        return uint(received.size());
    }
};

// A failure is never told as a success: the error is shown, and what was freed besides.
TEST(TrashActionTextTest, SaysWhyNothingOrNotEverythingWasFreed)
{
    const QString error = u"Cannot erase “/t/files/x”: Permission denied."_s;
    const struct {
        TrashCleaner::Result result;
        QStringList shown;
    } rows[] = {{{2500, 1, 3, error, 1, false}, {u"2.50 KB"_s, u"3 items"_s, error}},
                {{0, 0, 1, error, 1, false}, {u"could not be emptied"_s, u"1 item"_s, error}}};
    for (const auto& row : rows) {
        const QString text = TrashAction::notificationText(row.result);
        for (const QString& part : row.shown)
            EXPECT_TRUE(text.contains(part))
                << text.toStdString() << " lacks " << part.toStdString();
    }
}

// On a bus of the test's own (the environment's notification server owns the name on the session
// bus), with no services to activate.
TEST(TrashActionTest, PromptsForAccessOrEmptiesAndNotifies)
{
    QTemporaryDir root;
    const QString config = root.filePath(u"bus.conf"_s);
    ASSERT_TRUE(
        writeFile(config, "<busconfig><listen>unix:tmpdir=" + QFile::encodeName(root.path()) +
                              "</listen><policy context=\"default\"><allow own=\"*\"/><allow "
                              "send_destination=\"*\" eavesdrop=\"true\"/><allow "
                              "eavesdrop=\"true\"/></policy></busconfig>"));
    QProcess daemon;
    daemon.start(u"dbus-daemon"_s, {u"--config-file="_s + config, u"--nofork"_s, u"--nopidfile"_s,
                                    u"--print-address=1"_s});
    ASSERT_TRUE(QTest::qWaitFor([&daemon] { return daemon.canReadLine(); }, 10000))
        << daemon.errorString().toStdString();
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    QDBusConnection serverBus = QDBusConnection::connectToBus(address, u"server"_s);
    const QDBusConnection client = QDBusConnection::connectToBus(address, u"client"_s);
    NotificationServer server;
    const auto stop = qScopeGuard([&] {
        for (const QString& role : {u"server"_s, u"client"_s})
            QDBusConnection::disconnectFromBus(role);
        daemon.kill();
        daemon.waitForFinished();
    });
    const QString name = u"org.freedesktop.Notifications"_s;
    ASSERT_TRUE(serverBus.registerObject(u"/org/freedesktop/Notifications"_s, &server,
                                         QDBusConnection::ExportScriptableSlots) &&
                serverBus.registerService(name));
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
        tree.entries({"trash/files/folder/a:1500", "trash/info/", "mountinfo:0",
                      row.authorized ? "home/.local/share/Trash/" : "home/"});
        ASSERT_TRUE(tree.ok()) << tree.failure();
        QProcessEnvironment environment;
        environment.insert(u"HOME"_s, tree.qpath("home"));
        if (row.sandboxed)
            environment.insert(u"FLATPAK_ID"_s, u"org.example.Corvella"_s);
        const QString home = tree.qpath("home");
        const FullDiskAccessAuthorizer access(environment, folder.path(), [home] { return home; });
        TrashAction action(TrashCleaner(tree.qpath("trash"), tree.qpath("mountinfo"), ::geteuid()),
                           &access, DesktopNotifier(client), 1100);
        QSignalSpy prompted(&action, &TrashAction::accessPromptNeeded);
        QSignalSpy finished(&action, &TrashAction::finished);
        const QStringList before = server.received;
        action.emptyTrash();
        const bool prompts = row.sandboxed && !row.authorized;
        EXPECT_EQ(prompted.count(), prompts ? 1 : 0);
        EXPECT_EQ(action.isRunning(), !prompts);
        if (prompts) {
            EXPECT_EQ(entriesOf(tree.qpath("trash/files")), QStringList{u"folder"_s});
            EXPECT_EQ(server.received, before);
            continue;
        }
        ASSERT_TRUE(finished.wait(20000));
        const auto result = finished.at(0).at(0).value<TrashCleaner::Result>();
        EXPECT_EQ(result.bytesFreed, 1500);
        EXPECT_EQ(entriesOf(tree.qpath("trash/files")), QStringList());
        EXPECT_EQ(server.received.mid(before.size()),
                  QStringList{TrashAction::notificationText(result)});
    }

    ASSERT_TRUE(serverBus.unregisterService(name));
    EXPECT_TRUE(DesktopNotifier(client)
                    .notify(u"Empty Trash"_s, u"text"_s)
                    .contains(u"no notification service is running"_s));
}

// A real trash in a private home, most of it one large folder: Stop while the emptying is inside
// it ends the run within a second, and what is left is still in the trash with its record.
TEST(TrashActionTest, StopEndsEmptyingWithinASecondAndTheRestCanBeRestored)
{
    QTemporaryDir home;
    const ScopedEnvironmentVariable homeVariable{"HOME", QFile::encodeName(home.path())};
    TreeBuilder build(home.path());
    build.entries({"mountinfo:0", "small:10", "other:20", "big/"});
    for (int file = 0; file < 30000; ++file)
        build.file("big/" + QByteArray::number(file), 1);
    const QString trash = home.filePath(u".local/share/Trash"_s);
    for (const char* name : {"big", "small", "other"})
        ASSERT_TRUE(FreedesktopTrash(trash).moveToTrash(build.qpath(name)).succeeded());
    const FullDiskAccessAuthorizer access(QProcessEnvironment(), home.path(),
                                          [&home] { return home.path(); });
    TrashAction action(TrashCleaner(trash, build.qpath("mountinfo"), ::geteuid()), &access,
                       DesktopNotifier(), 1100);
    QSignalSpy finished(&action, &TrashAction::finished);
    QList<int> shown;
    QElapsedTimer sinceStop;
    QObject::connect(&action, &TrashAction::progressChanged, &action, [&](int percent) {
        shown.append(percent);
        if (percent >= 20 && !sinceStop.isValid()) {
            sinceStop.start();
            action.stop();
        }
    });
    action.emptyTrash();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sinceStop.isValid() || !finished.isEmpty(); }, 60000));
    ASSERT_TRUE(sinceStop.isValid()) << "ended before Stop";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); },
                                int(std::max<qint64>(0, 1000 - sinceStop.elapsed()))))
        << "no end within a second of Stop";
    const auto result = finished.at(0).at(0).value<TrashCleaner::Result>();
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(shown.size() >= 3 && std::is_sorted(shown.begin(), shown.end()));

    // Every item left has its record; the large folder goes back with what is left of it.
    const TrashItems left =
        TrashDirectory::findAll(trash, build.qpath("mountinfo"), ::geteuid()).value(0).list();
    EXPECT_EQ(entriesOf(trash + u"/files"_s).size(), left.size());
    EXPECT_EQ(entriesOf(trash + u"/info"_s).size(), left.size());
    const auto big = std::find_if(left.begin(), left.end(),
                                  [](const TrashItem& item) { return item.name == "big"; });
    ASSERT_NE(big, left.end());
    ASSERT_TRUE(TrashRestorer::restore(*big).succeeded());
    const qsizetype restored = entriesOf(build.qpath("big")).size();
    EXPECT_TRUE(restored > 15000 && restored < 30000) << restored;
}

} // namespace

#include "TrashActionTest.moc"

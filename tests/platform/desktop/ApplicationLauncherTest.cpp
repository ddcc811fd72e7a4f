#include "platform/desktop/ApplicationLauncher.h"

#include "platform/dbus/TransientScope.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A recorder program: writes its working folder and its arguments, each ended by a NUL byte.
class ApplicationLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeFile(recorder(), "#!/bin/sh\nprintf '%s\\0' \"$PWD\" \"$@\" > " +
                                              QFile::encodeName(path(u"record.part"_s)) + "\nmv " +
                                              QFile::encodeName(path(u"record.part"_s)) + ' ' +
                                              QFile::encodeName(path(u"record"_s)) + '\n'));
        ASSERT_TRUE(QFile::setPermissions(recorder(), QFile::ReadOwner | QFile::ExeOwner));
    }
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString recorder() const { return path(u"bin/record er"_s); }
    QString entry(const QByteArray& exec, const QByteArray& more = {})
    {
        const QString file = path(u"app.desktop"_s);
        EXPECT_TRUE(writeFile(file, "[Desktop Entry]\nType=Application\nName=Rec\nIcon=rec\n"
                                    "Exec=" +
                                        exec + '\n' + more));
        return file;
    }
    // The recorded working folder and arguments, once the detached program has written them.
    QStringList record()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return exists(path(u"record"_s)); }, 10000))
            << "the program recorded nothing";
        QStringList fields = QString::fromUtf8(readFile(path(u"record"_s))).split(QChar(0));
        fields.removeLast();
        QFile::remove(path(u"record"_s));
        return fields;
    }

    QTemporaryDir m_root;
};

TEST_F(ApplicationLauncherTest, HandsTheProgramExactlyItsArgumentsWithoutAShell)
{
    const QByteArray quoted = "\"" + QFile::encodeName(recorder()) + "\"";
    const QString home = path(u"home"_s);
    ASSERT_TRUE(QDir().mkpath(home));
    const ScopedEnvironmentVariable homeVariable("HOME", QFile::encodeName(home));
    const QString desktop = entry(quoted + " %F %U --icon-arg %i %c %k \"$HOME `id` ;|&\" "
                                           "\"a\\\\\\\\b\" 'x y'");
    const ApplicationLauncher::Result result =
        ApplicationLauncher::launch(desktop, {u"/tmp/a b"_s, u"file:///tmp/%C3%A9"_s});
    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(record(),
              (QStringList{home, u"/tmp/a b"_s, u"/tmp/é"_s, u"file:///tmp/a%20b"_s,
                           u"file:///tmp/%C3%A9"_s, u"--icon-arg"_s, u"--icon"_s, u"rec"_s,
                           u"Rec"_s, desktop, u"$HOME `id` ;|&"_s, u"a\\b"_s, u"x y"_s}));

    // %u with two inputs runs the program once for each.
    ASSERT_TRUE(ApplicationLauncher::launch(entry(quoted + " %u"), {u"/x y"_s}).succeeded());
    EXPECT_EQ(record(), (QStringList{home, u"file:///x%20y"_s}));
    ASSERT_EQ(ApplicationLauncher::commandLines(entry(quoted + " %f"), {u"/a"_s, u"/b"_s}).commands,
              (QList<QStringList>{{recorder(), u"/a"_s}, {recorder(), u"/b"_s}}));
}

TEST_F(ApplicationLauncherTest, RunsTerminalEntriesInTheTerminalAndReportsFailures)
{
    const QString terminal = path(u"bin/x-terminal-emulator"_s);
    ASSERT_TRUE(QFile::link(recorder(), terminal));
    const ScopedEnvironmentVariable pathVariable("PATH", QFile::encodeName(path(u"bin"_s)) +
                                                             ":/usr/bin:/bin");
    const ScopedEnvironmentVariable terminalVariable("TERMINAL", std::nullopt);
    ASSERT_TRUE(
        ApplicationLauncher::launch(entry("sh -c \"exit 1\"", "Terminal=true\n")).succeeded());
    const QStringList recorded = record();
    EXPECT_EQ(recorded.mid(1), (QStringList{u"-e"_s, u"/usr/bin/sh"_s, u"-c"_s, u"exit 1"_s}));

    const struct {
        QByteArray exec;
        const char* error;
    } failures[] = {{"/no/such/program %f", "the program “/no/such/program” was not found"},
                    {"no-such-program-anywhere", "“no-such-program-anywhere” was not found"},
                    {"x \"unclosed", "a double quote is not closed"}};
    for (const auto& failure : failures) {
        const ApplicationLauncher::Result result = ApplicationLauncher::launch(entry(failure.exec));
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(failure.error)))
            << result.error.toStdString();
    }
    EXPECT_FALSE(exists(path(u"record"_s)));
}

TEST_F(ApplicationLauncherTest, RefusesZeroBytesAndKeepsTheReasonOfAFailedStart)
{
    const QByteArray program = QFile::encodeName(recorder());
    const QByteArray quoted = '"' + program + '"';
    // A zero byte in the file stays in the argument; the launch is refused, not cut short.
    const struct {
        QByteArray exec;
        QStringList inputs;
        const char* error; // nullptr: it starts, with these arguments
        QStringList arguments;
    } rows[] = {
        {quoted + " a" + QByteArray(1, '\0') + "b", {}, "holds a zero byte (NUL)", {}},
        {quoted + " \"x" + QByteArray(1, '\0') + "\"", {}, "holds a zero byte (NUL)", {}},
        {quoted + " %f", {u"file:///tmp/a%00b"_s}, "holds a zero byte (NUL)", {}},
        // The escape \0 is no zero byte: the quoting rules make it a plain 0.
        {quoted + " a\\0b", {}, nullptr, {u"a0b"_s}},
        // One argument beyond the kernel's limit for a single string (128 KiB).
        {quoted + " %f", {u"/"_s + QString(200 * 1024, u'x')}, "Argument list too long", {}},
        // Arguments beyond the whole command line's limit.
        {quoted + " %F",
         QStringList(80000, u"/"_s + QString(100, u'y')),
         "Argument list too long",
         {}},
    };
    for (const auto& row : rows) {
        const ApplicationLauncher::Result result =
            ApplicationLauncher::launch(entry(row.exec), row.inputs);
        if (!row.error) {
            ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
            EXPECT_EQ(record().mid(1), row.arguments);
            continue;
        }
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(row.error)) &&
                    result.error.contains(u"“Rec”"_s))
            << result.error.toStdString();
        EXPECT_TRUE(result.processIds.isEmpty());
    }
    EXPECT_FALSE(exists(path(u"record"_s)));
}

TEST(TransientScopeTest, NamesTheScopeAfterTheEscapedApplicationAndProcess)
{
    const struct {
        QString id;
        QString name;
    } rows[] = {
        {u"org.gnome.Terminal.desktop"_s, u"app-corvella-org.gnome.Terminal-42.scope"_s},
        {u"kde-foo bar.desktop"_s, u"app-corvella-kde\\x2dfoo\\x20bar-42.scope"_s},
        {u"é/x"_s, u"app-corvella-\\xc3\\xa9\\x2fx-42.scope"_s},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TransientScope::unitName(row.id, 42), row.name);
    const QString longest = TransientScope::unitName(QString(400, u'-'), 4194304);
    EXPECT_LE(longest.size(), 255);
    EXPECT_TRUE(longest.endsWith(u"\\x2d-4194304.scope"_s)) << longest.toStdString();
}

// The user's service manager is a stand-in on the test environment's private session bus.
TEST_F(ApplicationLauncherTest, PutsTheStartedProgramInAScopeOfItsOwn)
{
    if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV") ||
        qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "needs the private session bus of the test environment";
    QProcess manager;
    manager.start(u"/usr/bin/python3"_s, {QStringLiteral(CORVELLA_SYSTEMD_STANDIN)});
    ASSERT_TRUE(manager.waitForStarted());
    const QDeadlineTimer ready(15000);
    while (!manager.readAllStandardOutput().contains("READY") && !ready.hasExpired())
        manager.waitForReadyRead(100);
    ASSERT_FALSE(ready.hasExpired()) << manager.readAllStandardError().toStdString();

    // The program writes its own process ID: the one the manager gets.
    const QByteArray pidFile = QFile::encodeName(path(u"pid"_s));
    const QString program = path(u"bin/own-pid"_s);
    ASSERT_TRUE(writeFile(program, "#!/bin/sh\necho $$ > " + pidFile + ".part\nmv " + pidFile +
                                       ".part " + pidFile + "\n"));
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const ApplicationLauncher::Result result =
        ApplicationLauncher::launch(entry('"' + QFile::encodeName(program) + '"'));
    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    ASSERT_EQ(result.processIds.size(), 1);
    EXPECT_TRUE(result.scoped);
    ASSERT_TRUE(QTest::qWaitFor([this] { return exists(path(u"pid"_s)); }, 10000));
    const qint64 pid = readFile(path(u"pid"_s)).trimmed().toLongLong();
    EXPECT_EQ(result.processIds.first(), pid);

    QByteArray line;
    const QDeadlineTimer called(10000);
    while (!line.endsWith('\n') && !called.hasExpired()) {
        manager.waitForReadyRead(100);
        line += manager.readAllStandardOutput();
    }
    manager.kill();
    manager.waitForFinished();
    const QJsonObject call = QJsonDocument::fromJson(line).object();
    EXPECT_EQ(call.value(u"name"_s).toString(), u"app-corvella-app-%1.scope"_s.arg(pid));
    EXPECT_EQ(call.value(u"mode"_s).toString(), u"fail"_s);
    EXPECT_EQ(call.value(u"signature"_s).toString(), u"(ssa(sv)a(sa(sv)))"_s);
    const QJsonObject properties = call.value(u"properties"_s).toObject();
    EXPECT_EQ(properties.value(u"PIDs"_s).toArray(), QJsonArray{pid});
    EXPECT_TRUE(properties.value(u"Description"_s).toString().contains(u"Rec"_s));
    EXPECT_TRUE(call.value(u"aux"_s).toArray().isEmpty());
}

} // namespace

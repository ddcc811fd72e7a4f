#include "platform/desktop/ApplicationLauncher.h"

#include "support/ChildProcess.h"
#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A recorder program: writes its process ID, working folder and arguments, each ended by a NUL.
class ApplicationLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QByteArray record = QFile::encodeName(path(u"record"_s));
        ASSERT_TRUE(writeFile(recorder(), "#!/bin/sh\nprintf '%s\\0' $$ \"$PWD\" \"$@\" > " +
                                              record + ".part\nmv " + record + ".part " + record +
                                              '\n'));
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
    // The recorded process ID, working folder and arguments, once the program has written them.
    QStringList record()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return exists(path(u"record"_s)); }, 10000))
            << "the program recorded nothing";
        QStringList fields = QString::fromUtf8(readFile(path(u"record"_s))).split(QChar(0));
        fields.removeLast();
        QFile::remove(path(u"record"_s));
        return fields;
    }
    QByteArray quoted() const { return '"' + QFile::encodeName(recorder()) + '"'; }

    QTemporaryDir m_root;
};

// The escape \0 is no zero byte: the quoting rules make it a plain 0.
TEST_F(ApplicationLauncherTest, HandsTheProgramExactlyItsArgumentsWithoutAShellOrInATerminal)
{
    const QString home = path(u"home"_s);
    ASSERT_TRUE(QDir().mkpath(home));
    const ScopedEnvironmentVariable homeVariable("HOME", QFile::encodeName(home));
    const QString desktop = entry(quoted() + " %F %U --icon-arg %i %c %k \"$HOME `id` ;|&\" "
                                             "\"a\\\\\\\\b\" 'x y' a\\0b");
    const ApplicationLauncher::Result result =
        ApplicationLauncher::launch(desktop, {u"/tmp/a b"_s, u"file:///tmp/%C3%A9"_s});
    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(record().mid(1),
              (QStringList{home, u"/tmp/a b"_s, u"/tmp/é"_s, u"file:///tmp/a%20b"_s,
                           u"file:///tmp/%C3%A9"_s, u"--icon-arg"_s, u"--icon"_s, u"rec"_s,
                           u"Rec"_s, desktop, u"$HOME `id` ;|&"_s, u"a\\b"_s, u"x y"_s, u"a0b"_s}));

    // A terminal entry: the terminal gets the command.
    ASSERT_TRUE(QFile::link(recorder(), path(u"bin/x-terminal-emulator"_s)));
    const ScopedEnvironmentVariable pathVariable("PATH", QFile::encodeName(path(u"bin"_s)) +
                                                             ":/usr/bin:/bin");
    const ScopedEnvironmentVariable terminalVariable("TERMINAL", std::nullopt);
    ASSERT_TRUE(
        ApplicationLauncher::launch(entry("sh -c \"exit 1\"", "Terminal=true\n")).succeeded());
    EXPECT_EQ(record().mid(2), (QStringList{u"-e"_s, u"/usr/bin/sh"_s, u"-c"_s, u"exit 1"_s}));
}

// A zero byte in the file stays in the argument: the launch is refused, not cut short.
TEST_F(ApplicationLauncherTest, RefusesWhatCannotRunAndKeepsTheReason)
{
    const QByteArray nul(1, '\0');
    const struct {
        QByteArray exec;
        QStringList inputs;
        const char* error;
    } rows[] = {
        {"no-such-program-anywhere", {}, "“no-such-program-anywhere” was not found"},
        {quoted() + " a" + nul + "b", {}, "holds a zero byte (NUL)"},
        {quoted() + " \"x" + nul + "\"", {}, "holds a zero byte (NUL)"},
        {quoted() + " %f", {u"file:///tmp/a%00b"_s}, "holds a zero byte (NUL)"},
        // One argument beyond the kernel's limit for a single string (128 KiB), then arguments
        // beyond the whole command line's.
        {quoted() + " %f", {u"/"_s + QString(200 * 1024, u'x')}, "Argument list too long"},
        {quoted() + " %F", QStringList(80000, u"/"_s + QString(100, u'y')),
         "Argument list too long"},
    };
    for (const auto& row : rows) {
        const ApplicationLauncher::Result result =
            ApplicationLauncher::launch(entry(row.exec), row.inputs);
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(row.error)) &&
                    result.error.contains(u"“Rec”"_s))
            << result.error.toStdString();
        EXPECT_TRUE(result.processIds.isEmpty());
    }
    EXPECT_FALSE(exists(path(u"record"_s)));
}

// The user's service manager is a stand-in on the test environment's private session bus; it
// prints "READY", then each call as a JSON line.
TEST_F(ApplicationLauncherTest, PutsTheStartedProgramInAScopeOfItsOwn)
{
    if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_ENV") ||
        qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "needs the private session bus of the test environment";
    ChildProcess standIn(u"/usr/bin/python3"_s, {QStringLiteral(CORVELLA_SYSTEMD_STANDIN)});
    QProcess& manager = standIn.process;
    const auto nextLine = [&manager] {
        const QDeadlineTimer deadline(15000);
        while (!manager.canReadLine() && manager.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        return manager.readLine().trimmed();
    };
    ASSERT_EQ(nextLine(), "READY") << manager.readAllStandardError().toStdString();

    const ApplicationLauncher::Result result = ApplicationLauncher::launch(entry(quoted()));
    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_TRUE(result.scoped);
    const qint64 pid = record().value(0).toLongLong(); // the program's own $$
    EXPECT_EQ(result.processIds, QList<qint64>{pid});

    const QJsonObject call = QJsonDocument::fromJson(nextLine()).object();
    EXPECT_EQ(call.value(u"name"_s).toString(), u"app-corvella-app-%1.scope"_s.arg(pid));
    EXPECT_EQ(call.value(u"mode"_s).toString(), u"fail"_s);
    const QJsonObject properties = call.value(u"properties"_s).toObject();
    EXPECT_EQ(properties.value(u"PIDs"_s).toArray(), QJsonArray{pid});
    EXPECT_TRUE(properties.value(u"Description"_s).toString().contains(u"Rec"_s));
}

} // namespace

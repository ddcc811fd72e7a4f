#include "platform/ApplicationLauncher.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

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
        const QDeadlineTimer deadline(10000);
        while (!exists(path(u"record"_s)) && !deadline.hasExpired())
            QThread::msleep(10);
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

} // namespace

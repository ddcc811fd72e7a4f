#include "platform/SingleInstance.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList warnings;

// Binds a socket file and closes it without listening, as a copy that was killed leaves it.
bool leaveStaleSocket(const QString& path)
{
    sockaddr_un address{AF_UNIX, {}};
    const QByteArray name = QFile::encodeName(path);
    std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    struct stat status {};
    return bound && ::lstat(name.constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir runtime;
    ScopedEnvironmentVariable runtimeDir{"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

// Also where a copy that crashed left its socket behind. The later copy blocks while it talks to
// the first, so it runs on a thread of its own; its request (tokens with a quote, a newline and
// non-ASCII text) reaches the first whole. Different keys do not meet.
TEST_F(SingleInstanceTest, FirstCopyListensInThePrivateFolderAndLaterCopiesReopenIt)
{
    const ActivationRequest request{u"toggle"_s, u"DiskManager"_s, u"tok\"en\n\u00e9"_s,
                                    u"id_TIME42"_s};
    for (const bool stale : {false, true}) {
        const QString key = stale ? u"com.example.stale"_s : u"com.example.test"_s;
        ASSERT_TRUE(!stale || leaveStaleSocket(SingleInstance(key).socketPath()));
        SingleInstance first(key);
        EXPECT_FALSE(first.anotherInstanceRuns());
        EXPECT_TRUE(first.socketPath().startsWith(runtime.path() + u"/corvella/"_s) &&
                    exists(first.socketPath()));
        QSignalSpy reopened(&first, &SingleInstance::requestReceived);
        std::atomic<int> answer{-1};
        std::thread later([&] { answer = SingleInstance(key).anotherInstanceRuns(request); });
        EXPECT_TRUE(reopened.wait(5000));
        later.join();
        EXPECT_EQ(answer.load(), 1) << key.toStdString();
        ASSERT_EQ(reopened.count(), 1);
        EXPECT_TRUE(reopened.first().first().value<ActivationRequest>() == request);
        EXPECT_FALSE(SingleInstance(key + u"-other"_s).anotherInstanceRuns());
    }
}

TEST_F(SingleInstanceTest, RefusedPrivateFolderIsReportedAndNothingIsMadeElsewhere)
{
    const QString folder = runtime.filePath(u"corvella"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                warnings.append(text);
        });
    SingleInstance first(u"com.example.refused"_s);
    SingleInstance second(u"com.example.refused"_s);
    const bool found = first.anotherInstanceRuns() || second.anotherInstanceRuns();
    qInstallMessageHandler(previous);
    EXPECT_FALSE(found) << "with no private folder each copy runs on its own";
    EXPECT_TRUE(first.socketPath().isEmpty()) << first.socketPath().toStdString();
    EXPECT_EQ(entriesOf(folder), QStringList());
    for (const QString& stray :
         {u"/com.example.refused.socket"_s, u"/com.example.refused.socket.lock"_s}) {
        EXPECT_FALSE(exists(stray)) << stray.toStdString();
        QFile::remove(stray);
    }
    EXPECT_EQ(warnings.filter(folder).filter(u"only copy"_s).size(), 2)
        << warnings.join(u'\n').toStdString();
}

} // namespace

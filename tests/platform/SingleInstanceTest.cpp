#include "platform/SingleInstance.h"

#include "support/ScopedEnvironmentVariable.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir runtime;
    ScopedEnvironmentVariable runtimeDir{"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

TEST_F(SingleInstanceTest, FirstCopyListensInThePrivateFolderAndLaterCopiesReopenIt)
{
    SingleInstance first(QStringLiteral("com.example.test"));
    EXPECT_FALSE(first.anotherInstanceRuns());
    EXPECT_TRUE(first.socketPath().startsWith(runtime.path() + QStringLiteral("/corvella/")));
    EXPECT_TRUE(QFile::exists(first.socketPath()));

    QSignalSpy reopened(&first, &SingleInstance::reopenRequested);
    // The second copy blocks while it talks to the first, so it runs on a thread of its own
    // while this thread serves the first copy's socket.
    std::atomic<int> answer{-1};
    std::thread second([&answer] {
        SingleInstance later(QStringLiteral("com.example.test"));
        answer = later.anotherInstanceRuns() ? 1 : 0;
    });
    EXPECT_TRUE(reopened.wait(5000));
    second.join();
    EXPECT_EQ(answer.load(), 1);
    EXPECT_EQ(reopened.count(), 1);
}

TEST_F(SingleInstanceTest, DifferentKeysDoNotMeet)
{
    SingleInstance one(QStringLiteral("com.example.one"));
    SingleInstance two(QStringLiteral("com.example.two"));
    EXPECT_FALSE(one.anotherInstanceRuns());
    EXPECT_FALSE(two.anotherInstanceRuns());
}

TEST_F(SingleInstanceTest, SocketLeftByACrashedCopyIsReplaced)
{
    QString path;
    {
        SingleInstance probe(QStringLiteral("com.example.stale"));
        path = probe.socketPath();
    }
    // A socket file with nobody listening, as a copy that was killed leaves behind.
    {
        QLocalServer crashed;
        crashed.setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(crashed.listen(path));
        crashed.close();
        QFile placeholder(path);
        ASSERT_TRUE(placeholder.open(QIODevice::WriteOnly));
    }
    SingleInstance fresh(QStringLiteral("com.example.stale"));
    EXPECT_FALSE(fresh.anotherInstanceRuns());
    QSignalSpy reopened(&fresh, &SingleInstance::reopenRequested);
    std::thread second(
        [] { SingleInstance(QStringLiteral("com.example.stale")).anotherInstanceRuns(); });
    EXPECT_TRUE(reopened.wait(5000));
    second.join();
}

} // namespace

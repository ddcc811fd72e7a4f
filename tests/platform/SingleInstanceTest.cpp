#include "platform/SingleInstance.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QCoreApplication>
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

namespace {

QStringList warnings;

void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
}

// Binds a socket file at path and closes it without listening, as a copy that was killed leaves.
bool leaveStaleSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    struct stat status {};
    return bound && ::lstat(name.constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

class SingleInstanceTest : public ::testing::Test {
protected:
    // Starts a later copy on a thread of its own (it blocks while it talks to the first) and
    // serves the first copy's socket here until it was told; answers what the later copy saw.
    static int startLaterCopy(SingleInstance& first, const QString& key)
    {
        QSignalSpy reopened(&first, &SingleInstance::reopenRequested);
        std::atomic<int> answer{-1};
        std::thread later([&answer, key] { answer = SingleInstance(key).anotherInstanceRuns(); });
        EXPECT_TRUE(reopened.wait(5000));
        later.join();
        EXPECT_EQ(reopened.count(), 1);
        return answer;
    }

    QTemporaryDir runtime;
    ScopedEnvironmentVariable runtimeDir{"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

TEST_F(SingleInstanceTest, FirstCopyListensInThePrivateFolderAndLaterCopiesReopenIt)
{
    SingleInstance first(QStringLiteral("com.example.test"));
    EXPECT_FALSE(first.anotherInstanceRuns());
    EXPECT_TRUE(first.socketPath().startsWith(runtime.path() + QStringLiteral("/corvella/")));
    EXPECT_TRUE(exists(first.socketPath()));
    EXPECT_EQ(startLaterCopy(first, QStringLiteral("com.example.test")), 1);

    SingleInstance other(QStringLiteral("com.example.other"));
    EXPECT_FALSE(other.anotherInstanceRuns()) << "different keys do not meet";
}

TEST_F(SingleInstanceTest, SocketLeftByACrashedCopyIsReplaced)
{
    const QString path = SingleInstance(QStringLiteral("com.example.stale")).socketPath();
    ASSERT_TRUE(leaveStaleSocket(path));

    SingleInstance fresh(QStringLiteral("com.example.stale"));
    EXPECT_FALSE(fresh.anotherInstanceRuns());
    EXPECT_EQ(startLaterCopy(fresh, QStringLiteral("com.example.stale")), 1);
}

TEST_F(SingleInstanceTest, RefusedPrivateFolderIsReportedAndNothingIsMadeElsewhere)
{
    // Open to other users, so anyone could plant a socket there.
    const QString folder = runtime.filePath(QStringLiteral("corvella"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    const QStringList strayFiles{QStringLiteral("/com.example.refused.socket"),
                                 QStringLiteral("/com.example.refused.socket.lock")};
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);

    SingleInstance first(QStringLiteral("com.example.refused"));
    SingleInstance second(QStringLiteral("com.example.refused"));
    const bool firstFound = first.anotherInstanceRuns();
    const bool secondFound = second.anotherInstanceRuns();
    qInstallMessageHandler(previous);

    EXPECT_FALSE(firstFound);
    EXPECT_FALSE(secondFound) << "with no private folder each copy runs on its own";
    EXPECT_TRUE(first.socketPath().isEmpty()) << first.socketPath().toStdString();
    EXPECT_EQ(entriesOf(folder), QStringList());
    for (const QString& stray : strayFiles) {
        EXPECT_FALSE(exists(stray)) << stray.toStdString();
        QFile::remove(stray);
    }
    EXPECT_EQ(warnings.filter(folder).filter(QStringLiteral("only copy")).size(), 2)
        << warnings.join(u'\n').toStdString();
}

} // namespace

// The version check against servers that never stop sending: it holds its size and time limits
// and its memory stays small. The servers run in a python3 process of their own, so that they
// send as fast as the loopback interface carries while the check's process is measured.
#include "update/VersionChecker.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
qint64 statusKiB(const QByteArray& field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(QByteArray(field + ":")))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

struct StreamCase {
    const char* mode;
    QString reason; // a part of it
};

class VersionCheckerStreamTest : public ::testing::TestWithParam<StreamCase> {};

TEST_P(VersionCheckerStreamTest, HoldsItsLimits)
{
    QProcess server;
    server.start(u"python3"_s,
                 {QStringLiteral(CORVELLA_ENDLESS_SERVER), QString::fromLatin1(GetParam().mode)});
    ASSERT_TRUE(server.waitForStarted(5000));
    QElapsedTimer waiting;
    waiting.start();
    while (!server.canReadLine() && !waiting.hasExpired(10000))
        server.waitForReadyRead(100);
    const int port = server.readLine().trimmed().toInt();
    ASSERT_GT(port, 0) << server.readAllStandardError().toStdString();

    // Resets the peak to the present size, so the peak below is this check's.
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    ASSERT_TRUE(clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1);
    clearRefs.close();
    const qint64 before = statusKiB("VmRSS");

    VersionChecker checker;
    QSignalSpy finished(&checker, &VersionChecker::finished);
    QElapsedTimer elapsed;
    elapsed.start();
    checker.getVersionChange(QUrl(u"http://127.0.0.1:%1/record"_s.arg(port)), 100);
    ASSERT_TRUE(finished.wait(VersionChecker::timeoutMs * 3));
    const qint64 took = elapsed.elapsed();
    const qint64 grown = statusKiB("VmHWM") - before;
    server.kill();
    server.waitForFinished(5000);

    const auto result = finished.constFirst().constFirst().value<VersionCheckResult>();
    EXPECT_EQ(int(result.outcome), int(VersionCheckResult::Outcome::Unreachable));
    EXPECT_TRUE(result.reason.contains(GetParam().reason)) << result.reason.toStdString();
    EXPECT_LT(took, 6000) << "the check took " << took << " ms";
    EXPECT_LT(grown, 16 * 1024) << "the peak grew by " << grown << " KiB";
}

INSTANTIATE_TEST_SUITE_P(Servers, VersionCheckerStreamTest,
                         ::testing::Values(StreamCase{"chunked", u"larger than 64 KiB"_s},
                                           StreamCase{"unsized", u"larger than 64 KiB"_s},
                                           StreamCase{"drip", u"within 5 seconds"_s}),
                         [](const auto& info) { return std::string(info.param.mode); });

} // namespace

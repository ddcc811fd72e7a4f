// The version check against a loopback HTTP server in the test process, and against servers that
// never stop sending: those run in a python3 process of their own, so that they send as fast as
// the loopback interface carries while the check's process is measured.
#include "update/VersionChecker.h"

#include "LoopbackRecordServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 shipped = 100;

struct CheckCase {
    const char* label;
    QByteArray response; // the whole HTTP answer; empty: never answered
    VersionCheckResult::Outcome outcome;
    QString version;
    QStringList lines;
    QString reason; // a part of it
};

class VersionCheckerTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(VersionCheckerTest, ReadsTheRecord)
{
    const CheckCase& check = GetParam();
    LoopbackRecordServer server;
    ASSERT_TRUE(server.isListening());
    if (!check.response.isEmpty())
        server.serve("/record", check.response);
    VersionChecker checker;
    QSignalSpy finished(&checker, &VersionChecker::finished);
    checker.getVersionChange(server.url("/record"), shipped);
    ASSERT_TRUE(finished.wait(VersionChecker::timeoutMs * 3));
    const auto result = finished.constFirst().constFirst().value<VersionCheckResult>();
    EXPECT_EQ(int(result.outcome), int(check.outcome)) << result.reason.toStdString();
    EXPECT_EQ(result.version, check.version);
    QStringList lines;
    for (const auto& line : result.lines)
        lines << VersionCheckResult::lineText(line);
    EXPECT_EQ(lines, check.lines);
    EXPECT_TRUE(result.reason.contains(check.reason)) << result.reason.toStdString();
    EXPECT_EQ(check.reason.isEmpty(), result.reason.isEmpty());
}

using Outcome = VersionCheckResult::Outcome;
using Server = LoopbackRecordServer;
CheckCase answered(const char* label, const QByteArray& entries, Outcome outcome,
                   const QString& version = {}, const QStringList& lines = {})
{
    return {label, Server::ok(Server::record(entries)), outcome, version, lines, {}};
}
CheckCase unreachable(const char* label, const QByteArray& response, const QString& reason)
{
    return {label, response, Outcome::Unreachable, {}, {}, reason};
}
// Records without a build number to compare: never "up to date".
CheckCase unreadable(const char* label, const QByteArray& entries, const QString& reason)
{
    return unreachable(label, Server::ok(Server::record(entries)), reason);
}
const QByteArray build101 = "<key>VersionCheck</key><integer>101</integer>"
                            "<key>Version</key><string>2.0</string>";

INSTANTIATE_TEST_SUITE_P(
    Records, VersionCheckerTest,
    ::testing::Values(
        answered("equal", "<key>VersionCheck</key><string>100</string>", Outcome::None),
        answered("oneGreater",
                 build101 + "<key>1</key><string>Faster scans</string>"
                            "<key>2</key><string>A new tab</string>",
                 Outcome::Newer, u"2.0"_s, {u"1:Faster scans"_s, u"2:A new tab"_s}),
        // A gap in the numbering and values that are not text: those lines are skipped.
        answered("brokenLines",
                 build101 + "<key>1</key><integer>7</integer><key>3</key><string>late</string>"
                            "<key>2</key><dict/>",
                 Outcome::Newer, u"2.0"_s, {u"3:late"_s}),
        // A negative build number is a number, compared as a signed one.
        answered("negative", "<key>VersionCheck</key><integer>-5</integer>", Outcome::None),
        unreachable("notARecord", Server::ok("<html>Service unavailable</html>"),
                    u"could not be read"_s),
        unreachable("missingPage", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n",
                    u"could not be fetched"_s),
        unreachable("oversizedDeclared",
                    Server::ok(QByteArray(65 * 1024, ' ') + Server::record(build101)),
                    u"larger than 64 KiB"_s),
        unreachable("redirectOffTheMachine",
                    "HTTP/1.1 302 Found\r\nLocation: http://update.example.invalid/r\r\n"
                    "Content-Length: 0\r\n\r\n",
                    u"elsewhere"_s),
        unreachable("neverAnswers", {}, u"within 5 seconds"_s),
        unreadable("noBuildNumber", "<key>Version</key><string>9</string>", u"holds no build"_s),
        unreadable("text", "<key>VersionCheck</key><string>abc</string>", u"is “abc”, not a"_s),
        unreadable("truth", "<key>VersionCheck</key><true/>", u"not a whole number"_s),
        unreadable("beyond64Bits", "<key>VersionCheck</key><integer>18446744073709551617</integer>",
                   u"“18446744073709551617” is not a whole number within 64 bits"_s),
        unreadable("nestedTooDeep",
                   "<key>VersionCheck</key><integer>101</integer><key>1</key>" +
                       QByteArray("<array>").repeated(3000) + QByteArray("</array>").repeated(3000),
                   u"nested deeper than 64 levels"_s)),
    [](const auto& info) { return std::string(info.param.label); });

TEST(VersionCheckerAddressTest, FetchesOnlyHttpsOrLoopback)
{
    EXPECT_EQ(VersionChecker::refusal(QUrl(u"https://corvella.example.org/v.plist"_s)), QString());
    EXPECT_EQ(VersionChecker::refusal(QUrl(u"http://[::1]:8000/v.plist"_s)), QString());
    EXPECT_NE(VersionChecker::refusal(QUrl(u"http://corvella.example.org/v.plist"_s)), QString());
    EXPECT_NE(VersionChecker::refusal(QUrl(u"http://127.0.0.1.example.org/"_s)), QString());
    EXPECT_NE(VersionChecker::refusal(QUrl(u"file:///etc/passwd"_s)), QString());
}

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

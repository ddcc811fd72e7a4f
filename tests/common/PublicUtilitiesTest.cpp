#include "common/PublicUtilities.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <limits>

namespace {

struct SizeCase {
    std::int64_t bytes;
    const char* decimal;
    const char* binary;
};

class SizeTextTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTextTest, FormatsWithTheRightUnitAndTwoDecimals)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(PublicUtilities::longlongDiskSize(c.bytes).toStdString(), c.decimal);
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(c.bytes).toStdString(), c.binary);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, SizeTextTest,
    ::testing::Values(
        SizeCase{0, "0 byte", "0 byte"}, SizeCase{-5, "-5 byte", "-5 byte"},
        SizeCase{1, "1 byte", "1 byte"}, SizeCase{999, "999 byte", "999 byte"},
        SizeCase{1000, "1.00 KB", "1000 byte"}, SizeCase{1023, "1.02 KB", "1023 byte"},
        SizeCase{1024, "1.02 KB", "1.00 KB"},
        // Rounding reaches 1000.00 without a change of unit.
        SizeCase{999999, "1000.00 KB", "976.56 KB"}, SizeCase{1000000, "1.00 MB", "976.56 KB"},
        SizeCase{1048575, "1.05 MB", "1024.00 KB"}, SizeCase{1048576, "1.05 MB", "1.00 MB"},
        SizeCase{123456789, "123.46 MB", "117.74 MB"},
        SizeCase{999999999, "1000.00 MB", "953.67 MB"},
        SizeCase{1000000000, "1.00 GB", "953.67 MB"}, SizeCase{1073741823, "1.07 GB", "1024.00 MB"},
        SizeCase{1073741824, "1.07 GB", "1.00 GB"},
        SizeCase{999999999999, "1000.00 GB", "931.32 GB"},
        SizeCase{1000000000000, "1.00 TB", "931.32 GB"},
        SizeCase{1099511627775, "1.10 TB", "1024.00 GB"},
        SizeCase{1099511627776, "1.10 TB", "1.00 TB"},
        SizeCase{std::numeric_limits<std::int64_t>::min(), "-9223372036854775808 byte",
                 "-9223372036854775808 byte"},
        SizeCase{std::numeric_limits<std::int64_t>::max(), "9223372.00 TB", "8388608.00 TB"}));

TEST(SystemVersionTest, LinuxAnswersElevenSoCurrentBranchesAreTaken)
{
    unsigned major = 0;
    unsigned minor = 99;
    unsigned bugFix = 99;
    PublicUtilities::getSystemVersionMajor(&major, &minor, &bugFix);
    EXPECT_EQ(major, 11u);
    EXPECT_EQ(minor, 0u);
    EXPECT_EQ(bugFix, 0u);
    PublicUtilities::getSystemVersionMajor(nullptr, nullptr, nullptr); // skipped, no crash
    EXPECT_EQ(PublicUtilities::getSystemVersion(), 1100);
    EXPECT_EQ(PublicUtilities::getMinorVersion(), 0u);
    // The whole version decides, not the minor number alone.
    EXPECT_TRUE(PublicUtilities::supportsUserNotifications());
}

// Points the settings and the XDG folders at a temporary home for the duration of a test.
class TemporaryHome : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        saved = {{"XDG_CONFIG_HOME", qgetenv("XDG_CONFIG_HOME")},
                 {"XDG_DATA_HOME", qgetenv("XDG_DATA_HOME")},
                 {"XDG_DATA_DIRS", qgetenv("XDG_DATA_DIRS")},
                 {"CORVELLA_SHIPPED_SETTINGS", qgetenv("CORVELLA_SHIPPED_SETTINGS")}};
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
        qputenv("CORVELLA_SHIPPED_SETTINGS",
                QFile::encodeName(home.filePath(QStringLiteral("missing.plist"))));
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    QTemporaryDir home;
    std::vector<std::pair<const char*, QByteArray>> saved;
};

using SettingsAccessorsTest = TemporaryHome;

TEST_F(SettingsAccessorsTest, PopupPointIsStoredAsTextWithOneDecimal)
{
    PublicUtilities::writePopWindowPoint(QPointF(12.34, 5.0));
    EXPECT_EQ(PublicUtilities::getPopWindowPoint(), QPointF(12.3f, 5.0f));
    QFile file(home.filePath(QStringLiteral("config/corvella/StringMessage.plist")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    EXPECT_TRUE(xml.contains("<string>12.3</string>"));
    EXPECT_TRUE(xml.contains("<string>5.0</string>"));
}

TEST_F(SettingsAccessorsTest, FontsAndFirstStartTimeRoundTrip)
{
    EXPECT_TRUE(PublicUtilities::getLightFontName().isEmpty());
    EXPECT_TRUE(PublicUtilities::getBeginDataTimeStr().isEmpty());
    PublicUtilities::writRegularFont(QStringLiteral("Regular Sans"));
    PublicUtilities::writLightFont(QStringLiteral("Light Sans"));
    PublicUtilities::writBoldFont(QStringLiteral("Bold Sans"));
    ASSERT_TRUE(PublicUtilities::writeBeginDataTimeStr());
    EXPECT_EQ(PublicUtilities::getRegularFontName(), QStringLiteral("Regular Sans"));
    EXPECT_EQ(PublicUtilities::getLightFontName(), QStringLiteral("Light Sans"));
    EXPECT_EQ(PublicUtilities::getBoldFontName(), QStringLiteral("Bold Sans"));
    EXPECT_TRUE(QDateTime::fromString(PublicUtilities::getBeginDataTimeStr(),
                                      QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                    .isValid());
}

using ApplicationPathsTest = TemporaryHome;

TEST_F(ApplicationPathsTest, DataHomeFirstThenDataDirsExistingOnly)
{
    const QString dataHome = home.filePath(QStringLiteral("data"));
    const QString first = home.filePath(QStringLiteral("dirs1"));
    const QString missing = home.filePath(QStringLiteral("dirs2"));
    const QString last = home.filePath(QStringLiteral("dirs3"));
    for (const QString& folder : {dataHome, first, last})
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/applications")));
    ASSERT_TRUE(QDir().mkpath(missing)); // no applications folder inside
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(first + u':' + missing + u':' + last));
    EXPECT_EQ(PublicUtilities::applicationPaths(),
              (QStringList{dataHome + QStringLiteral("/applications"),
                           first + QStringLiteral("/applications"),
                           last + QStringLiteral("/applications")}));
}

// A loopback HTTP server that answers every request with a short page, or stays silent.
class LoopbackServer : public QObject {
public:
    explicit LoopbackServer(bool answers)
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, this, [this, answers] {
            QTcpSocket* socket = server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, answers] {
                socket->readAll();
                if (answers)
                    socket->write(
                        "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
            });
        });
    }
    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    }
    QTcpServer server;
};

TEST(NetworkProbeTest, AnswersYesWhenDataComesBack)
{
    LoopbackServer server(true);
    EXPECT_TRUE(PublicUtilities::isCanBeUseNetWork(server.url(), 5000));
}

TEST(NetworkProbeTest, AnswersNoWhenTheServerStaysSilentOrIsAbsent)
{
    LoopbackServer silent(false);
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork(silent.url(), 300));

    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        port = closed.serverPort();
    }
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork(
        QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)), 2000));
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork(QUrl(), 2000));
}

} // namespace

#include "common/PublicUtilities.h"

#include "support/Files.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QLocale>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace Qt::StringLiterals;

// The shown form follows the default locale's decimal separator and never groups digits; the C
// form (for --json and stored files) ignores the locale.
struct SizeCase {
    QLocale::Language language;
    std::int64_t bytes;
    const char* decimal;
    const char* binary;
};

class SizeTextTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTextTest, FormatsWithTheRightUnitAndTwoDecimals)
{
    const auto [language, bytes, decimal, binary] = GetParam();
    const QLocale before;
    QLocale::setDefault(QLocale(language, QLocale::AnyTerritory));
    const QString shown = PublicUtilities::longlongDiskSize(bytes);
    const QString memory = PublicUtilities::longlongConvertVolSpace(bytes);
    const QString stored = PublicUtilities::longlongDiskSize(bytes, PublicUtilities::TextForm::C);
    QLocale::setDefault(before);
    EXPECT_EQ(shown, QLatin1String(decimal));
    EXPECT_EQ(memory, QLatin1String(binary));
    EXPECT_EQ(stored, QString(QLatin1String(decimal)).replace(u',', u'.'));
}

// Every unit threshold of both scales, rounding that reaches 1000.00 without a unit change, the
// extremes, and the separators of other locales.
constexpr auto C = QLocale::C, De = QLocale::German, En = QLocale::English;
INSTANTIATE_TEST_SUITE_P(
    Sizes, SizeTextTest,
    ::testing::Values(
        SizeCase{C, -5, "-5 byte", "-5 byte"}, SizeCase{C, 999, "999 byte", "999 byte"},
        SizeCase{C, 1000, "1.00 KB", "1000 byte"}, SizeCase{C, 1024, "1.02 KB", "1.00 KB"},
        SizeCase{C, 999999, "1000.00 KB", "976.56 KB"},
        SizeCase{C, 1000000, "1.00 MB", "976.56 KB"}, SizeCase{C, 1048576, "1.05 MB", "1.00 MB"},
        SizeCase{C, 1000000000, "1.00 GB", "953.67 MB"},
        SizeCase{C, 1073741823, "1.07 GB", "1024.00 MB"},
        SizeCase{C, 1073741824, "1.07 GB", "1.00 GB"},
        SizeCase{C, 1000000000000, "1.00 TB", "931.32 GB"},
        SizeCase{C, 1099511627776, "1.10 TB", "1.00 TB"},
        SizeCase{De, std::numeric_limits<std::int64_t>::min(), "-9223372036854775808 byte",
                 "-9223372036854775808 byte"},
        SizeCase{C, std::numeric_limits<std::int64_t>::max(), "9223372.00 TB", "8388608.00 TB"},
        SizeCase{De, 1500000, "1,50 MB", "1,43 MB"},
        SizeCase{De, 1234567890123456, "1234,57 TB", "1122,83 TB"},
        SizeCase{En, 1500000, "1.50 MB", "1.43 MB"},
        SizeCase{En, 1234567890123456, "1234.57 TB", "1122.83 TB"}));

TEST(ApplicationPathsTest, DataHomeFirstThenDataDirsExistingOnly)
{
    const QTemporaryDir folder;
    const QString home = folder.path();
    for (const char* path : {"/a/applications", "/b/applications", "/c", "/d/applications"})
        ASSERT_TRUE(QDir().mkpath(home + QLatin1String(path)));
    const ScopedEnvironmentVariable data("XDG_DATA_HOME", files::native(home + u"/a"_s));
    const ScopedEnvironmentVariable dirs("XDG_DATA_DIRS",
                                         files::native(u"%1/b:%1/c:%1/d"_s.arg(home)));
    EXPECT_EQ(PublicUtilities::applicationPaths(),
              (QStringList{home + u"/a/applications"_s, home + u"/b/applications"_s,
                           home + u"/d/applications"_s}));
}

TEST(NetworkProbeTest, AnswersYesOnlyWhenDataComesBack)
{
    const auto url = [](const QTcpServer& server) {
        return QUrl(u"http://127.0.0.1:%1/"_s.arg(server.serverPort()));
    };
    QTcpServer answering, silent, gone;
    ASSERT_TRUE(answering.listen(QHostAddress::LocalHost) &&
                silent.listen(QHostAddress::LocalHost) && gone.listen(QHostAddress::LocalHost));
    QObject::connect(&answering, &QTcpServer::newConnection, &answering, [&answering] {
        answering.nextPendingConnection()->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
    });
    const QUrl closed = url(gone);
    gone.close();
    EXPECT_TRUE(PublicUtilities::isCanBeUseNetWork(url(answering), 5000));
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork(url(silent), 300));
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork(closed, 2000));
    EXPECT_FALSE(PublicUtilities::isCanBeUseNetWork(QUrl(), 2000));
}

} // namespace

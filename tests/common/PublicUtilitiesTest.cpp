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

struct SizeCase {
    std::int64_t bytes;
    const char* decimal;
    const char* binary;
};

class SizeTextTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTextTest, FormatsWithTheRightUnitAndTwoDecimals)
{
    const auto [bytes, decimal, binary] = GetParam();
    EXPECT_EQ(PublicUtilities::longlongDiskSize(bytes), QLatin1String(decimal));
    EXPECT_EQ(PublicUtilities::longlongConvertVolSpace(bytes), QLatin1String(binary));
}

// Every unit threshold of both scales, and rounding that reaches 1000.00 without a unit change.
INSTANTIATE_TEST_SUITE_P(
    Thresholds, SizeTextTest,
    ::testing::Values(
        SizeCase{-5, "-5 byte", "-5 byte"}, SizeCase{999, "999 byte", "999 byte"},
        SizeCase{1000, "1.00 KB", "1000 byte"}, SizeCase{1024, "1.02 KB", "1.00 KB"},
        SizeCase{999999, "1000.00 KB", "976.56 KB"}, SizeCase{1000000, "1.00 MB", "976.56 KB"},
        SizeCase{1048576, "1.05 MB", "1.00 MB"}, SizeCase{1000000000, "1.00 GB", "953.67 MB"},
        SizeCase{1073741823, "1.07 GB", "1024.00 MB"}, SizeCase{1073741824, "1.07 GB", "1.00 GB"},
        SizeCase{1000000000000, "1.00 TB", "931.32 GB"},
        SizeCase{1099511627776, "1.10 TB", "1.00 TB"},
        SizeCase{std::numeric_limits<std::int64_t>::min(), "-9223372036854775808 byte",
                 "-9223372036854775808 byte"},
        SizeCase{std::numeric_limits<std::int64_t>::max(), "9223372.00 TB", "8388608.00 TB"}));

// The shown form follows the default locale's decimal separator, never groups digits, and keeps
// units and rounding; the C form (for --json and stored files) ignores the locale.
struct LocaleSizeCase {
    QLocale::Language language;
    std::int64_t bytes;
    const char* shown;
    const char* memory;
};

class LocaleSizeTextTest : public ::testing::TestWithParam<LocaleSizeCase> {};

TEST_P(LocaleSizeTextTest, ShownFormUsesTheLocaleCFormDoesNot)
{
    const auto [language, bytes, shown, memory] = GetParam();
    const QLocale before;
    QLocale::setDefault(QLocale(language, QLocale::AnyTerritory));
    const QString decimal = PublicUtilities::longlongDiskSize(bytes);
    const QString binary = PublicUtilities::longlongConvertVolSpace(bytes);
    const QString stored = PublicUtilities::longlongDiskSize(bytes, PublicUtilities::TextForm::C);
    QLocale::setDefault(before);
    EXPECT_EQ(decimal, QLatin1String(shown));
    EXPECT_EQ(binary, QLatin1String(memory));
    EXPECT_EQ(stored, QString(QLatin1String(shown)).replace(u',', u'.'));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LocaleSizeTextTest,
    ::testing::Values(LocaleSizeCase{QLocale::German, 1500000, "1,50 MB", "1,43 MB"},
                      LocaleSizeCase{QLocale::German, 999, "999 byte", "999 byte"},
                      LocaleSizeCase{QLocale::German, 1234567890123456, "1234,57 TB", "1122,83 TB"},
                      LocaleSizeCase{QLocale::English, 1500000, "1.50 MB", "1.43 MB"},
                      LocaleSizeCase{QLocale::English, 1234567890123456, "1234.57 TB",
                                     "1122.83 TB"},
                      LocaleSizeCase{QLocale::C, 1048576, "1.05 MB", "1.00 MB"}));

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

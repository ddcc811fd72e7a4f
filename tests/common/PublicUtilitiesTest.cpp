#include "common/PublicUtilities.h"

#include "support/Files.h"

#include <QLocale>

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
// extremes, and another locale's separators (German's comma; neither groups digits).
constexpr auto C = QLocale::C, De = QLocale::German, En = QLocale::English;
INSTANTIATE_TEST_SUITE_P(
    Sizes, SizeTextTest,
    ::testing::Values(
        SizeCase{C, 999, "999 byte", "999 byte"}, SizeCase{C, 1000, "1.00 KB", "1000 byte"},
        SizeCase{C, 1024, "1.02 KB", "1.00 KB"}, SizeCase{C, 999999, "1000.00 KB", "976.56 KB"},
        SizeCase{C, 1000000, "1.00 MB", "976.56 KB"}, SizeCase{C, 1048576, "1.05 MB", "1.00 MB"},
        SizeCase{C, 1000000000, "1.00 GB", "953.67 MB"},
        SizeCase{C, 1073741823, "1.07 GB", "1024.00 MB"},
        SizeCase{C, 1073741824, "1.07 GB", "1.00 GB"},
        SizeCase{C, 1000000000000, "1.00 TB", "931.32 GB"},
        SizeCase{C, 1099511627776, "1.10 TB", "1.00 TB"},
        SizeCase{De, std::numeric_limits<std::int64_t>::min(), "-9223372036854775808 byte",
                 "-9223372036854775808 byte"},
        SizeCase{C, std::numeric_limits<std::int64_t>::max(), "9223372.00 TB", "8388608.00 TB"},
        SizeCase{De, 1234567890123456, "1234,57 TB", "1122,83 TB"},
        SizeCase{En, 1234567890123456, "1234.57 TB", "1122.83 TB"}));

} // namespace

#include "support/Files.h"
#include "tasks/SystemLoadSampler.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr std::uint64_t GiB = 1024ull * 1024 * 1024;

// /proc/stat lines: "cpuN user nice system idle iowait irq softirq steal".
QByteArray stat(const QList<QList<int>>& cpus)
{
    QByteArray text = "cpu  0 0 0 0 0 0 0 0 0 0\n";
    for (qsizetype cpu = 0; cpu < cpus.size(); ++cpu) {
        text += "cpu" + QByteArray::number(cpu);
        for (const int ticks : cpus.at(cpu))
            text += ' ' + QByteArray::number(1000000000000ll + ticks); // far past 32 bits
        text += '\n';
    }
    return text + "intr 1 2 3\nctxt 4\n";
}

struct CpuCase {
    const char* name;
    QList<QList<int>> before;
    QList<QList<int>> after;
    double percent;
    bool red;
};

void PrintTo(const CpuCase& c, std::ostream* out)
{
    *out << c.name;
}

class CpuLoad : public ::testing::TestWithParam<CpuCase> {};

TEST_P(CpuLoad, ReadsTicksSinceThePreviousSample)
{
    const CpuCase& c = GetParam();
    QTemporaryDir proc;
    ASSERT_TRUE(files::writeFile(proc.filePath("stat"), stat(c.before)));
    SystemLoadSampler sampler(proc.path());
    ASSERT_TRUE(files::writeFile(proc.filePath("stat"), stat(c.after)));
    const SystemLoadReading reading = sampler.updateSysStat();
    ASSERT_TRUE(reading.cpuPercent.has_value());
    EXPECT_EQ(SystemLoadSampler::percentText(*reading.cpuPercent).toStdString(),
              SystemLoadSampler::percentText(c.percent).toStdString());
    EXPECT_EQ(SystemLoadSampler::isHighLoad(*reading.cpuPercent), c.red);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fixtures, CpuLoad, ::testing::Values(
    CpuCase{"FourCpus60", {{0, 0, 0, 0}, {5, 5, 5, 5}, {0, 0, 0, 0}, {9, 0, 0, 9}},
            {{50, 0, 10, 40}, {55, 5, 15, 45}, {30, 10, 20, 40}, {9, 0, 60, 49}}, 60.0, true},
    CpuCase{"ExactlyHalfIsBlue", {{0, 0, 0, 0}}, {{60, 0, 40, 100}}, 50.0, false},
    CpuCase{"NiceCountsAsUser", {{0, 0, 0, 0}}, {{0, 30, 10, 60}}, 40.0, false},
    CpuCase{"IrqAndStealCountAsSystem", {{0, 0, 0, 0, 0, 0, 0, 0}}, {{0, 0, 10, 40, 10, 10, 10, 20}}, 50.0, false},
    CpuCase{"NoTicksGivesZero", {{7, 7, 7, 7}}, {{7, 7, 7, 7}}, 0.0, false},
    CpuCase{"BackwardsIowaitCountsAsZero", {{0, 0, 0, 0, 900}}, {{50, 0, 0, 50, 100}}, 50.0, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CpuLoad, ChangedCpuCountTakesAFreshBaseline)
{
    QTemporaryDir proc;
    ASSERT_TRUE(files::writeFile(proc.filePath("stat"), stat({{0, 0, 0, 0}})));
    SystemLoadSampler sampler(proc.path());
    ASSERT_TRUE(files::writeFile(proc.filePath("stat"), stat({{0, 0, 0, 0}, {0, 0, 0, 0}})));
    EXPECT_FALSE(sampler.updateSysStat().cpuPercent.has_value());
    EXPECT_EQ(sampler.cpuCount(), 2u);
    ASSERT_TRUE(files::writeFile(proc.filePath("stat"), stat({{100, 0, 0, 0}, {0, 0, 0, 100}})));
    const SystemLoadReading reading = sampler.updateSysStat();
    ASSERT_TRUE(reading.cpuPercent.has_value());
    EXPECT_DOUBLE_EQ(*reading.cpuPercent, 50.0);
    EXPECT_EQ(reading.cpus, (QList<double>{100.0, 0.0}));
}

TEST(MemoryLoad, UsedIsTotalLessAvailableAndZeroWhenUnknown)
{
    QTemporaryDir proc;
    ASSERT_TRUE(files::writeFile(proc.filePath("stat"), stat({{0, 0, 0, 0}})));
    ASSERT_TRUE(files::writeFile(proc.filePath("meminfo"),
                                 "MemTotal:       16777216 kB\nMemFree:         2097152 kB\n"
                                 "MemAvailable:    6291456 kB\nActive:          1048576 kB\n"
                                 "Unevictable:        1024 kB\nSUnreclaim:         2048 kB\n"));
    ASSERT_TRUE(files::writeFile(proc.filePath("vmstat"), "pgpgin 10\npgpgout 20\npgfault 3\n"));
    const SystemLoadReading reading = SystemLoadSampler(proc.path()).updateSysStat();
    const SSMemoryInfo& info = reading.memoryInfo;
    // Total, free, inactive, used, active, wired (unevictable and unreclaimable), pages in, out.
    EXPECT_EQ(std::vector<std::uint64_t>({info.totalMemory, info.freeMemory, info.inactiveMemory,
                                          info.usedMomory, info.activeMemory, info.wiredMemory,
                                          info.pageIn, info.pageOut}),
              std::vector<std::uint64_t>({16 * GiB, 2 * GiB, 4 * GiB, 10 * GiB, 1 * GiB,
                                          3072 * 1024, 10 * 1024, 20 * 1024}));
    EXPECT_EQ(SystemLoadSampler::percentText(reading.memoryPercent).toStdString(), "62.5%");
    EXPECT_TRUE(SystemLoadSampler::isHighLoad(reading.memoryPercent));
    // Without a meminfo the total is unknown: 0%, not a division by zero.
    const SystemLoadReading unknown = SystemLoadSampler(proc.filePath("none")).updateSysStat();
    EXPECT_EQ(SystemLoadSampler::percentText(unknown.memoryPercent).toStdString(), "0.0%");
}

} // namespace

#include "platform/MachineInfo.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class MachineInfoTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }
    MachineInfo info() const { return MachineInfo(m_root.path()); }

    QTemporaryDir m_root;
};

TEST_F(MachineInfoTest, ProductNameIsTrimmedAndUnreadableIsEmpty)
{
    const QString productName = path(QStringLiteral("sys/class/dmi/id/product_name"));
    EXPECT_EQ(info().productName(), QString());
    ASSERT_TRUE(writeFile(productName, "  Ordinateur portable \xc3\xa9t\xc3\xa9 \n"));
    EXPECT_EQ(info().productName(), QStringLiteral("Ordinateur portable été"));
    ASSERT_TRUE(writeFile(productName, " \n"));
    EXPECT_EQ(info().productName(), QString());
    ASSERT_TRUE(QFile::remove(productName) && QDir().mkpath(productName));
    EXPECT_EQ(info().productName(), QString()) << "a folder in place of the file reads as nothing";
}

struct BacklightCase {
    const char* name;
    // Device folder name to max_brightness content; a null content leaves the file out.
    std::vector<std::pair<QString, QByteArray>> devices;
    bool expected;
};

class MachineInfoBacklightTest : public MachineInfoTest,
                                 public ::testing::WithParamInterface<BacklightCase> {};

TEST_P(MachineInfoBacklightTest, NeedsADeviceWithAPositiveMaximum)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sys/class/backlight"))));
    for (const auto& [device, maximum] : GetParam().devices) {
        // As in sysfs, the class entry is a symbolic link to the device's folder.
        const QString folder = path(QStringLiteral("sys/devices/") + device);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::link(folder, path(QStringLiteral("sys/class/backlight/") + device)));
        const QString file = folder + QStringLiteral("/max_brightness");
        ASSERT_TRUE(maximum.isNull() || writeFile(file, maximum));
    }
    EXPECT_EQ(info().hasBacklight(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, MachineInfoBacklightTest,
    ::testing::Values(BacklightCase{"NoDevice", {}, false},
                      BacklightCase{
                          "IntelPanel", {{QStringLiteral("intel_backlight"), "19393\n"}}, true},
                      BacklightCase{"OnlyBrokenDevices",
                                    {{QStringLiteral("acpi_video0"), "0\n"},
                                     {QStringLiteral("acpi_video1"), "-1\n"},
                                     {QStringLiteral("acpi_video2"), "bright\n"},
                                     {QStringLiteral("acpi_video3"), ""},
                                     {QStringLiteral("acpi_video4"), QByteArray()}},
                                    false},
                      BacklightCase{"OneUsableAmongBroken",
                                    {{QStringLiteral("acpi_video0"), "0\n"},
                                     {QStringLiteral("amdgpu_bl0"), "255\n"}},
                                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineInfoTest, StrayEntriesInTheBacklightClassAreNoDevices)
{
    EXPECT_FALSE(info().hasBacklight());
    ASSERT_TRUE(writeFile(path(QStringLiteral("sys/class/backlight/stray_file")), "1\n"));
    EXPECT_FALSE(info().hasBacklight()) << "a plain file is not a device";
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("sys/class/backlight/panel/max_brightness"))));
    EXPECT_FALSE(info().hasBacklight()) << "a folder in place of max_brightness reads as nothing";
}

} // namespace

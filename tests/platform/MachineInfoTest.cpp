#include "platform/MachineInfo.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class MachineInfoTest : public ::testing::Test {
protected:
    QString path(const QString& relativePath) const { return m_root.filePath(relativePath); }
    MachineInfo info() const { return MachineInfo(m_root.path()); }

    QTemporaryDir m_root;
};

TEST_F(MachineInfoTest, ProductNameIsTrimmedAndUnreadableIsEmpty)
{
    const QString productName = path(u"sys/class/dmi/id/product_name"_s);
    EXPECT_EQ(info().productName(), QString());
    ASSERT_TRUE(writeFile(productName, "  Ordinateur portable \xc3\xa9t\xc3\xa9 \n"));
    EXPECT_EQ(info().productName(), u"Ordinateur portable été"_s);
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
    ASSERT_TRUE(QDir().mkpath(path(u"sys/class/backlight"_s)));
    for (const auto& [device, maximum] : GetParam().devices) {
        // As in sysfs, the class entry is a symbolic link to the device's folder.
        const QString folder = path(u"sys/devices/"_s + device);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::link(folder, path(u"sys/class/backlight/"_s + device)));
        const QString file = folder + u"/max_brightness"_s;
        ASSERT_TRUE(maximum.isNull() || writeFile(file, maximum));
    }
    EXPECT_EQ(info().hasBacklight(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, MachineInfoBacklightTest,
    ::testing::Values(BacklightCase{"NoDevice", {}, false},
                      BacklightCase{"IntelPanel", {{u"intel_backlight"_s, "19393\n"}}, true},
                      BacklightCase{"OnlyBrokenDevices",
                                    {{u"acpi_video0"_s, "0\n"},
                                     {u"acpi_video1"_s, "-1\n"},
                                     {u"acpi_video2"_s, "bright\n"},
                                     {u"acpi_video3"_s, ""},
                                     {u"acpi_video4"_s, QByteArray()}},
                                    false},
                      BacklightCase{"OneUsableAmongBroken",
                                    {{u"acpi_video0"_s, "0\n"}, {u"amdgpu_bl0"_s, "255\n"}},
                                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineInfoTest, StrayEntriesInTheBacklightClassAreNoDevices)
{
    EXPECT_FALSE(info().hasBacklight());
    ASSERT_TRUE(writeFile(path(u"sys/class/backlight/stray_file"_s), "1\n"));
    EXPECT_FALSE(info().hasBacklight()) << "a plain file is not a device";
    ASSERT_TRUE(QDir().mkpath(path(u"sys/class/backlight/panel/max_brightness"_s)));
    EXPECT_FALSE(info().hasBacklight()) << "a folder in place of max_brightness reads as nothing";
}

} // namespace

#include "platform/devices/MachineInfo.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(MachineInfoTest, BacklightNeedsADeviceWithAPositiveMaximumAndNotAStrayEntry)
{
    const QTemporaryDir top;
    // Device folder names to max_brightness contents; a null content leaves the file out.
    const std::vector<std::pair<QString, QByteArray>> broken{
        {u"video0"_s, "0\n"}, {u"video1"_s, "-1\n"}, {u"video2"_s, "x\n"}, {u"video3"_s, {}}};
    const struct {
        std::vector<std::pair<QString, QByteArray>> devices;
        bool expected;
    } rows[] = {{{}, false},
                {{{u"intel_backlight"_s, "19393\n"}}, true},
                {broken, false},
                {{{u"acpi_video0"_s, "0\n"}, {u"amdgpu_bl0"_s, "255\n"}}, true}};
    for (int row = 0; row < int(std::size(rows)); ++row) {
        const QString root = top.filePath(u"row%1"_s.arg(row));
        ASSERT_TRUE(QDir().mkpath(root + u"/sys/class/backlight"));
        for (const auto& [device, maximum] : rows[row].devices) {
            // As in sysfs, the class entry is a symbolic link to the device's folder.
            const QString folder = root + u"/sys/devices/" + device;
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_TRUE(QFile::link(folder, root + u"/sys/class/backlight/" + device));
            ASSERT_TRUE(maximum.isNull() || writeFile(folder + u"/max_brightness", maximum));
        }
        EXPECT_EQ(MachineInfo(root).hasBacklight(), rows[row].expected) << "row " << row;
    }
    // No class folder, then stray entries that are no devices: a file, a folder as max_brightness.
    EXPECT_FALSE(MachineInfo(top.path()).hasBacklight());
    ASSERT_TRUE(writeFile(top.filePath(u"sys/class/backlight/stray_file"_s), "1\n"));
    ASSERT_TRUE(QDir().mkpath(top.filePath(u"sys/class/backlight/panel/max_brightness"_s)));
    EXPECT_FALSE(MachineInfo(top.path()).hasBacklight());
}

} // namespace

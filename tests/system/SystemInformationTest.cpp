#include "system/SystemInformation.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/utsname.h>

using namespace Qt::StringLiterals;

namespace {

// A laptop as fixture files under a root: the texts shown are its name, version (before the
// kernel's), model, processor, graphics (the device under its own vendor in pci.ids, not a
// subsystem), serial and memory.
TEST(SystemInformationTest, ShowsTheMachinesFacts)
{
    const std::pair<QString, QByteArray> files[] = {
        {u"etc/os-release"_s, "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                              "NAME=\"Debian GNU/Linux\"\nVERSION=\"12 (bookworm)\"\n"},
        {u"proc/cpuinfo"_s, "processor\t: 0\nvendor_id\t: GenuineIntel\n"
                            "model name\t: 12th Gen Intel(R) Core(TM) i7-1260P\n\n"
                            "processor\t: 1\nmodel name\t: other\n"},
        {u"proc/meminfo"_s, "MemTotal:       16777216 kB\nMemFree:  1 kB\n"},
        {u"sys/class/dmi/id/sys_vendor"_s, "LENOVO\n"},
        {u"sys/class/dmi/id/product_name"_s, "21AH\n"},
        {u"sys/class/dmi/id/product_version"_s, "ThinkPad T14 Gen 3\n"},
        {u"sys/class/dmi/id/product_serial"_s, "PF3XYZ12\n"},
        {u"sys/class/drm/card0-eDP-1/status"_s, "connected\n"},
        {u"sys/class/drm/card0/device/vendor"_s, "0x8086\n"},
        {u"sys/class/drm/card0/device/device"_s, "0x46a6\n"},
        {u"usr/share/misc/pci.ids"_s, "# comment\n"
                                      "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
                                      "\t46a6  Not this one\n"
                                      "8086  Intel Corporation\n"
                                      "\t0001  Another device\n"
                                      "\t\t46a6 0001  A subsystem, not a device\n"
                                      "\t46a6  Alder Lake-P GT2 [Iris Xe Graphics]\n"}};
    QTemporaryDir root;
    for (const auto& [path, content] : files)
        ASSERT_TRUE(files::writeFile(root.filePath(path), content));
    const SystemInformation info = SystemInformation::collect(MachineInfo(root.path()));
    struct utsname kernel {};
    ASSERT_EQ(::uname(&kernel), 0);
    EXPECT_EQ(
        (QStringList{info.versionName, info.version, info.compterVerion, info.cpuName, info.grpName,
                     info.serName, info.memorySize}),
        (QStringList{u"Debian GNU/Linux"_s,
                     u"Version 12 (bookworm), Linux "_s + QString::fromUtf8(kernel.release),
                     u"LENOVO 21AH ThinkPad T14 Gen 3"_s, u"12th Gen Intel(R) Core(TM) i7-1260P"_s,
                     u"Intel Corporation Alder Lake-P GT2 [Iris Xe Graphics]"_s,
                     u"Serial Number: PF3XYZ12"_s, u"MemorySize: 16.00 GB"_s}));
    EXPECT_FALSE(info.getMacModel());
}

} // namespace

#include "system/SystemInformation.h"

#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/utsname.h>

using namespace Qt::StringLiterals;

namespace {

// A machine as fixture files under a root (path relative to the root, then content), and the
// texts shown: name, version (before the kernel's), model, processor, graphics, serial, memory.
struct MachineCase {
    const char* label;
    QList<std::pair<QString, QByteArray>> files;
    QStringList expected;
    bool mini;
};

class SystemInformationTest : public ::testing::TestWithParam<MachineCase> {};

TEST_P(SystemInformationTest, ShowsTheMachinesFacts)
{
    QTemporaryDir root;
    for (const auto& [path, content] : GetParam().files)
        ASSERT_TRUE(files::writeFile(root.filePath(path), content));
    const SystemInformation info = SystemInformation::collect(MachineInfo(root.path()));
    struct utsname kernel {};
    ASSERT_EQ(::uname(&kernel), 0);
    QStringList expected = GetParam().expected;
    expected[1] +=
        (expected[1].isEmpty() ? u"Linux "_s : u", Linux "_s) + QString::fromUtf8(kernel.release);
    EXPECT_EQ((QStringList{info.versionName, info.version, info.compterVerion, info.cpuName,
                           info.grpName, info.serName, info.memorySize}),
              expected);
    EXPECT_EQ(info.getMacModel(), GetParam().mini);
}

const QByteArray pciIds = "# comment\n"
                          "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
                          "\t46a6  Not this one\n"
                          "8086  Intel Corporation\n"
                          "\t0001  Another device\n"
                          "\t\t46a6 0001  A subsystem, not a device\n"
                          "\t46a6  Alder Lake-P GT2 [Iris Xe Graphics]\n";

INSTANTIATE_TEST_SUITE_P(
    Machines, SystemInformationTest,
    ::testing::Values(
        MachineCase{
            "laptop",
            {{u"etc/os-release"_s, "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
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
             {u"usr/share/misc/pci.ids"_s, pciIds}},
            {u"Debian GNU/Linux"_s, u"Version 12 (bookworm)"_s, u"LENOVO 21AH ThinkPad T14 Gen 3"_s,
             u"12th Gen Intel(R) Core(TM) i7-1260P"_s,
             u"Intel Corporation Alder Lake-P GT2 [Iris Xe Graphics]"_s,
             u"Serial Number: PF3XYZ12"_s, u"MemorySize: 16.00 GB"_s},
            false},
        // No model name (ARM), no serial (root-only), no VERSION, a card missing from pci.ids,
        // os-release only under usr/lib.
        MachineCase{"boardWithoutExtras",
                    {{u"usr/lib/os-release"_s, "NAME=Arch\nPRETTY_NAME='Arch Linux'\n"},
                     {u"proc/cpuinfo"_s, "processor\t: 0\nBogoMIPS\t: 108.00\n"},
                     {u"proc/device-tree/model"_s, QByteArray("Raspberry Pi 4 Model B", 22) + '\0'},
                     {u"proc/meminfo"_s, "MemTotal:        3884076 kB\n"},
                     {u"sys/class/dmi/id/product_name"_s, "Mac mini\n"},
                     {u"sys/class/drm/card1/device/vendor"_s, "0x14e4\n"},
                     {u"sys/class/drm/card1/device/device"_s, "0x0001\n"},
                     {u"usr/share/misc/pci.ids"_s, pciIds}},
                    {u"Arch"_s, QString(), u"Mac mini"_s, u"Raspberry Pi 4 Model B"_s,
                     u"0x14e4 0x0001"_s, u"Serial Number: (null)"_s, u"MemorySize: 3.70 GB"_s},
                    true}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace

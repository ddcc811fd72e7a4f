// What the Disk Manager tab, VolumesManager and corvella-cli allow for each kind of volume.
#include "disks/VolumeCapabilities.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace {

struct CapabilityCase {
    const char* name;
    const char* device;
    const char* mountPoint; // "" when not mounted
    const char* type;
    std::int32_t kind;
    bool ejectable;
    const char* systemMount;      // facts read from the system, "" when none
    const char* systemDiskMount;  //
    const char* systemDependency; //
    // What each answer says: "" allowed, else a part of the reason.
    const char* rename;
    const char* format;
    const char* eject;
};

class Capabilities : public ::testing::TestWithParam<CapabilityCase> {};

TEST_P(Capabilities, AnswerEachActionWithItsReason)
{
    const CapabilityCase& row = GetParam();
    DVVolumeInfo volume;
    volume.volumeName = QString::fromUtf8(row.name);
    volume.device = QString::fromUtf8(row.device);
    volume.volRootDir = QString::fromUtf8(row.mountPoint);
    volume.bIsDefaultVol = volume.volRootDir == u"/";
    volume.fileSystemType = QString::fromUtf8(row.type);
    volume.volType = row.kind;
    volume.bCanEject = row.ejectable;
    volume.systemMount = QString::fromUtf8(row.systemMount);
    volume.systemDiskMount = QString::fromUtf8(row.systemDiskMount);
    volume.systemDependency = QString::fromUtf8(row.systemDependency);
    const VolumeCapabilities can = VolumeCapabilities::of(volume, QStringLiteral("/home/ann"));
    for (const auto& [answer, expected] :
         {std::pair{can.rename, row.rename}, std::pair{can.format, row.format},
          std::pair{can.eject, row.eject}}) {
        const QString part = QString::fromUtf8(expected);
        EXPECT_EQ(answer.allowed, part.isEmpty()) << answer.reason.toStdString();
        EXPECT_EQ(answer.reason.isEmpty(), part.isEmpty());
        EXPECT_TRUE(answer.reason.contains(part)) << answer.reason.toStdString();
    }
}

constexpr auto internal = DVVolumeInfo::KindInternal;
constexpr auto external = DVVolumeInfo::KindExternalBus;

INSTANTIATE_TEST_SUITE_P(
    Volumes, Capabilities,
    ::testing::Values(
        CapabilityCase{"usbStick", "/dev/sdb1", "/media/ann/STICK", "vfat", external, true, "", "",
                       "", "", "", ""},
        // Disk images and card-reader media are formatted like any other removable disk.
        CapabilityCase{"diskImage", "/dev/loop3", "/media/ann/IMAGE", "exfat",
                       DVVolumeInfo::KindRemovable, true, "", "", "", "", "", ""},
        // Not mounted: an empty mount point is no system mount.
        CapabilityCase{"unmounted", "/dev/loop4", "", "ext4", DVVolumeInfo::KindRemovable, true, "",
                       "", "", "", "", ""},
        CapabilityCase{"startUp", "/dev/sda2", "/", "ext4", internal, false, "", "", "", "",
                       "/dev/sda2 holds /, which the system needs", "start-up volume"},
        CapabilityCase{"home", "/dev/sda3", "/home", "ext4", internal, false, "", "", "", "",
                       "holds /home", "“home” is on a fixed disk"},
        CapabilityCase{"network", "server:/export", "/mnt/share", "nfs4", DVVolumeInfo::KindNetwork,
                       true, "", "", "", "network volume", "network volume", ""},
        CapabilityCase{"windows", "/dev/sda4", "/mnt/win", "ntfs", internal, false, "", "", "",
                       "“windows” is an NTFS volume", "", "fixed disk"},
        CapabilityCase{"disc", "/dev/sr0", "/media/ann/DISC", "iso9660", DVVolumeInfo::KindOptical,
                       true, "", "", "", "", "optical disc", ""},
        CapabilityCase{"overlay", "overlay", "/media/ann/merged", "overlay", internal, false, "",
                       "", "", "no disk device", "no disk device", "fixed disk"},
        // A whole disk whose partition carries "/", unmounted itself.
        CapabilityCase{"wholeDisk", "/dev/sdc", "", "", external, true, "/", "", "", "",
                       "/dev/sdc holds /", ""},
        CapabilityCase{"underLvm", "/dev/sdd1", "/media/ann/PV", "LVM2_member", external, true, "",
                       "", "/dev/sdd1 carries / through /dev/dm-0", "",
                       "carries / through /dev/dm-0", ""},
        CapabilityCase{"besideBoot", "/dev/sde2", "/media/ann/DATA", "ext4", external, true, "",
                       "/boot", "", "", "", "shares its disk with /boot"},
        CapabilityCase{"line\nbreak", "/dev/sdf1", "/media/ann/line\nbreak", "ext4", internal,
                       false, "", "", "", "", "", "“line\nbreak” is on a fixed disk"}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

} // namespace

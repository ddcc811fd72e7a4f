// What the Disk Manager tab, VolumesManager and corvella-cli allow for each kind of volume.
#include "disks/VolumeCapabilities.h"

#include <gtest/gtest.h>

namespace {

struct CapabilityCase {
    const char* device;
    const char* mountPoint; // "" when not mounted; its last part names the volume
    const char* type;
    std::int32_t kind;
    bool ejectable;
    const char* facts;   // "systemMount|systemDiskMount|systemDependency", read from the system
    const char* answers; // "rename|format|eject": "" allowed, else a part of the reason
};

class Capabilities : public ::testing::TestWithParam<CapabilityCase> {};

TEST_P(Capabilities, AnswerEachActionWithItsReason)
{
    const CapabilityCase& row = GetParam();
    const QStringList facts = QString::fromUtf8(row.facts).split(u'|');
    DVVolumeInfo volume;
    volume.device = QString::fromUtf8(row.device);
    volume.volRootDir = QString::fromUtf8(row.mountPoint);
    volume.volumeName = volume.volRootDir.section(u'/', -1);
    volume.bIsDefaultVol = volume.volRootDir == u"/";
    volume.fileSystemType = QString::fromUtf8(row.type);
    volume.volType = row.kind;
    volume.bCanEject = row.ejectable;
    volume.systemMount = facts.at(0);
    volume.systemDiskMount = facts.at(1);
    volume.systemDependency = facts.at(2);
    const VolumeCapabilities can = VolumeCapabilities::of(volume, QStringLiteral("/home/ann"));
    const QStringList answers = QString::fromUtf8(row.answers).split(u'|');
    const VolumeCapabilities::Answer actual[] = {can.rename, can.format, can.eject};
    for (int action = 0; action < 3; ++action) {
        EXPECT_EQ(actual[action].allowed, answers.at(action).isEmpty()) << action;
        EXPECT_TRUE(actual[action].reason.contains(answers.at(action)))
            << actual[action].reason.toStdString();
    }
}

constexpr auto fixed = DVVolumeInfo::KindInternal;
constexpr auto usb = DVVolumeInfo::KindExternalBus;
constexpr auto removable = DVVolumeInfo::KindRemovable;

INSTANTIATE_TEST_SUITE_P(
    Volumes, Capabilities,
    ::testing::Values(
        CapabilityCase{"/dev/sdb1", "/media/ann/STICK", "vfat", usb, true, "||", "||"},
        // Disk images and card-reader media are formatted like any other removable disk; an
        // unmounted one has no mount point, which is no system mount either.
        CapabilityCase{"/dev/loop3", "/media/ann/IMAGE", "exfat", removable, true, "||", "||"},
        CapabilityCase{"/dev/loop4", "", "ext4", removable, true, "||", "||"},
        CapabilityCase{"/dev/sda2", "/", "ext4", fixed, false, "||",
                       "|/dev/sda2 holds /, which the system needs|start-up volume"},
        CapabilityCase{"/dev/sda3", "/home", "ext4", fixed, false, "||",
                       "|holds /home|“home” is on a fixed disk"},
        CapabilityCase{"srv:/x", "/mnt/share", "nfs4", DVVolumeInfo::KindNetwork, true, "||",
                       "“share” is a network volume|network volume|"},
        CapabilityCase{"/dev/sda4", "/mnt/win", "ntfs", fixed, false, "||",
                       "“win” is an NTFS volume||fixed disk"},
        CapabilityCase{"/dev/sr0", "/media/ann/CD", "iso9660", DVVolumeInfo::KindOptical, true,
                       "||", "|optical disc|"},
        CapabilityCase{"overlay", "/media/ann/merged", "overlay", fixed, false, "||",
                       "no disk device|no disk device|fixed disk"},
        // Facts read from udisks2 and sysfs: a whole disk whose partition carries "/", a device
        // beneath LVM, a disk that also holds /boot.
        CapabilityCase{"/dev/sdc", "", "", usb, true, "/||", "|/dev/sdc holds /|"},
        CapabilityCase{"/dev/sdd1", "/media/ann/PV", "LVM2_member", usb, true,
                       "||/dev/sdd1 carries / through /dev/dm-0", "|through /dev/dm-0|"},
        CapabilityCase{"/dev/sde2", "/media/ann/DATA", "ext4", usb, true, "|/boot|",
                       "||shares its disk with /boot"},
        CapabilityCase{"/dev/sdf1", "/media/ann/line\nbreak", "ext4", fixed, false, "||",
                       "||“line\nbreak” is on a fixed disk"}));

} // namespace

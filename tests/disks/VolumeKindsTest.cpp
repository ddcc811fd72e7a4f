// Kinds and the inventory's choice of mounts, against fixture sysfs trees and mount tables.
#include "disks/VolumesInfo.h"
#include "disks/VolumesManager.h"
#include "support/Files.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct KindCase {
    const char* name;
    const char* device;    // the mount's source
    const char* type;      // the mount's file-system type
    const char* sysfsLink; // where /sys/class/block/<disk> leads, under devices/
    const char* removable; // /sys/block/<disk>/removable
    std::int32_t kind;
    bool ejectable;
};

class Kinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(Kinds, FollowTheOrderNetworkOpticalBusRemovable)
{
    const KindCase& row = GetParam();
    QTemporaryDir sys;
    ASSERT_TRUE(sys.isValid());
    const QString device = QLatin1StringView(row.device);
    // The disk of a partition: "sdb1" lies on "sdb", "nvme0n1p2" on "nvme0n1"; "sr0" is a disk.
    const QString disk = device.section(u'/', -1).remove(
        QRegularExpression(QStringLiteral("(?<=^sd[a-z])\\d+$|(?<=\\d)p\\d+$")));
    if (*row.sysfsLink != 0) {
        const QString target =
            sys.filePath(QStringLiteral("devices/") + QLatin1StringView(row.sysfsLink));
        ASSERT_TRUE(QDir().mkpath(target) && QDir().mkpath(sys.filePath("class/block")));
        ASSERT_TRUE(QFile::link(target, sys.filePath("class/block/" + disk)));
    }
    ASSERT_TRUE(files::writeFile(sys.filePath("block/" + disk + "/removable"), row.removable));
    const MountTable::Mount mount{"/media/user/VOLUME", "/", row.type, row.device};
    EXPECT_EQ(VolumesInfo::getVolumeType(mount, nullptr, nullptr, sys.path()), row.kind);
    EXPECT_EQ(VolumesInfo::getVolEjectFlag(mount, nullptr, nullptr, sys.path()), row.ejectable);
}

constexpr auto bus = DVVolumeInfo::KindExternalBus, removable = DVVolumeInfo::KindRemovable;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Fixtures, Kinds, ::testing::Values(
    KindCase{"usb", "/dev/sdb1", "ext4", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/block/sdb", "0", bus, true},
    KindCase{"sata", "/dev/sda2", "ext4", "pci0000:00/0000:00:17.0/ata1/host0/block/sda", "0", DVVolumeInfo::KindInternal, false},
    KindCase{"optical", "/dev/sr0", "iso9660", "", "1", DVVolumeInfo::KindOptical, true},
    KindCase{"network", "server:/export", "nfs4", "", "0", DVVolumeInfo::KindNetwork, true},
    KindCase{"sshfs", "me@host:", "fuse.sshfs", "", "0", DVVolumeInfo::KindNetwork, true},
    KindCase{"cardReader", "/dev/sdc1", "vfat", "pci0000:00/0000:00:1c.0/host2/block/sdc", "1", removable, true},
    KindCase{"nvmeOnUsb", "/dev/nvme0n1p2", "exfat", "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host7/block/nvme0n1", "0", bus, true},
    KindCase{"sdCard", "/dev/mmcblk0p1", "vfat", "platform/mmc0/block/mmcblk0", "1", removable, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Inventory, ListsRootNetworkAndUserVolumesButNoPseudoOrSystemMounts)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString share = folder.filePath("share"), usb = folder.filePath("media/USB");
    ASSERT_TRUE(QDir().mkpath(share) && QDir().mkpath(usb));
    // The home folder's parent holds the fixture's "/media" stand-in.
    const QByteArray table =
        QByteArrayList{"21 1 8:1 / / rw - ext4 /dev/sda1 rw",
                       "22 21 0:5 / /proc rw - proc proc rw",
                       "23 21 0:6 / /run rw - tmpfs tmpfs rw",
                       "24 21 8:2 / /boot rw - ext4 /dev/sda2 rw",
                       "25 21 7:3 / /snap/core/1 ro - squashfs /dev/loop3 ro",
                       "26 21 0:40 / " + QFile::encodeName(share) + " rw - nfs4 server:/export rw",
                       "27 21 8:17 / " + QFile::encodeName(usb) + " rw - vfat /dev/sdb1 rw",
                       "28 21 8:17 /sub " + QFile::encodeName(folder.filePath("bind")) +
                           " rw - vfat /dev/sdb1 rw",
                       "29 21 8:3 / " + QFile::encodeName(folder.path()) +
                           " rw - ext4 /dev/sda3 rw\n"}
            .join('\n');
    ASSERT_TRUE(files::writeFile(folder.filePath("mountinfo"), table));
    ASSERT_TRUE(files::writeFile(folder.filePath("os-release"), "ID=x\nNAME=\"Fixture OS\"\n"));
    VolumesInfo::Sources sources;
    sources.mountTablePath = folder.filePath("mountinfo");
    sources.sysRoot = folder.filePath("sys");
    sources.osReleasePath = folder.filePath("os-release");
    sources.homePath = folder.filePath("media"); // mounts below the home folder are the user's
    sources.udisks = [&] {
        UDisksClient::Snapshot snapshot;
        UDisksClient::Block stick;
        stick.device = "/dev/sdb1";
        stick.idLabel = "STICK";
        stick.idType = "vfat";
        stick.hasFilesystem = true;
        stick.mountPoints = {QFile::encodeName(usb)};
        UDisksClient::Block boot;
        boot.device = "/dev/sda2";
        boot.hintSystem = true;
        boot.mountPoints = {"/boot"};
        UDisksClient::Block home = boot;
        home.device = "/dev/sda3";
        home.idLabel = "HOME";
        home.mountPoints = {QFile::encodeName(folder.path())};
        snapshot.blocks = {stick, boot, home};
        return snapshot;
    };
    VolumesInfo inventory(sources);
    QStringList listed;
    for (const DVVolumeInfo& volume : inventory.getAllVolsInfo())
        listed.append(volume.volumeName + u'@' + volume.volRootDir);
    // The file system of the home folder is the user's; /boot is not.
    EXPECT_EQ(listed, (QStringList{"Fixture OS@/", "share@" + share, "STICK@" + usb,
                                   "HOME@" + folder.path()}));
    EXPECT_TRUE(inventory.volsArray().constFirst().bIsDefaultVol);
}

struct FormatRequestCase {
    const char* volumeType;
    const char* choice;
    const char* name;
    const char* type;
    const char* label;
};

class FormatRequests : public ::testing::TestWithParam<FormatRequestCase> {};

TEST_P(FormatRequests, FollowTheDialogsRules)
{
    const FormatRequestCase& row = GetParam();
    const auto request = VolumesManager::formatRequest(row.volumeType, row.choice, row.name);
    EXPECT_EQ(request.type, QLatin1StringView(row.type));
    EXPECT_EQ(request.label, QString::fromUtf8(row.label));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, FormatRequests,
    ::testing::Values(FormatRequestCase{"NTFS", "ExFAT", "Keep", "vfat", "NEW"},
                      FormatRequestCase{"ext4", "MS-DOS FAT32", "holiday photos", "vfat",
                                        "HOLIDAY PHO"},
                      FormatRequestCase{"ext4", "ExFAT", " ", "exfat", "NEW"},
                      FormatRequestCase{"ExFAT", "", "Same", "exfat", "Same"},
                      FormatRequestCase{"ext4", "Journaled HFS+", "x", "", ""}));

} // namespace

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
    // The disk of a partition: "sdb1" lies on "sdb", "mmcblk0p1" on "mmcblk0"; "sr0" is a disk.
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
    KindCase{"cardReader", "/dev/sdc1", "vfat", "pci0000:00/0000:00:1c.0/host2/block/sdc", "1", removable, true},
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
        const auto block = [](const char* device, const char* label, const QString& mountPoint) {
            UDisksClient::Block block;
            block.device = device;
            block.idLabel = label;
            block.hintSystem = *label != 'S'; // the disk inside, not the stick
            block.mountPoints = {QFile::encodeName(mountPoint)};
            return block;
        };
        snapshot.blocks = {block("/dev/sdb1", "STICK", usb), block("/dev/sda2", "", "/boot"),
                           block("/dev/sda3", "HOME", folder.path())};
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

// What the format dialog's choice and name become: a type and a label, or neither.
TEST(FormatRequests, FollowTheDialogsRules)
{
    for (const auto& [volumeType, choice, name, type, label] :
         {std::tuple{"NTFS", "ExFAT", "Keep", "vfat", "NEW"},
          {"ext4", "MS-DOS FAT32", "holiday photos", "vfat", "HOLIDAY PHO"},
          {"ext4", "ExFAT", " ", "exfat", "NEW"},
          {"ExFAT", "", "Same", "exfat", "Same"},
          {"ext4", "Journaled HFS+", "x", "", ""}}) {
        const auto request = VolumesManager::formatRequest(volumeType, choice, name);
        EXPECT_EQ(QString(request.type + u'|' + request.label).toStdString(),
                  std::string(type) + '|' + label);
    }
}

} // namespace

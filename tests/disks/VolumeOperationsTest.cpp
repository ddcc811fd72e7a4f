// Eject, rename, format and mount watching on real loop volumes through the udisks2 of the test
// environment (root).
#include "UDisksLoop.h"
#include "disks/DiskDescription.h"
#include "disks/VolumesInfo.h"
#include "disks/VolumesManager.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/statvfs.h>

using namespace Qt::StringLiterals;

namespace {

class VolumeOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS"))
            GTEST_SKIP() << "needs the udisks2 of the test environment (as root)";
        ASSERT_TRUE(m_folder.isValid());
    }
    QTemporaryDir m_folder;
};

// A ready loop volume named `loop`, or a skip.
#define LOOP_OR_SKIP(loop, type, label)                                                            \
    const auto loop = std::make_unique<UDisksLoop>(type, label);                                   \
    if (!loop->problem().isEmpty())                                                                \
    GTEST_SKIP() << loop->problem().toStdString()

// The inventory's record of `device`, if it lists one.
std::optional<DVVolumeInfo> listed(const QString& device)
{
    const QList<DVVolumeInfo> volumes = VolumesInfo().volsArray();
    for (const DVVolumeInfo& volume : volumes) {
        if (volume.device == device)
            return volume;
    }
    return std::nullopt;
}

class MountedInventory : public VolumeOperations,
                         public ::testing::WithParamInterface<std::pair<const char*, const char*>> {
};

TEST_P(MountedInventory, ListsTheVolumeWithKindSizesAndFileSystem)
{
    const auto [type, shown] = GetParam();
    LOOP_OR_SKIP(loop, QLatin1StringView(type), QStringLiteral("INVENTORY"));
    const QString mountPoint = loop->mount();
    ASSERT_FALSE(mountPoint.isEmpty());

    const std::optional<DVVolumeInfo> volume = listed(loop->device());
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->volRootDir, mountPoint);
    EXPECT_EQ(volume->volumeName, u"INVENTORY");
    // A mounted disk image is ejected like a removable disk.
    EXPECT_EQ(volume->volType, DVVolumeInfo::KindRemovable);
    EXPECT_TRUE(volume->bCanEject);
    struct statvfs sizes {};
    ASSERT_EQ(::statvfs(QFile::encodeName(mountPoint).constData(), &sizes), 0);
    EXPECT_EQ(volume->nTotalSize, std::uint64_t(sizes.f_blocks) * sizes.f_frsize);
    EXPECT_GT(volume->nTotalSize, 30u << 20);
    EXPECT_EQ(DiskDescription::GXGetDiskInfo(mountPoint).value("FilesystemName").toString(),
              QLatin1StringView(shown));
}

INSTANTIATE_TEST_SUITE_P(FileSystems, MountedInventory,
                         ::testing::Values(std::pair{"ext4", "ext4"}, std::pair{"exfat", "ExFAT"}),
                         [](const auto& info) { return std::string(info.param.first); });

struct RenameCase {
    const char* type;
    bool mounted;
    QString name;
    QString labelAfter; // what blkid reads afterwards
    const char* messagePart;
};

class Rename : public VolumeOperations, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(Rename, ChangesTheLabelOrSaysWhyNot)
{
    const RenameCase& row = GetParam();
    LOOP_OR_SKIP(loop, QLatin1StringView(row.type), QStringLiteral("OLD"));
    const QString mountPoint = row.mounted ? loop->mount() : QString();
    ASSERT_EQ(mountPoint.isEmpty(), !row.mounted);
    const QString uuid = loop->block().idUUID;
    const VolumeOperationOutcome outcome = VolumesManager().renameDiskWithGuid(uuid, row.name);
    EXPECT_EQ(outcome.succeeded, row.labelAfter != u"OLD") << outcome.message.toStdString();
    EXPECT_TRUE(outcome.message.contains(QString::fromUtf8(row.messagePart)))
        << outcome.message.toStdString();
    EXPECT_EQ(loop->blkid("LABEL"), row.labelAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, Rename,
    ::testing::Values(RenameCase{"ext4", true, "Photos 2026", "Photos 2026", "Renamed"},
                      RenameCase{"vfat", false, "camera", "CAMERA", "Renamed"},
                      RenameCase{"exfat", true, "Trip 2026", "Trip 2026", "mounted again"},
                      RenameCase{"ext4", true, "q$(touch x)\"'a`", "q$(touch x)\"'a`", "Renamed"},
                      RenameCase{"vfat", false, "waytoolongname", "OLD", "at most 11 bytes"},
                      RenameCase{"ext4", true, QString(200, u'n'), "OLD", "at most 16 bytes"},
                      RenameCase{"exfat", false, "twelve chars", "OLD", "at most 11 characters"},
                      RenameCase{"ext4", false, "two\nlines", "OLD", "line breaks"},
                      RenameCase{"vfat", false, "A:B", "OLD", "“:”"}),
    [](const auto& info) { return std::string(info.param.type) + std::to_string(info.index); });

class Format : public VolumeOperations,
               public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(Format, YieldsTheChosenFileSystemWithTheLabel)
{
    const auto [choice, type] = GetParam();
    LOOP_OR_SKIP(loop, QStringLiteral("ext4"), QStringLiteral("BEFORE"));
    ASSERT_FALSE(loop->mount().isEmpty());
    const auto request = VolumesManager::formatRequest("ext4", QLatin1StringView(choice), "Fresh");
    const VolumeOperationOutcome outcome =
        VolumesManager().format(loop->device(), request.type, request.label);
    EXPECT_TRUE(outcome.succeeded) << outcome.message.toStdString();
    EXPECT_EQ(loop->blkid("TYPE"), QLatin1StringView(type));
    EXPECT_EQ(loop->blkid("LABEL"), request.label);
}

INSTANTIATE_TEST_SUITE_P(Choices, Format,
                         ::testing::Values(std::pair{"ExFAT", "exfat"},
                                           std::pair{"MS-DOS FAT32", "vfat"},
                                           std::pair{"ext4", "ext4"}),
                         [](const auto& info) { return std::string(info.param.second); });

TEST_F(VolumeOperations, FormatRefusesTheStartUpVolume)
{
    const VolumeOperationOutcome outcome = VolumesManager().format("/", "ext4", "NOPE");
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_FALSE(outcome.message.isEmpty());
}

// Ejecting the partition of /dev/loopN leaves /dev/loopN0, whose name begins the same, alone.
TEST_F(VolumeOperations, EjectingLoopNLeavesLoopN0Alone)
{
    int n = 1; // N and N0 both free
    while (n < 10 && (runCommand(u"losetup"_s, {u"/dev/loop%1"_s.arg(n)}).exitCode == 0 ||
                      runCommand(u"losetup"_s, {u"/dev/loop%10"_s.arg(n)}).exitCode == 0))
        ++n;
    ASSERT_LT(n, 10) << "no free pair of loop devices";
    const QString disk = u"/dev/loop%1"_s.arg(n);
    UDisksLoop parted(u"ext4"_s, u"PARTED"_s, disk, true);
    UDisksLoop neighbour(u"ext4"_s, u"NEIGHBOUR"_s, disk + u'0');
    ASSERT_EQ(QString(parted.problem() + neighbour.problem()).toStdString(), "");
    ASSERT_FALSE(parted.block().partitionTablePath.isEmpty());
    ASSERT_FALSE(parted.mount().isEmpty() || neighbour.mount().isEmpty());

    const UDisksClient::Snapshot snapshot = UDisksClient().managedObjects();
    QStringList members;
    for (const UDisksClient::Block* member :
         snapshot.sameDisk(*snapshot.blockForDevice(QFile::encodeName(disk))))
        members.append(QFile::decodeName(member->device));
    members.sort();
    EXPECT_EQ(members.join(u' ').toStdString(), QString(disk + u' ' + disk + u"p1").toStdString());

    const std::optional<DVVolumeInfo> volume = listed(parted.device());
    ASSERT_TRUE(volume);
    const VolumeOperationOutcome ejected = VolumesManager().ejectSingleVolume(*volume);
    EXPECT_TRUE(ejected.succeeded) << ejected.message.toStdString();
    EXPECT_FALSE(neighbour.block().mountPoints.isEmpty()) << "NEIGHBOUR must stay mounted";
    EXPECT_TRUE(neighbour.isAttached());
}

TEST_F(VolumeOperations, FormatRefusesADeviceTheSystemStandsOnThroughStackedDevices)
{
    LOOP_OR_SKIP(loop, u"ext4"_s, u"BENEATH"_s);
    // A fixture sysfs: the loop device holds dm-90, which holds md90, on which "/" lies.
    const QString name = loop->device().mid(5), sys = m_folder.filePath(u"sys"_s);
    ASSERT_TRUE(QDir().mkpath(sys + u"/class/block/" + name + u"/holders/dm-90") &&
                QDir().mkpath(sys + u"/class/block/dm-90/holders/md90") &&
                QDir().mkpath(sys + u"/dev/block") && QDir().mkpath(m_folder.filePath(u"proc"_s)));
    struct stat root {};
    ASSERT_EQ(::stat("/", &root), 0);
    ASSERT_TRUE(
        QFile::link(u"../../devices/virtual/block/md90"_s,
                    sys + u"/dev/block/%1:%2"_s.arg(major(root.st_dev)).arg(minor(root.st_dev))));
    const VolumesManager manager(UDisksClient(), m_folder.path(),
                                 {sys, m_folder.filePath(u"proc"_s)});
    const VolumeOperationOutcome outcome = manager.format(loop->device(), u"ext4"_s, u"GONE"_s);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message.toStdString(),
              u"%1 carries / through /dev/md90, which the system needs; it is never formatted."_s
                  .arg(loop->device())
                  .toStdString());
    EXPECT_EQ(loop->blkid("LABEL").toStdString(), "BENEATH");

    ASSERT_TRUE(QDir(sys + u"/class/block/" + name + u"/holders/dm-90").removeRecursively());
    const UDisksClient::Snapshot snapshot = UDisksClient().managedObjects();
    EXPECT_EQ(manager.systemDependency(*snapshot.blockForDevice(QFile::encodeName(loop->device())),
                                       snapshot),
              QString());
}

} // namespace

// Eject, rename, format and mount watching on real loop volumes through the udisks2 of the test
// environment (root).
#include "UDisksLoop.h"
#include "disks/DiskDescription.h"
#include "disks/VolumesInfo.h"
#include "disks/VolumesManager.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

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

const DVVolumeInfo* listed(const QList<DVVolumeInfo>& volumes, const QString& device)
{
    const auto found =
        std::find_if(volumes.begin(), volumes.end(),
                     [&](const DVVolumeInfo& volume) { return volume.device == device; });
    return found == volumes.end() ? nullptr : &*found;
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

    const QList<DVVolumeInfo> volumes = VolumesInfo().volsArray();
    const DVVolumeInfo* volume = listed(volumes, loop->device());
    ASSERT_NE(volume, nullptr);
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
    [](const auto& info) {
        return std::string(info.param.type) +
               (info.param.labelAfter == u"OLD" ? "Refused" : "Renamed") +
               std::to_string(info.index);
    });

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

// udisks2's view of `device` once `ready` holds for it (30 s at most).
UDisksClient::Block waitForBlock(const QString& device,
                                 const std::function<bool(const UDisksClient::Block&)>& ready)
{
    for (const QDeadlineTimer deadline(30000); !deadline.hasExpired(); QThread::msleep(100)) {
        const UDisksClient::Snapshot snapshot = UDisksClient().managedObjects();
        const UDisksClient::Block* block = snapshot.blockForDevice(QFile::encodeName(device));
        if (block != nullptr && ready(*block))
            return *block;
    }
    return {};
}

TEST_F(VolumeOperations, EjectingLoopNLeavesLoopN0Alone)
{
    // /dev/loopN with a partition table and /dev/loopN0 beside it, N and N0 both free.
    int n = 1;
    while (n < 10 && (runCommand(u"losetup"_s, {u"/dev/loop%1"_s.arg(n)}).exitCode == 0 ||
                      runCommand(u"losetup"_s, {u"/dev/loop%10"_s.arg(n)}).exitCode == 0))
        ++n;
    ASSERT_LT(n, 10) << "no free pair of loop devices";
    const QString disk = u"/dev/loop%1"_s.arg(n), neighbour = disk + u'0';
    QStringList madeNodes;
    for (const QString& node : {disk, neighbour}) {
        if (::mknod(QFile::encodeName(node).constData(), S_IFBLK | 0660,
                    makedev(7, node.mid(9).toUInt())) == 0)
            madeNodes.append(node);
    }
    const QString table = m_folder.filePath(u"table.img"_s), other = m_folder.filePath(u"n0.img"_s);
    for (const QString& path : {table, other}) {
        QFile image(path);
        ASSERT_TRUE(image.open(QIODevice::WriteOnly) && image.resize(40 << 20));
    }
    QProcess sfdisk;
    sfdisk.start(u"sfdisk"_s, {u"-q"_s, table});
    sfdisk.write("label: dos\n,,L\n");
    sfdisk.closeWriteChannel();
    ASSERT_TRUE(sfdisk.waitForFinished() && sfdisk.exitCode() == 0) << sfdisk.readAll().data();
    // The partition's file system is made in the image, where sfdisk put it (at 1 MiB).
    ASSERT_EQ(runCommand(u"mkfs.ext4"_s, {u"-q"_s, u"-F"_s, u"-L"_s, u"PARTED"_s, u"-E"_s,
                                          u"offset=1048576"_s, table, u"39M"_s})
                  .exitCode,
              0);
    ASSERT_EQ(
        runCommand(u"mkfs.ext4"_s, {u"-q"_s, u"-F"_s, u"-L"_s, u"NEIGHBOUR"_s, other}).exitCode, 0);
    QStringList attached; // only what this test attached is detached again
    const auto detach = qScopeGuard([&] {
        for (const QString& node : attached) {
            runCommand(u"umount"_s, {node == disk ? disk + u"p1" : node});
            runCommand(u"losetup"_s, {u"-d"_s, node});
        }
        for (const QString& node : madeNodes)
            QFile::remove(node);
    });
    ASSERT_EQ(runCommand(u"losetup"_s, {u"-P"_s, disk, table}).exitCode, 0);
    attached.append(disk);
    // Some kernels skip the partition scan -P asks for: add the partitions (fails if they exist).
    runCommand(u"partx"_s, {u"-a"_s, disk});
    ASSERT_EQ(runCommand(u"losetup"_s, {neighbour, other}).exitCode, 0);
    attached.append(neighbour);
    runCommand(u"udevadm"_s, {u"trigger"_s, u"--action=change"_s, u"--name-match="_s + disk,
                              u"--name-match="_s + disk + u"p1", u"--name-match="_s + neighbour});
    const auto hasExt4 = [](const UDisksClient::Block& block) {
        return block.idType == u"ext4";
    };
    const UDisksClient::Block partition = waitForBlock(disk + u"p1", hasExt4);
    const UDisksClient::Block beside = waitForBlock(neighbour, hasExt4);
    ASSERT_FALSE(partition.partitionTablePath.isEmpty() || beside.objectPath.isEmpty());
    ASSERT_TRUE(UDisksClient().mount(partition.objectPath).succeeded);
    ASSERT_TRUE(UDisksClient().mount(beside.objectPath).succeeded);

    const UDisksClient::Snapshot snapshot = UDisksClient().managedObjects();
    QStringList members;
    for (const UDisksClient::Block* member :
         snapshot.sameDisk(*snapshot.blockForDevice(QFile::encodeName(disk))))
        members.append(QFile::decodeName(member->device));
    members.sort();
    EXPECT_EQ(members.join(u' ').toStdString(), QString(disk + u' ' + disk + u"p1").toStdString());

    const QList<DVVolumeInfo> volumes = VolumesInfo().volsArray();
    const DVVolumeInfo* volume = listed(volumes, disk + u"p1");
    ASSERT_NE(volume, nullptr);
    const VolumeOperationOutcome ejected = VolumesManager().ejectSingleVolume(*volume);
    EXPECT_TRUE(ejected.succeeded) << ejected.message.toStdString();
    EXPECT_FALSE(
        waitForBlock(neighbour,
                     [](const UDisksClient::Block& block) { return !block.mountPoints.isEmpty(); })
            .objectPath.isEmpty())
        << neighbour.toStdString() << " must stay mounted";
    EXPECT_NE(runCommand(u"losetup"_s, {neighbour}).output.indexOf(u"n0.img"), -1);
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

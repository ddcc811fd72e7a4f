// Eject, rename, format and mount watching on real loop volumes through the udisks2 of the test
// environment (root).
#include "UDisksLoop.h"
#include "common/NotificationCenter.h"
#include "disks/DiskDescription.h"
#include "disks/VolumesInfo.h"
#include "disks/VolumesManager.h"
#include "disks/WatchMountUnmount.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/statvfs.h>

namespace {

class VolumeOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("CORVELLA_TEST_UDISKS"))
            GTEST_SKIP() << "needs the udisks2 of the test environment (as root)";
        ASSERT_TRUE(m_folder.isValid());
    }
    // A ready loop volume, or a skip.
    std::unique_ptr<UDisksLoop> volume(const QString& type, const QString& label)
    {
        auto loop = std::make_unique<UDisksLoop>(m_folder.path(), type, label);
        m_problem = loop->problem();
        return loop;
    }
    QTemporaryDir m_folder;
    QString m_problem;
};

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
    const auto loop = volume(QLatin1StringView(type), QStringLiteral("INVENTORY"));
    if (!m_problem.isEmpty())
        GTEST_SKIP() << m_problem.toStdString();
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

TEST_F(VolumeOperations, MountAndUnmountArePostedOnceEach)
{
    const auto loop = volume(QStringLiteral("ext4"), QStringLiteral("WATCHED"));
    if (!m_problem.isEmpty())
        GTEST_SKIP() << m_problem.toStdString();
    WatchMountUnmount watcher;
    // Other programs may mount too: count only this volume's changes.
    QStringList posts;
    QObject::connect(NotificationCenter::defaultCenter(), &NotificationCenter::posted, &watcher,
                     [&](const QString& name, QObject*) {
                         const auto& mounts = name == u"DVVolumeMount" ? watcher.lastMounts()
                                                                       : watcher.lastUnmounts();
                         for (const MountTable::Mount& mount : mounts) {
                             if (mount.source == QFile::encodeName(loop->device()))
                                 posts.append(name);
                         }
                     });
    QSignalSpy mounted(&watcher, &WatchMountUnmount::mountedVolume);
    QSignalSpy unmounted(&watcher, &WatchMountUnmount::unmountedVolume);
    ASSERT_FALSE(loop->mount().isEmpty());
    ASSERT_TRUE(mounted.wait(10000));
    QCoreApplication::processEvents();
    ASSERT_TRUE(UDisksClient().unmount(loop->block().objectPath).succeeded);
    ASSERT_TRUE(unmounted.wait(10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(posts, (QStringList{"DVVolumeMount", "DVVolumeUnmount"}));
}

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
    const auto loop = volume(QLatin1StringView(row.type), QStringLiteral("OLD"));
    if (!m_problem.isEmpty())
        GTEST_SKIP() << m_problem.toStdString();
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
    const auto loop = volume(QStringLiteral("ext4"), QStringLiteral("BEFORE"));
    if (!m_problem.isEmpty())
        GTEST_SKIP() << m_problem.toStdString();
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

TEST_F(VolumeOperations, EjectNamesTheHolderThenUnmountsAndDetaches)
{
    const auto loop = volume(QStringLiteral("ext4"), QStringLiteral("HELD"));
    if (!m_problem.isEmpty())
        GTEST_SKIP() << m_problem.toStdString();
    const QString mountPoint = loop->mount();
    ASSERT_FALSE(mountPoint.isEmpty());
    const DVVolumeInfo* volume = nullptr;
    const QList<DVVolumeInfo> volumes = VolumesInfo().volsArray();
    ASSERT_NE(volume = listed(volumes, loop->device()), nullptr);

    QProcess holder;
    holder.setWorkingDirectory(mountPoint);
    holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(holder.waitForStarted());
    const VolumeOperationOutcome busy = VolumesManager().ejectSingleVolume(*volume);
    EXPECT_FALSE(busy.succeeded);
    EXPECT_TRUE(busy.message.contains(
        QStringLiteral("“HELD” is in use by sleep (%1)").arg(holder.processId())))
        << busy.message.toStdString();
    EXPECT_TRUE(loop->isAttached());
    holder.kill();
    holder.waitForFinished();

    const VolumeOperationOutcome ejected = VolumesManager().ejectSingleVolume(*volume);
    EXPECT_TRUE(ejected.succeeded) << ejected.message.toStdString();
    EXPECT_EQ(listed(VolumesInfo().volsArray(), loop->device()), nullptr);
    EXPECT_FALSE(loop->isAttached());
}

} // namespace

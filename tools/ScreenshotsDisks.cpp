// corvella-screenshots disks: the Disk Manager tab over fixture volumes (three volumes, the rename
// field, the format question and its end), as the popup window draws them.
#include "Screenshots.h"
#include "app/MyNSApplication.h"
#include "common/PublicUtilities.h"
#include "disks/DiskBoxViewController.h"
#include "disks/DiskDescription.h"
#include "disks/DiskManagerViewController.h"
#include "disks/DiskTextFiledView.h"
#include "disks/FormatEndViewController.h"
#include "disks/MakeSureFormatVCDelegate.h"
#include "disks/MakeSureFormatViewController.h"
#include "kit/StatusAttachedWindow.h"

#include <QSignalSpy>
#include <QTest>

#include <cstdio>

namespace {

DVVolumeInfo volume(const char* name, const char* mountPoint, const char* type, int kind,
                    std::uint64_t total, std::uint64_t free)
{
    DVVolumeInfo info;
    info.volumeName = QString::fromUtf8(name);
    info.volRootDir = QString::fromUtf8(mountPoint);
    info.bIsDefaultVol = info.volRootDir == u"/";
    info.fileSystemType = QString::fromUtf8(type);
    info.device = QStringLiteral("/dev/sdz1");
    info.volType = kind;
    info.bCanEject = kind == DVVolumeInfo::KindExternalBus || kind == DVVolumeInfo::KindRemovable;
    info.nTotalSize = total;
    info.nFreeSize = free;
    info.totalSpace = PublicUtilities::longlongDiskSize(std::int64_t(total));
    return info;
}

class NoFormat : public MakeSureFormatVCDelegate {
public:
    void makeSureToFormatSelectVolumeWithName(const QString&, const QString&) override {}
};

} // namespace

int Screenshots::disks(int& argc, char** argv)
{
    MyNSApplication app(argc, argv);
    const QList<DVVolumeInfo> volumes{
        volume("Debian GNU/Linux", "/", "ext4", DVVolumeInfo::KindInternal, 255'000'000'000,
               98'400'000'000),
        volume("STICK", "/media/user/STICK", "vfat", DVVolumeInfo::KindExternalBus, 31'910'000'000,
               22'150'000'000),
        volume("Photos", "/media/user/Photos", "exfat", DVVolumeInfo::KindRemovable,
               128'000'000'000, 12'500'000'000),
    };
    auto* tab = new DiskManagerViewController(
        [volumes] { return volumes; },
        [](const DVVolumeInfo& volume) {
            return QVariantMap{{QStringLiteral("FilesystemName"),
                                DiskDescription::filesystemName(volume.fileSystemType)}};
        });
    tab->setFixedSize(412, 568);
    QSignalSpy rebuilt(tab, &DiskManagerViewController::listRebuilt);
    StatusAttachedWindow* window = StatusAttachedWindow::create(tab, QPointF(-3.0, 0.0));
    window->center();
    window->show();
    if (!QTest::qWaitForWindowExposed(window) || (rebuilt.isEmpty() && !rebuilt.wait(5000))) {
        std::fprintf(stderr, "corvella-screenshots: the tab was never shown\n");
        return 1;
    }
    QTest::qWait(200);
    if (!m_canvas.save(window, QStringLiteral("disks-tab.png")))
        return 1;
    DiskBoxViewController* stick = tab->boxes().at(1);
    stick->renameButtonAction();
    stick->renameTextField()->setText(QStringLiteral("HOLIDAY"));
    QTest::qWait(100);
    if (!m_canvas.save(window, QStringLiteral("disks-rename.png")))
        return 1;
    stick->renameCancelButtonAction();

    NoFormat delegate;
    auto* dialog = new MakeSureFormatViewController(&delegate);
    StatusAttachedWindow* dialogWindow = StatusAttachedWindow::create(dialog, QPointF(-3.0, 0.0));
    dialog->setSuperDelegate(dialogWindow);
    dialog->setName(QStringLiteral("STICK"), QStringLiteral("MS-DOS FAT32"));
    dialogWindow->center();
    dialogWindow->show();
    (void)QTest::qWaitForWindowExposed(dialogWindow);
    QTest::qWait(100);
    if (!m_canvas.save(dialogWindow, QStringLiteral("disks-format.png")))
        return 1;
    delete dialogWindow;

    auto* end = new FormatEndViewController(
        true, QStringLiteral("Formatted /dev/sdb1 as ExFAT named “HOLIDAY”. It is mounted at "
                             "/media/user/HOLIDAY."));
    StatusAttachedWindow* endWindow = StatusAttachedWindow::create(end, QPointF(-3.0, 0.0));
    endWindow->center();
    endWindow->show();
    (void)QTest::qWaitForWindowExposed(endWindow);
    QTest::qWait(100);
    if (!m_canvas.save(endWindow, QStringLiteral("disks-format-end.png")))
        return 1;
    delete endWindow;
    delete window;
    return 0;
}

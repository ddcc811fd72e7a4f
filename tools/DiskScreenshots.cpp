// Writes PNGs of the Disk Manager tab over fixture volumes (three volumes, the rename field, the
// format question and its end), as the popup window draws them, over a desktop-like gradient:
//   disk-screenshots OUTPUT_FOLDER
// or measures how long the tab over the machine's real volumes takes from its creation to its
// shown list, in milliseconds (bench/disks):
//   disk-screenshots --open-time
#include "app/MyNSApplication.h"
#include "common/PublicUtilities.h"
#include "disks/DiskBoxViewController.h"
#include "disks/DiskDescription.h"
#include "disks/DiskManagerViewController.h"
#include "disks/DiskTextFiledView.h"
#include "disks/FormatEndViewController.h"
#include "disks/MakeSureFormatVCDelegate.h"
#include "disks/MakeSureFormatViewController.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
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

bool save(QWidget* window, const QString& path)
{
    const QImage shot = window->grab().toImage();
    QImage canvas(shot.size() + QSize(80, 80), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    QLinearGradient gradient(0, 0, canvas.width(), canvas.height());
    gradient.setColorAt(0, QColor(58, 96, 150));
    gradient.setColorAt(1, QColor(150, 84, 120));
    painter.fillRect(canvas.rect(), gradient);
    painter.drawImage(40, 40, shot);
    painter.end();
    if (!canvas.save(path)) {
        std::fprintf(stderr, "disk-screenshots: cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return true;
}

class NoFormat : public MakeSureFormatVCDelegate {
public:
    void makeSureToFormatSelectVolumeWithName(const QString&, const QString&) override {}
};

} // namespace

int main(int argc, char* argv[])
{
    MyNSApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: disk-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    if (qstrcmp(argv[1], "--open-time") == 0) {
        // In the panel the other tabs have loaded the fonts and drawn images already.
        QLabel warm(QStringLiteral("Disk Manager"));
        warm.setPixmap(KitImages::pixmap(QStringLiteral("ic_disk"), {44, 44}));
        warm.show();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        DiskManagerViewController tab;
        QSignalSpy rebuilt(&tab, &DiskManagerViewController::listRebuilt);
        tab.show();
        if (rebuilt.isEmpty() && !rebuilt.wait(10000))
            return 1;
        QCoreApplication::processEvents(); // the boxes paint
        std::printf("%.1f %lld\n", double(clock.nsecsElapsed()) / 1e6,
                    static_cast<long long>(tab.boxes().size()));
        return 0;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
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
        std::fprintf(stderr, "disk-screenshots: the tab was never shown\n");
        return 1;
    }
    QTest::qWait(200);
    if (!save(window, folder + QStringLiteral("/disks-tab.png")))
        return 1;
    DiskBoxViewController* stick = tab->boxes().at(1);
    stick->renameButtonAction();
    stick->renameTextField()->setText(QStringLiteral("HOLIDAY"));
    QTest::qWait(100);
    if (!save(window, folder + QStringLiteral("/disks-rename.png")))
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
    if (!save(dialogWindow, folder + QStringLiteral("/disks-format.png")))
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
    if (!save(endWindow, folder + QStringLiteral("/disks-format-end.png")))
        return 1;
    delete endWindow;
    delete window;
    return 0;
}

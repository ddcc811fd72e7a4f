// How long the Disk Manager tab over the machine's real volumes takes from its creation to its
// shown list, for bench/disks. Prints the milliseconds and the number of volumes listed:
//   disk-tab-open-time
#include "app/MyNSApplication.h"
#include "disks/DiskManagerViewController.h"
#include "kit/KitImages.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>

#include <cstdio>

int main(int argc, char* argv[])
{
    MyNSApplication app(argc, argv);
    if (argc != 1) {
        std::fprintf(stderr, "usage: disk-tab-open-time\n");
        return 2;
    }
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

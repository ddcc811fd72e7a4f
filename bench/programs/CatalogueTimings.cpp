// The application catalogue's timings, for bench/apps: scans the environment's XDG folders RUNS
// times (5 when not given), then fills the Applications tab once, and prints, as JSON, the
// entries found, the milliseconds of each scan, the tab's time to its complete list and its rows:
//   catalogue-timings [RUNS]
// Exit status 1 when the tab never finished its list.
#include "apps/ApplicationsViewController.h"
#include "apps/RelatedAppFilesScanner.h"
#include "platform/xdg/DesktopEntry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 2) {
        std::fprintf(stderr, "usage: catalogue-timings [RUNS]\n");
        return 2;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QApplication application(argc, argv);
    // As the tab runs in the screenshots: the system's icon themes, Adwaita when none is set.
    QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << QStringLiteral("/usr/share/icons"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    const QStringList locales = DesktopEntry::preferredLocales();
    QList<double> scans;
    qsizetype count = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        RelatedAppFilesScanner scanner{XdgBaseFolders(), locales};
        count = scanner.getApplications().size();
        scans.append(timer.nsecsElapsed() / 1e6);
    }
    QElapsedTimer timer;
    timer.start();
    ApplicationsViewController page;
    QSignalSpy finished(&page, &ApplicationsViewController::scanFinished);
    finished.wait(30000);
    const double tab = timer.nsecsElapsed() / 1e6;
    QString list;
    for (double scan : std::as_const(scans))
        list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + QString::number(scan, 'f', 2);
    std::printf("{\"entries\": %lld, \"scan_ms\": [%s], \"tab_ms\": %.2f, \"tab_rows\": %lld}\n",
                static_cast<long long>(count), qPrintable(list), tab,
                static_cast<long long>(page.allApplications().size()));
    return finished.isEmpty() ? 1 : 0;
}

// Scans a folder in the Downloads window and measures how long the GUI thread was ever kept from
// its event loop:   scan-responsiveness PATH
// Prints "scan-ms <n> longest-stall-ms <n> rows <n>" once the scan has ended.
#include "app/MyNSApplication.h"
#include "downloads/Controller.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "kit/StatusAttachedWindow.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    MyNSApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: scan-responsiveness PATH\n");
        return 2;
    }
    Controller controller;
    auto* view = new DownloadViewController(&controller);
    StatusAttachedWindow* window = StatusAttachedWindow::create(view, QPointF(-3.0, 0.0));
    view->setSuperDelegate(window);
    window->center();
    window->show();

    // A 2 ms heartbeat: the longest gap between two beats, less the period, is the longest time
    // the event loop could not run.
    QElapsedTimer clock;
    qint64 lastBeat = 0;
    qint64 longestStall = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(2);
    QObject::connect(&heartbeat, &QTimer::timeout, &app, [&] {
        const qint64 now = clock.elapsed();
        longestStall = std::max(longestStall, now - lastBeat - heartbeat.interval());
        lastBeat = now;
    });

    qint64 scanMs = 0;
    QTimer finished;
    finished.setInterval(5);
    QObject::connect(&finished, &QTimer::timeout, &app, [&] {
        if (!view->isScan() && !view->isShowingScanControls()) {
            scanMs = clock.elapsed();
            app.quit();
        }
    });
    QTimer::singleShot(200, &app, [&] {
        clock.start();
        lastBeat = 0;
        heartbeat.start();
        finished.start();
        view->doScanWithPath(QString::fromLocal8Bit(argv[1]));
    });
    app.exec();
    std::printf("scan-ms %lld longest-stall-ms %lld rows %d\n", static_cast<long long>(scanMs),
                static_cast<long long>(longestStall), view->model()->rowCount());
    delete window;
    return 0;
}

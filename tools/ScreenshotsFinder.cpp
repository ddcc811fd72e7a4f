// corvella-screenshots finder: the space finder on a chosen folder by size on disk, and the
// Caches view of a made-up home with one application running.
#include "Screenshots.h"
#include "app/MyNSApplication.h"
#include "common/SizeModeSetting.h"
#include "downloads/Controller.h"
#include "downloads/DownloadViewController.h"
#include "kit/StatusAttachedWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A file whose blocks are all written, so that it takes its length on disk; or a sparse one.
void make(const QString& path, qint64 size, bool sparse = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return;
    if (sparse) {
        out.resize(size);
        return;
    }
    const QByteArray block(4096, 'x');
    for (qint64 written = 0; written < size; written += block.size())
        out.write(block.constData(), std::min<qint64>(block.size(), size - written));
}

} // namespace

int Screenshots::finder(int& argc, char** argv)
{
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/finder-shots-XXXXXX"));
    const QString home = useHomeIn(root.path());
    MyNSApplication app(argc, argv);

    // A projects folder: a sparse disk image that is long but takes little room, and build
    // trees of many small files that take far more room than their length.
    const QString projects = home + u"/projects";
    make(projects + u"/vm/debian-test.qcow2", 8LL << 30, true);
    make(projects + u"/photos-2026/IMG_0001.jpg", 3200000);
    make(projects + u"/photos-2026/IMG_0002.jpg", 2900000);
    for (int file = 0; file < 600; ++file)
        make(projects + QStringLiteral("/site/node_modules/pkg%1/index.js").arg(file), 200);
    for (int file = 0; file < 300; ++file)
        make(projects + QStringLiteral("/kernel-build/obj/f%1.o").arg(file), 900);
    make(projects + u"/notes.md", 4000);

    const QString cache = home + u"/.cache";
    make(cache + u"/thunderbird/profile/cache2/entries/A1", 5200000);
    make(cache + u"/mozilla/firefox/profile/cache2/entries/B2", 9100000);
    make(cache + u"/thumbnails/large/1.png", 700000);
    make(cache + u"/thumbnails/normal/2.png", 300000);
    make(cache + u"/pip/http/wheels/w", 2400000);
    make(cache + u"/fontconfig/cache-1", 120000);
    make(cache + u"/mesa_shader_cache/index", 1600000);
    make(home + u"/.local/share/Trash/files/old-draft.odt", 450000);
    make(home + u"/.local/share/Trash/info/old-draft.odt.trashinfo", 80);
    make(home + u"/core.4211", 6000000);
    // A running program named like a cache: the kernel names it after the link.
    QFile::link(QStringLiteral("/bin/sleep"), home + u"/thunderbird");
    QProcess running;
    running.start(home + u"/thunderbird", {QStringLiteral("60")});
    running.waitForStarted(5000);

    SizeModeSetting::store(SizeMode::DiskUsage);
    Controller controller;
    auto* view = new DownloadViewController(&controller);
    StatusAttachedWindow* window = showCentred(view);
    view->scanChosenFolder(projects);
    (void)QTest::qWaitFor([view] { return !view->isScan(); }, 20000);
    QTest::qWait(100);
    bool saved = m_canvas.save(window, QStringLiteral("finder-folder-disk-usage.png"));

    QSignalSpy listed(view, &DownloadViewController::cachesListed);
    view->showCaches();
    saved = listed.wait(20000) && saved;
    QTest::qWait(100);
    saved = m_canvas.save(window, QStringLiteral("finder-caches.png")) && saved;
    delete window;
    running.kill();
    running.waitForFinished(5000);
    return saved ? 0 : 1;
}

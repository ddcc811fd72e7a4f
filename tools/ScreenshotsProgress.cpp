// corvella-screenshots progress: the removal progress window while Completely Erase is inside one
// large folder, its bar past the item's start and short of its end.
#include "Screenshots.h"
#include "app/MyNSApplication.h"
#include "downloads/Controller.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/ProgressViewController.h"
#include "kit/StatusAttachedWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <optional>

int Screenshots::progress(int& argc, char** argv)
{
    // The window elides the path in its middle: a long fixed start hides the random part, so the
    // picture stays the same from run to run.
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/corvella-screenshots-progress-XXXXXX"));
    const QString home = useHomeIn(root.path());
    MyNSApplication app(argc, argv);

    // One folder of a few thousand photos, and a little beside it.
    const QString downloads = home + u"/Downloads";
    const QString photos = downloads + u"/Camera Uploads";
    QDir().mkpath(photos);
    for (int photo = 0; photo < 4000; ++photo) {
        QFile out(photos + QStringLiteral("/IMG_%1.heic").arg(photo, 5, 10, QLatin1Char('0')));
        if (out.open(QIODevice::WriteOnly))
            out.resize(1500000 + photo * 37); // sparse: only the length matters
    }
    QFile note(downloads + u"/invoice.odt");
    if (note.open(QIODevice::WriteOnly))
        note.resize(48123);

    Controller controller;
    auto* view = new DownloadViewController(&controller);
    StatusAttachedWindow* window = showCentred(view);
    view->doScanWithPath(downloads);
    (void)QTest::qWaitFor([view] { return !view->isScan(); }, 20000);
    controller.selectAllFileNode(false);
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, DownloadsTreeModel::NameColumn);
        if (index.data().toString() == u"Camera Uploads")
            view->model()->clickCheckBox(index.siblingAtColumn(DownloadsTreeModel::CheckBoxColumn));
    }

    // The first report is the item's start; the bar is caught a third of the way to its end, as
    // the erase reports it, before the window closes at 100.
    bool saved = false;
    QObject::connect(view, &DownloadViewController::removalWindowShown, view, [&] {
        ProgressViewController* progress = view->progressView();
        auto start = std::make_shared<std::optional<int>>();
        QObject::connect(progress, &ProgressViewController::progressChanged, progress,
                         [&, progress, start](int percent) {
                             if (!*start)
                                 *start = percent;
                             if (saved || percent >= 100 || percent < **start + (100 - **start) / 3)
                                 return;
                             saved = m_canvas.save(progress->superDelegate(),
                                                   QStringLiteral("progress-within-item.png"));
                         });
    });
    // The question before the erase, answered Erase.
    answerTheNextQuestionDestructively();
    view->deleteFiles();
    if (!saved)
        std::fprintf(stderr, "corvella-screenshots: the erase was never caught inside its item\n");
    delete window;
    return saved ? 0 : 1;
}

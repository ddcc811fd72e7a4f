// corvella-screenshots panel: the main panel on each tab, as the popup window draws it
// (translucent background, outline, the panel), and the Downloads window's stages.
#include "Screenshots.h"
#include "app/MainViewController.h"
#include "app/MyNSApplication.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/Progress.h"
#include "downloads/ProgressViewController.h"
#include "kit/ColorScheme.h"
#include "kit/ConfirmationDialog.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/PowerService.h"
#include "platform/x11/WindowSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <thread>

namespace {

// Screenshots never act on the machine.
class InertPowerService : public PowerService {
public:
    void request(PowerAction) override {}
};

// A Downloads folder as people have them: installers, disk images, archives, a few folders.
void makeDownloads(const QString& root)
{
    const struct {
        const char* name;
        qint64 size;
    } files[] = {
        {"debian-12.5.0-amd64-netinst.iso", 659554304},
        {"Projects/site-backup.tar.gz", 214748364},
        {"Projects/photos/IMG_0001.jpg", 4823112},
        {"Projects/photos/IMG_0002.jpg", 5123300},
        {"Projects/photos/IMG_0003.jpg", 3981102},
        {"Projects/notes.md", 12044},
        {"Tool.app/Contents/binary", 48234496},
        {"report-2026.pdf", 2311002},
        {"firmware-update.zip", 98304000},
        {"Music/album/01 Intro.flac", 31457280},
        {"Music/album/02 Theme.flac", 41943040},
        {"setup.exe", 152043520},
        {"invoice.odt", 48123},
        {".hidden-cache.bin", 7340032},
    };
    const auto make = [&root](const QString& name, qint64 size) {
        const QString path = root + u'/' + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.resize(size); // sparse: only the length matters
    };
    for (const auto& file : files)
        make(QString::fromUtf8(file.name), file.size);
    // Two large folders, so that a scan can be caught part way.
    for (int photo = 0; photo < 6000; ++photo)
        make(QStringLiteral("Camera Uploads/IMG_%1.heic").arg(photo, 5, 10, QLatin1Char('0')),
             1500000 + photo * 37);
    for (int module = 0; module < 6000; ++module)
        make(QStringLiteral("web-app/node_modules/pkg%1/index.js").arg(module), 4096);
}

// The panel in its popup window, centred and shown; null, after saying so, when it never showed.
std::unique_ptr<StatusAttachedWindow> showPanel(MainViewController* panel)
{
    std::unique_ptr<StatusAttachedWindow> window(
        StatusAttachedWindow::create(panel, QPointF(-3.0, 0.0)));
    panel->setSuperDelegate(window.get());
    window->center();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        std::fprintf(stderr, "corvella-screenshots: the window was never shown\n");
        return nullptr;
    }
    return window;
}

} // namespace

int Screenshots::panel(int& argc, char** argv)
{
    MyNSApplication app(argc, argv);

    InertPowerService power;
    auto* panel = new MainViewController(&power, &WindowSystem::instance());
    // Lives until the process ends (deleting it before the application object crashes).
    StatusAttachedWindow* window = showPanel(panel).release();
    if (!window)
        return 1;
    for (const QString& identifier : MainViewController::tabIdentifiers()) {
        panel->changeTabWithidStr(identifier);
        QTest::qWait(50);
        if (!m_canvas.save(window, QStringLiteral("panel-") + identifier + QStringLiteral(".png")))
            return 1;
    }
    delete window;

    // The Downloads window, with results and scanning (paused part way), and a removal's progress.
    QTemporaryDir downloads;
    makeDownloads(downloads.path());
    Controller controller;
    auto* view = new DownloadViewController(&controller);
    StatusAttachedWindow* downloadWindow = showCentred(view);
    view->doScanWithPath(downloads.path());
    (void)QTest::qWaitFor([view] { return !view->isScan(); }, 10000);
    view->outlineView()->expand(view->model()->index(2, 0));
    QTest::qWait(100);
    if (!m_canvas.save(downloadWindow, QStringLiteral("downloads-results.png")))
        return 1;

    // The question before Completely Erase, drawn over the window it belongs to; then Cancel.
    bool savedQuestion = false;
    QTimer::singleShot(300, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1StringView(ConfirmationDialog::objectName))
            return;
        QImage composed = downloadWindow->grab().toImage();
        QPainter painter(&composed);
        const QImage question = box->grab().toImage();
        painter.drawImage((composed.width() - question.width()) / 2,
                          (composed.height() - question.height()) / 2, question);
        painter.end();
        savedQuestion = m_canvas.save(composed, QStringLiteral("downloads-erase-question.png"));
        box->reject();
    });
    view->deleteFiles();
    if (!savedQuestion)
        return 1;

    // A stopped erase: one large folder chosen, the erase confirmed and stopped part way; what
    // is left stays listed with its size brought up to date, and the window says so.
    controller.selectAllFileNode(false);
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, DownloadsTreeModel::NameColumn);
        if (index.data().toString() == u"web-app")
            view->model()->clickCheckBox(index.siblingAtColumn(DownloadsTreeModel::CheckBoxColumn));
    }
    QObject::connect(view, &DownloadViewController::removalWindowShown, view, [view] {
        QTimer::singleShot(25, view, [view] {
            if (view->progressView())
                view->progressView()->stopButtonAction();
        });
    });
    answerTheNextQuestionDestructively();
    view->deleteFiles();
    QTest::qWait(300);
    if (!m_canvas.save(downloadWindow, QStringLiteral("downloads-erase-stopped.png")))
        return 1;

    // Caught part way: the engine is held (the window still scans) once a quarter is done, and
    // the window's reload and percentage poll are given time to show it.
    view->doScanWithPath(downloads.path());
    while (controller.getProgress() < 25.0f && controller.isScanning())
        std::this_thread::yield();
    Progress::isPause(true);
    QTest::qWait(700);
    const bool savedScanning =
        m_canvas.save(downloadWindow, QStringLiteral("downloads-scanning.png"));
    Progress::isPause(false);
    if (!savedScanning)
        return 1;
    view->closeWindow();
    delete downloadWindow;

    auto* progress = new ProgressViewController();
    StatusAttachedWindow* progressWindow =
        StatusAttachedWindow::create(progress, QPointF(-3.0, 0.0));
    progress->setSuperDelegate(progressWindow);
    progressWindow->center();
    progressWindow->show();
    (void)QTest::qWaitForWindowExposed(progressWindow);
    // A path as a user would see it, not the temporary folder's, so the picture stays the same.
    progress->changeProgressValue(33, QStringLiteral("/home/user/Downloads/setup.exe"));
    QTest::qWait(50);
    if (!m_canvas.save(progressWindow, QStringLiteral("downloads-removal-progress.png")))
        return 1;
    delete progressWindow;
    return 0;
}

// The panel and the Downloads window when the desktop prefers dark and the style's palette is
// light (Fusion's): the program's own dark palette, as it applies it for the settings portal.
int Screenshots::dark(int& argc, char** argv)
{
    MyNSApplication app(argc, argv);
    ColorScheme::apply(true);

    InertPowerService power;
    auto* panel = new MainViewController(&power, &WindowSystem::instance());
    const std::unique_ptr<StatusAttachedWindow> window = showPanel(panel);
    if (!window)
        return 1;
    panel->changeTabWithidStr(QStringLiteral("Cleanup"));
    QTest::qWait(100);
    if (!m_canvas.save(window.get(), QStringLiteral("panel-dark.png")))
        return 1;

    QTemporaryDir downloads;
    makeDownloads(downloads.path());
    Controller controller;
    auto* view = new DownloadViewController(&controller);
    const std::unique_ptr<StatusAttachedWindow> downloadWindow(showCentred(view));
    view->doScanWithPath(downloads.path());
    (void)QTest::qWaitFor([view] { return !view->isScan(); }, 10000);
    view->outlineView()->expand(view->model()->index(2, 0));
    QTest::qWait(100);
    const bool saved = m_canvas.save(downloadWindow.get(), QStringLiteral("downloads-dark.png"));
    view->closeWindow();
    return saved ? 0 : 1;
}

// The panel at scale factor 2 on the whole screen (1280 by 800 device pixels under the test
// desktop): it fits the available area and scrolls.
int Screenshots::scaled(int& argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2"); // read when the application starts
    MyNSApplication app(argc, argv);

    InertPowerService power;
    auto* panel = new MainViewController(&power, &WindowSystem::instance());
    const std::unique_ptr<StatusAttachedWindow> window = showPanel(panel);
    if (!window)
        return 1;
    QTest::qWait(100);
    const QScreen* screen = window->screen();
    const qreal ratio = screen->devicePixelRatio();
    QImage shot(screen->geometry().size() * ratio, QImage::Format_ARGB32_Premultiplied);
    shot.fill(Qt::transparent);
    shot.setDevicePixelRatio(ratio);
    QPainter painter(&shot);
    painter.setPen(QColor(255, 255, 255, 160)); // the screen's edge
    painter.drawRect(QRectF(screen->geometry())
                         .translated(-screen->geometry().topLeft())
                         .adjusted(0, 0, -1 / ratio, -1 / ratio));
    painter.drawImage(window->geometry().topLeft() - screen->geometry().topLeft(),
                      window->grab().toImage());
    painter.end();
    shot.setDevicePixelRatio(1); // laid on the canvas pixel for pixel
    return m_canvas.save(shot, QStringLiteral("panel-scale-2.png")) ? 0 : 1;
}

// The panel in German (LANGUAGE=de), on the tab it opens with.
int Screenshots::german(int& argc, char** argv)
{
    qputenv("LANGUAGE",
            "de"); // read when the translations are installed, at the application's start
    qputenv("LANG", "de_DE.UTF-8");
    MyNSApplication app(argc, argv);

    InertPowerService power;
    auto* panel = new MainViewController(&power, &WindowSystem::instance());
    const std::unique_ptr<StatusAttachedWindow> window = showPanel(panel);
    if (!window)
        return 1;
    panel->changeTabWithidStr(QStringLiteral("TaskManager"));
    QTest::qWait(700); // the task list and the load come in the background
    return m_canvas.save(window.get(), QStringLiteral("panel-de.png")) ? 0 : 1;
}

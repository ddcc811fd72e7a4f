// The Downloads window driven as a person would, over real temporary folders.
#include "downloads/DownloadViewController.h"

#include "kit/StatusAttachedWindow.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/TreeBuilder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <thread>

class DownloadViewControllerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void emptyFolderEndsInResultsWithNothingToRemove();
    void aFolderThatCannotBeScannedIsNamed();
    void scanEndsWithEverythingChosenAndBundlesAsLeaves();
    void theKeyboardMovesTicksAndOpens();
    void percentageCountsFinishedTopLevelEntries();
    void pauseHoldsTheScanAndLetsBoxesChange();
    void expansionAndScrollingSurviveTheReloads();
    void stopScanKeepsAPartialTree();
    void removingWhilePausedEndsTheScanFirst();
    void removingOneItemShowsThirtyThenCloses();
    void failedRemovalStaysVisibleWithItsReason();
    void closingTheProgressWindowStopsTheRun();
    void closeDuringAScanStopsItAndTheNextOpeningStartsFresh();
    void escapeOrTheWindowManagerCloseLikeTheCloseControl();

private:
    // Shows the view in its popup window, as the Cleanup tab does, without a modal run.
    void show();
    QModelIndex indexOf(const QString& name, const QModelIndex& parent = {}) const;
    // Three folders of `files` files each, the n-th folder's files n bytes long.
    void buildThreeFolders(int files);
    // Starts scanning and holds the engine (not the window) once the first top-level entry is
    // done, so the window keeps polling and reloading a scan that does not move on. False when
    // no attempt could be held there.
    bool scanAndHoldAfterFirstEntry();

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<TreeBuilder> m_build;
    std::unique_ptr<Controller> m_controller;
    DownloadViewController* m_view = nullptr;
    StatusAttachedWindow* m_window = nullptr;
};

void DownloadViewControllerTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_build = std::make_unique<TreeBuilder>(m_folder->path());
    m_controller = std::make_unique<Controller>();
    m_view = new DownloadViewController(m_controller.get());
    show();
}

void DownloadViewControllerTest::cleanup()
{
    m_controller->stopScan();
    m_controller->stopRemove();
    delete m_window; // and the view in it
    m_window = nullptr;
    m_view = nullptr;
    m_controller.reset();
    Progress::isPause(false);
}

void DownloadViewControllerTest::show()
{
    m_window = StatusAttachedWindow::create(m_view, QPointF(-3, 0));
    m_view->setSuperDelegate(m_window);
    m_window->center();
    m_window->show();
}

QModelIndex DownloadViewControllerTest::indexOf(const QString& name,
                                                const QModelIndex& parent) const
{
    DownloadsTreeModel* model = m_view->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, DownloadsTreeModel::NameColumn, parent);
        if (index.data().toString() == name)
            return index;
    }
    return {};
}

void DownloadViewControllerTest::buildThreeFolders(int files)
{
    for (int folder = 1; folder <= 3; ++folder) {
        const QByteArray name = "f" + QByteArray::number(folder);
        m_build->folder(name);
        for (int file = 0; file < files; ++file)
            m_build->file(name + "/" + QByteArray::number(file), std::uint64_t(folder));
    }
}

bool DownloadViewControllerTest::scanAndHoldAfterFirstEntry()
{
    // The engine runs on its own threads: watch its count without giving the window a turn.
    // Each folder takes thousands of entries to walk, so the hold nearly always lands inside the
    // second one; when a busy machine lets the walk run past it, the scan is started again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_view->doScanWithPath(m_folder->path());
        const QDeadlineTimer deadline(20000);
        while (m_controller->getProgress() == 0.0f && !deadline.hasExpired()) {
        }
        Progress::isPause(true);
        if (m_controller->eumeRoot()->eumeFileCount() == 1)
            return true;
    }
    return false;
}

void DownloadViewControllerTest::emptyFolderEndsInResultsWithNothingToRemove()
{
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY(!m_view->isShowingScanControls());
    QCOMPARE(m_view->model()->rowCount(), 0);
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    QVERIFY(!m_view->removalButtonsEnabled());
    QCOMPARE(m_view->placeholderText(),
             QStringLiteral("Nothing to clean up: “%1” is empty.").arg(m_folder->path()));
}

void DownloadViewControllerTest::aFolderThatCannotBeScannedIsNamed()
{
    // Missing: the scan never ends, as with any missing folder, but the window says why.
    const QString missing = m_folder->path() + QStringLiteral("/Downloads");
    m_view->doScanWithPath(missing);
    QCOMPARE(m_view->placeholderText(), QStringLiteral("There is no folder “%1”.").arg(missing));
    QTest::qWait(400);
    QVERIFY(m_view->isShowingScanControls());
    QCOMPARE(m_view->percentText(), QStringLiteral("0.0%"));
    m_view->stopScanButtonAction();
    QCOMPARE(m_view->placeholderText(), QStringLiteral("There is no folder “%1”.").arg(missing));

    // A file where the folder should be; then the folder made, and scanned again.
    m_build->file("Downloads", 10);
    m_view->doScanWithPath(missing);
    QCOMPARE(m_view->placeholderText(), QStringLiteral("“%1” is not a folder.").arg(missing));
    m_view->stopScanButtonAction();
    QVERIFY(QFile::remove(missing));
    m_build->folder("Downloads");
    m_build->file("Downloads/setup.exe", 10);
    m_view->doScanWithPath(missing);
    QVERIFY(m_view->placeholderText().isEmpty());
    QTRY_VERIFY(!m_view->isShowingScanControls());
    QVERIFY(m_view->placeholderText().isEmpty());
    QCOMPARE(m_view->model()->rowCount(), 1);
}

void DownloadViewControllerTest::scanEndsWithEverythingChosenAndBundlesAsLeaves()
{
    m_build->folder("Tool.app/Contents");
    m_build->file("Tool.app/Contents/binary", 5000);
    m_build->file("notes.txt", 100);
    m_build->file("image.iso", 2000);
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY(!m_view->isScan());
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_yes"));
    QVERIFY(m_view->removalButtonsEnabled());
    DownloadsTreeModel* model = m_view->model();
    QCOMPARE(model->rowCount(), 3);
    const QModelIndex bundle = model->index(0, DownloadsTreeModel::NameColumn);
    QCOMPARE(bundle.data().toString(), QStringLiteral("Tool.app"));
    QCOMPARE(model->index(0, DownloadsTreeModel::SizeColumn).data().toString(),
             QStringLiteral("5.00 KB"));
    QVERIFY(!model->hasChildren(bundle)); // shown whole, never expanded
}

void DownloadViewControllerTest::theKeyboardMovesTicksAndOpens()
{
    m_build->folder("box");
    m_build->file("box/inner", 300);
    m_build->file("notes.txt", 100);
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY(!m_view->isShowingScanControls());
    DowndLoadOutLineView* view = m_view->outlineView();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    view->setFocus();
    view->setCurrentIndex(m_view->model()->index(0, 0)); // "box", the larger
    const auto boxOf = [](const QModelIndex& index) {
        return index.siblingAtColumn(0).data(DownloadsTreeModel::ImageNameRole).toString();
    };
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(boxOf(view->currentIndex()), QStringLiteral("option_yes"));
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(boxOf(indexOf(QStringLiteral("notes.txt"))), QStringLiteral("option_no"));
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_a"));
    // Right opens the folder, and Space on its row ticks it and what it holds.
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Space);
    QCOMPARE(boxOf(indexOf(QStringLiteral("box"))), QStringLiteral("option_no"));
    QTest::keyClick(view, Qt::Key_Right);
    QVERIFY(view->isExpanded(indexOf(QStringLiteral("box")).siblingAtColumn(0)));
    const QModelIndex box = indexOf(QStringLiteral("box")).siblingAtColumn(0);
    QCOMPARE(boxOf(indexOf(QStringLiteral("inner"), box)), QStringLiteral("option_no"));
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    QVERIFY(!m_view->removalButtonsEnabled());
}

void DownloadViewControllerTest::percentageCountsFinishedTopLevelEntries()
{
    buildThreeFolders(6000);
    QVERIFY(scanAndHoldAfterFirstEntry());
    QTRY_COMPARE(m_view->percentText(), QStringLiteral("33.3%"));
    QVERIFY(m_view->isScan());
    Progress::isPause(false);
    // At 100 the scan ends and the percentage goes in the same step.
    QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
    QCOMPARE(m_view->model()->rowCount(), 3);
    QCOMPARE(m_view->model()->index(0, DownloadsTreeModel::NameColumn).data().toString(),
             QStringLiteral("f3"));
}

void DownloadViewControllerTest::pauseHoldsTheScanAndLetsBoxesChange()
{
    buildThreeFolders(6000);
    QVERIFY(scanAndHoldAfterFirstEntry());
    QTRY_COMPARE(m_view->percentText(), QStringLiteral("33.3%"));
    QVERIFY(!m_view->removalButtonsEnabled());
    // A click on a box is refused while the scan runs.
    DownloadsTreeModel* model = m_view->model();
    QTRY_VERIFY(model->rowCount() >= 1);
    const QModelIndex first = model->index(0, DownloadsTreeModel::CheckBoxColumn);
    const auto boxOf = [](const QModelIndex& index) {
        return index.data(DownloadsTreeModel::ImageNameRole).toString();
    };
    DowndLoadOutLineView* view = m_view->outlineView();
    const auto click = [view](const QModelIndex& index) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    };
    click(first);
    QCOMPARE(boxOf(first), QStringLiteral("option_yes"));

    m_view->pauseButtonAction();
    QCOMPARE(m_view->pauseTitle(), QStringLiteral("Continue"));
    QVERIFY(!m_view->isScan()); // paused counts as not scanning: boxes may change
    click(first);
    QCOMPARE(boxOf(first), QStringLiteral("option_no"));
    m_view->setAllSelectOrNoSelect();
    QCOMPARE(boxOf(first), QStringLiteral("option_yes"));
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_yes"));
    QVERIFY(m_view->removalButtonsEnabled());
    QTest::qWait(700); // two polls
    QCOMPARE(m_view->percentText(), QStringLiteral("33.3%"));

    m_view->pauseButtonAction();
    QCOMPARE(m_view->pauseTitle(), QStringLiteral("Pause"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
    QCOMPARE(model->rowCount(), 3);
}

void DownloadViewControllerTest::expansionAndScrollingSurviveTheReloads()
{
    buildThreeFolders(6000);
    QVERIFY(scanAndHoldAfterFirstEntry());
    DowndLoadOutLineView* view = m_view->outlineView();
    DownloadsTreeModel* model = m_view->model();
    QTRY_VERIFY(model->rowCount() >= 1);
    // Open what the window shows so far: the finished folder, and the one being walked.
    QStringList opened;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex folder = model->index(row, 0);
        view->expand(folder);
        QVERIFY(view->isExpanded(folder));
        opened.append(folder.siblingAtColumn(DownloadsTreeModel::NameColumn).data().toString());
    }
    QTRY_VERIFY(view->verticalScrollBar()->maximum() > 100);
    view->verticalScrollBar()->setValue(100);

    // Two reloads while held, then the rest of the scan and its last reload, which puts the
    // largest folder on top.
    QTest::qWait(1100);
    Progress::isPause(false);
    QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
    QCOMPARE(model->index(0, DownloadsTreeModel::NameColumn).data().toString(),
             QStringLiteral("f3"));
    for (const QString& name : std::as_const(opened)) {
        const QModelIndex folder = indexOf(name).siblingAtColumn(0);
        QVERIFY2(view->isExpanded(folder), qPrintable(name));
        QCOMPARE(model->rowCount(folder), 6000);
    }
    QCOMPARE(view->verticalScrollBar()->value(), 100);
}

void DownloadViewControllerTest::stopScanKeepsAPartialTree()
{
    buildThreeFolders(6000);
    QVERIFY(scanAndHoldAfterFirstEntry());
    m_view->stopScanButtonAction();
    QVERIFY(!m_view->isShowingScanControls());
    QVERIFY(!m_view->isScan());
    QTRY_VERIFY(!m_controller->isScanning()); // the stop wakes the held engine
    // The finished folder and the one cut short (unless the hold came before it was begun)
    // stay, chosen; the third was never reached.
    DownloadsTreeModel* model = m_view->model();
    model->refresh();
    const int rows = model->rowCount();
    QVERIFY(rows == 1 || rows == 2);
    qint64 files = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex box = model->index(row, DownloadsTreeModel::CheckBoxColumn);
        QCOMPARE(box.data(DownloadsTreeModel::ImageNameRole).toString(),
                 QStringLiteral("option_yes"));
        files += model->rowCount(model->index(row, 0));
    }
    QVERIFY(files >= 6000 && files < 12000);
    // The buttons keep what they showed during the scan.
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    QVERIFY(!m_view->removalButtonsEnabled());
    QTest::qWait(600); // no reload or poll after the stop
    QCOMPARE(model->rowCount(), rows);
}

void DownloadViewControllerTest::removingWhilePausedEndsTheScanFirst()
{
    buildThreeFolders(6000);
    QVERIFY(scanAndHoldAfterFirstEntry());
    m_view->pauseButtonAction(); // the window's pause: boxes may change, removal may start
    m_view->model()->refresh();
    m_view->setAllSelectOrNoSelect(); // the button shows "none" during a scan: a click ticks all
    QTRY_VERIFY(m_view->removalButtonsEnabled());
    m_view->deleteFiles();
    QVERIFY(!m_view->isShowingScanControls());
    QVERIFY(!m_controller->isScanning());
    m_view->model()->refresh();
    QCOMPARE(m_view->model()->rowCount(), 0);
    // The folder the scan never reached is still there.
    QVERIFY(QDir(m_folder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size() >= 1);
}

void DownloadViewControllerTest::removingOneItemShowsThirtyThenCloses()
{
    m_build->file("keep", 10);
    m_build->file("drop", 20);
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY(!m_view->isScan());
    m_controller->selectAllFileNode(false);
    QTRY_COMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    m_view->model()->clickCheckBox(
        indexOf(QStringLiteral("drop")).siblingAtColumn(DownloadsTreeModel::CheckBoxColumn));
    QTRY_VERIFY(m_view->removalButtonsEnabled());

    // Everything the progress window is told, and whether it was still open to show it.
    QStringList shown;
    connect(m_view, &DownloadViewController::removalWindowShown, this, [this, &shown] {
        ProgressViewController* progress = m_view->progressView();
        connect(progress, &ProgressViewController::progressChanged, this,
                [progress, &shown](int, const QString& path) {
                    QVERIFY(progress->superDelegate()->isVisible());
                    shown.append(progress->percentText() + u' ' + QFileInfo(path).fileName());
                });
    });
    m_view->deleteFiles(); // returns when the progress window has closed
    QVERIFY(!m_view->isRemove());
    QVERIFY(!QFileInfo::exists(m_build->qpath("drop")));
    QCOMPARE(shown, QStringList({QStringLiteral("30% drop"), QStringLiteral("100% drop")}));
    m_view->model()->refresh();
    QCOMPARE(m_view->model()->rowCount(), 1);
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    QVERIFY(!m_view->removalButtonsEnabled());
}

void DownloadViewControllerTest::failedRemovalStaysVisibleWithItsReason()
{
    m_build->file("vanishing", 10);
    m_build->file("other", 5);
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY(!m_view->isScan());
    QVERIFY(QFile::remove(m_build->qpath("vanishing")));
    m_view->deleteFiles();
    QTRY_VERIFY(!m_view->failureText().isEmpty());
    QVERIFY(m_view->failureText().startsWith(QStringLiteral("1 item could not be removed: ")));
    m_view->model()->refresh();
    QCOMPARE(m_view->model()->rowCount(), 1);
    QVERIFY(indexOf(QStringLiteral("vanishing")).isValid());
}

void DownloadViewControllerTest::closingTheProgressWindowStopsTheRun()
{
    for (int folder = 0; folder < 60; ++folder) {
        const QByteArray name = "folder" + QByteArray::number(folder);
        m_build->folder(name);
        for (int file = 0; file < 150; ++file)
            m_build->file(name + "/" + QByteArray::number(file), 1);
    }
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
    // At the first report, the progress window is closed as the window manager would.
    connect(m_view, &DownloadViewController::removalWindowShown, this, [this] {
        ProgressViewController* progress = m_view->progressView();
        connect(progress, &ProgressViewController::progressChanged, this, [progress](int percent) {
            if (percent < 100)
                progress->superDelegate()->close();
        });
    });
    m_view->deleteFiles();
    QTRY_VERIFY(!m_controller->isRemoving());
    QVERIFY(!m_view->isRemove());
    const int left =
        int(QDir(m_folder->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    QVERIFY2(left > 0, "the run went on to the end");
    m_view->model()->refresh();
    QCOMPARE(m_view->model()->rowCount(), left);
}

void DownloadViewControllerTest::closeDuringAScanStopsItAndTheNextOpeningStartsFresh()
{
    m_build->folder("big");
    for (int file = 0; file < 20000; ++file)
        m_build->file("big/" + QByteArray::number(file), 1);
    m_view->doScanWithPath(m_folder->path());
    m_view->pauseButtonAction();
    m_view->closeWindow();
    QCOMPARE(m_view->model()->rowCount(), 0);
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    QVERIFY(!m_view->removalButtonsEnabled());
    QVERIFY(!m_window->isVisible());

    // The same view, in a new window, starts over.
    m_view->setParent(nullptr);
    delete m_window;
    show();
    m_view->doScanWithPath(m_folder->path());
    QCOMPARE(m_view->pauseTitle(), QStringLiteral("Pause"));
    QVERIFY(m_view->isShowingScanControls());
    QTRY_VERIFY_WITH_TIMEOUT(!m_view->isScan(), 20000);
    QCOMPARE(m_view->model()->rowCount(), 1);
}

void DownloadViewControllerTest::escapeOrTheWindowManagerCloseLikeTheCloseControl()
{
    buildThreeFolders(6000);
    for (const bool byEscape : {true, false}) {
        QVERIFY(scanAndHoldAfterFirstEntry());
        m_view->pauseButtonAction();
        QTRY_VERIFY(m_view->model()->rowCount() >= 1);
        if (byEscape) {
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window));
            m_view->outlineView()->setFocus(); // where the keyboard usually is
            QTest::keyClick(m_view->outlineView(), Qt::Key_Escape);
        } else {
            QVERIFY(m_window->close()); // what the window manager's close does
        }
        QVERIFY(!m_window->isVisible());
        QTRY_VERIFY(!m_controller->isScanning()); // stopped, not left held in the background
        QCOMPARE(m_view->model()->rowCount(), 0);
        QCOMPARE(m_view->pauseTitle(), QStringLiteral("Pause"));
        Progress::isPause(false);
        m_window->show();
    }
}

QTEST_MAIN(DownloadViewControllerTest)
#include "DownloadViewControllerTest.moc"

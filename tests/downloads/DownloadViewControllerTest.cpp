// The Downloads window driven as a person would, over real temporary folders.
#include "downloads/DownloadViewController.h"

#include "app/StatusAttachedWindow.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "support/TreeBuilder.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class DownloadViewControllerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void emptyFolderEndsInResultsWithNothingToRemove();
    void scanEndsWithEverythingChosenAndBundlesAsLeaves();
    void pauseHoldsTheScanAndLetsBoxesChange();
    void stopScanKeepsAPartialTree();
    void removingOneItemShowsThirtyThenCloses();
    void failedRemovalStaysVisibleWithItsReason();
    void closeDuringAScanStopsItAndTheNextOpeningStartsFresh();

private:
    // Shows the view in its popup window, as the Cleanup tab does, without a modal run.
    void show();
    QModelIndex indexOf(const QString& name, const QModelIndex& parent = {}) const;

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

void DownloadViewControllerTest::emptyFolderEndsInResultsWithNothingToRemove()
{
    m_view->doScanWithPath(m_folder->path());
    QTRY_VERIFY(!m_view->isShowingScanControls());
    QCOMPARE(m_view->model()->rowCount(), 0);
    QCOMPARE(m_view->selectAllImage(), QStringLiteral("option_no"));
    QVERIFY(!m_view->removalButtonsEnabled());
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

void DownloadViewControllerTest::pauseHoldsTheScanAndLetsBoxesChange()
{
    for (int folder = 0; folder < 3; ++folder) {
        const QByteArray name = "f" + QByteArray::number(folder);
        m_build->folder(name);
        for (int file = 0; file < 4000; ++file)
            m_build->file(name + "/" + QByteArray::number(file), 10);
    }
    m_view->doScanWithPath(m_folder->path());
    m_view->pauseButtonAction();
    QCOMPARE(m_view->pauseTitle(), QStringLiteral("Continue"));
    QVERIFY(!m_view->isScan()); // paused counts as not scanning: boxes may change
    const QString held = m_view->percentText();
    m_view->model()->refresh();
    if (m_view->model()->rowCount() > 0) {
        const QModelIndex first = m_view->model()->index(0, DownloadsTreeModel::CheckBoxColumn);
        const QString before = first.data(DownloadsTreeModel::ImageNameRole).toString();
        m_view->model()->clickCheckBox(first);
        QVERIFY(first.data(DownloadsTreeModel::ImageNameRole).toString() != before);
    }
    QTest::qWait(700); // two polls
    QCOMPARE(m_view->percentText(), held);
    m_view->pauseButtonAction();
    QCOMPARE(m_view->pauseTitle(), QStringLiteral("Pause"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_view->isShowingScanControls(), 20000);
}

void DownloadViewControllerTest::stopScanKeepsAPartialTree()
{
    m_build->folder("big");
    for (int file = 0; file < 20000; ++file)
        m_build->file("big/" + QByteArray::number(file), 1);
    m_build->file("later", 1);
    m_view->doScanWithPath(m_folder->path());
    m_view->stopScanButtonAction();
    QVERIFY(!m_view->isShowingScanControls());
    QVERIFY(!m_view->isScan());
    m_view->model()->refresh();
    // Whatever was found stays, chosen.
    for (int row = 0; row < m_view->model()->rowCount(); ++row) {
        const QModelIndex box = m_view->model()->index(row, DownloadsTreeModel::CheckBoxColumn);
        QCOMPARE(box.data(DownloadsTreeModel::ImageNameRole).toString(),
                 QStringLiteral("option_yes"));
    }
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

    QStringList seen;
    connect(m_view, &DownloadViewController::removalWindowShown, this, [this, &seen] {
        // The run may be quicker than the window: record what the window shows until it closes.
        auto* poll = new QTimer(m_view);
        connect(poll, &QTimer::timeout, m_view, [this, &seen] {
            if (m_view->progressView() && !seen.contains(m_view->progressView()->percentText()))
                seen.append(m_view->progressView()->percentText());
        });
        poll->start(1);
    });
    m_view->deleteFiles(); // returns when the progress window has closed
    QVERIFY(!m_view->isRemove());
    QVERIFY(!QFileInfo::exists(m_build->qpath("drop")));
    QVERIFY(seen.isEmpty() || seen.first() == QStringLiteral("30%") ||
            seen.first() == QStringLiteral("100%"));
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

QTEST_MAIN(DownloadViewControllerTest)
#include "DownloadViewControllerTest.moc"

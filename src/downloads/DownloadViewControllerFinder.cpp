// The Downloads window as a space finder: any folder (chooser, drop, `corvella --scan`) and the
// Caches view.
#include "common/BackgroundTask.h"
#include "downloads/CacheInventory.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "kit/Announcer.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "platform/fs/FolderAccess.h"
#include "platform/fs/NativePath.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace {

// The one local folder (or file) a drag carries, or empty.
QString droppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().first().isLocalFile())
        return {};
    return data->urls().first().toLocalFile();
}

} // namespace

void DownloadViewController::showTitle(const QString& title, const QString& path)
{
    // The window's title carries the whole path; the label shows as much as fits.
    setWindowTitle(path.isEmpty() ? title : tr("%1 — %2").arg(path, title));
    const QString shown = path.isEmpty() ? title : path;
    m_titleLabel->setText(
        m_titleLabel->fontMetrics().elidedText(shown, Qt::ElideMiddle, m_titleLabel->width()));
    m_titleLabel->setToolTip(shown);
    // The caches are always measured on disk; a folder in the mode the switch shows.
    m_sizeModeSwitch->setVisible(!m_showingCaches);
}

void DownloadViewController::endScanForOtherView()
{
    // A running or paused scan stops; its tree goes with the next setTree().
    if (m_sortTimer || m_isScan) {
        endScan();
        m_pauseButton->setTitle(tr("Pause"));
    }
    m_controller->stopScan();
}

void DownloadViewController::scanChosenFolder(const QString& given)
{
    if (m_isRemove)
        return;
    // As the kernel resolves it, as the Downloads folder is.
    const QString path = QFile::decodeName(NativePath::absolute(QFile::encodeName(given)));
    const QString problem = FolderAccess::whyNotListable(path);
    if (problem.isEmpty()) {
        doScanWithPath(path);
        return;
    }
    // Nothing is scanned: the window names the folder and says why.
    endScanForOtherView();
    m_showingCaches = false;
    showTitle(tr("Space Finder"), path);
    m_scanPath = path;
    m_scanProblem = problem;
    m_scanFinished = false;
    m_selectPathView->hide();
    m_failureLabel->hide();
    m_rootNodeArr = std::make_shared<FileTree>(path, m_sizeMode);
    m_model->setTree(m_rootNodeArr);
    m_controller->setRootArr(m_rootNodeArr);
    applySelectAllState(FileNode::Off);
    m_outlineBlowView->show();
    showScanningLayout(false);
    updatePlaceholder();
    Announcer::announce(m_placeholder, problem);
}

void DownloadViewController::chooseFolder()
{
    if (m_isRemove)
        return;
    const QString start = m_scanPath.isEmpty() ? downloadsFolder() : m_scanPath;
    const QString path = QFileDialog::getExistingDirectory(this, tr("Choose a Folder to Scan"),
                                                           start, QFileDialog::ShowDirsOnly);
    if (!path.isEmpty())
        scanChosenFolder(path);
}

void DownloadViewController::dragEnterEvent(QDragEnterEvent* event)
{
    if (!m_isRemove && !droppedPath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DownloadViewController::dropEvent(QDropEvent* event)
{
    const QString path = droppedPath(event->mimeData());
    if (m_isRemove || path.isEmpty())
        return;
    event->acceptProposedAction();
    scanChosenFolder(path);
}

void DownloadViewController::showCaches()
{
    if (m_isRemove)
        return;
    endScanForOtherView();
    m_showingCaches = true;
    showTitle(tr("Caches"), QString());
    m_scanPath.clear();
    m_scanProblem.clear();
    m_scanFinished = false;
    m_selectPathView->hide();
    m_failureLabel->hide();
    // Empty until the worker has measured the caches.
    m_rootNodeArr = std::make_shared<FileTree>(QString(), SizeMode::DiskUsage);
    m_model->setTree(m_rootNodeArr);
    m_controller->setRootArr(m_rootNodeArr);
    applySelectAllState(FileNode::Off);
    m_outlineBlowView->show();
    showScanningLayout(false);
    m_placeholder->setText(tr("Measuring the caches…"));
    m_placeholder->show();
    const int listing = ++m_cachesListing;
    BackgroundTask::run(
        this, [] { return CacheInventory::list(); },
        [this, listing](const QList<CacheInventory::Entry>& entries) {
            if (listing != m_cachesListing || !m_showingCaches || m_isRemove)
                return; // another view (or a newer listing) took the window meanwhile
            std::shared_ptr<FileTree> tree = CacheInventory::tree(entries);
            QHash<const FileNode*, QString> labels;
            {
                const auto lock = tree->lock();
                for (FileNode* node : tree->topLevel()) {
                    const QByteArray path = node->nativePath();
                    for (const CacheInventory::Entry& entry : entries) {
                        if (entry.path != path)
                            continue;
                        labels.insert(node,
                                      entry.inUse()
                                          ? tr("%1 (in use by %2)").arg(entry.label, entry.inUseBy)
                                          : entry.label);
                        break;
                    }
                }
            }
            m_rootNodeArr = tree;
            m_model->setTree(tree);
            m_model->setLabels(labels);
            m_controller->setRootArr(tree);
            m_scanFinished = true;
            applySelectAllState(m_controller->selectAllState());
            updatePlaceholder();
            Announcer::announce(m_progressLable,
                                tr("%n cache(s) listed", nullptr, int(entries.size())));
            Q_EMIT cachesListed();
        });
}

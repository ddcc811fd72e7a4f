// The Downloads window's states: scanning, paused, results, removing, and closing.
#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "common/SizeModeSetting.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadViewController.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "downloads/Progress.h"
#include "downloads/RemovalOutcome.h"
#include "kit/Announcer.h"
#include "kit/ConfirmationDialog.h"
#include "kit/GXProgressView.h"
#include "kit/ImageButton.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "platform/fs/FolderAccess.h"
#include "platform/fs/NativePath.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

// A size of the scanned tree, saying which size it is ("4.2 GB on disk", "4.2 GB apparent").
QString figureOf(std::uint64_t bytes, const FileTree* tree)
{
    return tree ? SizeModeSetting::figure(std::int64_t(bytes), tree->sizeMode())
                : PublicUtilities::longlongDiskSize(std::int64_t(bytes));
}

} // namespace

// The engine reports from its workers through BackgroundTask::onGuiThread(): at once on the GUI
// thread, else queued (the workers never wait for the GUI, so closing the window can never
// deadlock with a report).

void DownloadViewController::doScanWithPath(const QString& given)
{
    // The folder as the kernel resolves it, never cleaned by text: every path shown, checked
    // against the system list or removed is then the real one.
    const QString path = QFile::decodeName(NativePath::absolute(QFile::encodeName(given)));
    // A folder that is missing or cannot be opened is still scanned (and a missing one never
    // ends), but the window says why nothing comes.
    m_scanPath = path;
    m_showingCaches = false;
    showTitle(tr("Space Finder"), path);
    m_scanProblem = FolderAccess::whyNotListable(path);
    m_scanFinished = false;
    m_selectPathView->hide();
    m_failureLabel->hide();
    m_outlineBlowView->show();
    m_scanProgressView->show();
    m_pauseButton->show();
    m_stopScanButton->show();
    m_progressLable->show();
    m_scanProgress->changeProgressValue(0);
    // Named for the whole scan; the percentages that follow change only its text.
    Announcer::announce(m_progressLable,
                        tr("%1%", "percentage").arg(QLocale().toString(0.0, 'f', 1)),
                        tr("Scanning"));
    Progress::isPause(false);
    showScanningLayout(true);
    // The keyboard starts in the list, never on a removal button.
    m_outlineView->setFocus(Qt::OtherFocusReason);
    if (!m_sortTimer) {
        m_sortTimer = new QTimer(this);
        m_sortTimer->setInterval(500);
        connect(m_sortTimer, &QTimer::timeout, this, &DownloadViewController::reloadPoll);
        m_sortTimer->start();
        m_progressTimer = new QTimer(this);
        m_progressTimer->setInterval(300);
        connect(m_progressTimer, &QTimer::timeout, this, &DownloadViewController::progressPoll);
        m_progressTimer->start();
    }
    getRootNodeListWithPath(path);
    updatePlaceholder();
}

void DownloadViewController::getRootNodeListWithPath(const QString& path)
{
    m_isScan = true;
    // Every scan fills a tree of its own; the old one goes once nothing shows it.
    m_rootNodeArr = std::make_shared<FileTree>(path, m_sizeMode);
    m_model->setTree(m_rootNodeArr);
    // The emptied list shows no choice, whatever the last results showed.
    applySelectAllState(m_selectAllButSt);
    m_controller->eumeAllRootFileNodeWithRootArr(m_rootNodeArr, path);
}

void DownloadViewController::reScanButtonAction()
{
    doScanWithPath(downloadsFolder());
}

void DownloadViewController::progressPoll()
{
    if (!m_isScan)
        return;
    const float progress = m_controller->getProgress();
    m_scanProgress->changeProgressValue(progress);
    m_progressLable->setText(
        tr("%1%", "percentage").arg(QLocale().toString(double(progress), 'f', 1)));
    if (progress >= 100.0f)
        endProScan();
}

void DownloadViewController::reloadPoll()
{
    if (m_isScan) {
        m_model->refresh();
        updateChosenTotal(); // the ticked folders grow as the scan goes
    }
}

void DownloadViewController::endScan()
{
    m_model->refresh();
    delete m_sortTimer;
    delete m_progressTimer;
    m_sortTimer = m_progressTimer = nullptr;
    m_isScan = false;
    m_progressLable->hide();
    m_pauseButton->hide();
    m_stopScanButton->hide();
    m_scanProgressView->hide();
}

void DownloadViewController::endProScan()
{
    BackgroundTask::onGuiThread(this, [this] {
        // The poll and the engine's report may both end the same scan; the second does nothing.
        if (!m_sortTimer && !m_isScan)
            return;
        endScan();
        m_scanFinished = true;
        Announcer::announce(m_progressLable, tr("Scan finished"));
        showScanningLayout(false);
        changeSelectAllButtonState(FileNode::On);
        updatePlaceholder();
    });
}

void DownloadViewController::pauseButtonAction()
{
    m_model->refresh();
    if (m_isScan) {
        m_isScan = false;
        m_pauseButton->setTitle(tr("Continue"));
    } else {
        m_isScan = true;
        m_pauseButton->setTitle(tr("Pause"));
    }
    m_controller->pauseScan();
}

void DownloadViewController::stopScanButtonAction()
{
    endScan();
    m_controller->stopScan();
    showScanningLayout(false);
    updatePlaceholder();
}

void DownloadViewController::applySelectAllState(int state)
{
    const bool empty = m_model->rowCount() == 0;
    m_selectAllButSt = empty ? FileNode::Off : state;
    static const char16_t* const images[] = {u"option_no", u"option_yes", u"option_a"};
    m_selectAllButton->setImageName(QString::fromUtf16(images[m_selectAllButSt]));
    changeDeleteButtonState();
    updateChosenTotal();
}

void DownloadViewController::updateChosenTotal()
{
    const Controller::Chosen chosen = m_selectAllButSt == FileNode::Off || !m_rootNodeArr
                                          ? Controller::Chosen{}
                                          : m_controller->chosenItems();
    m_chosenTotal->setText(tr("Chosen: %n item(s), %1", nullptr, chosen.count)
                               .arg(figureOf(chosen.bytes, m_rootNodeArr.get())));
    m_chosenTotal->setVisible(chosen.count > 0);
}

QString DownloadViewController::chosenTotalText() const
{
    return m_chosenTotal->isVisibleTo(this) ? m_chosenTotal->text() : QString();
}

void DownloadViewController::rememberScrollPosition()
{
    m_rowsInSight.clear();
    const int bottom = m_outlineView->viewport()->height();
    for (QModelIndex row = m_outlineView->indexAt(QPoint(1, 1));
         row.isValid() && m_outlineView->visualRect(row).top() < bottom;
         row = m_outlineView->indexBelow(row))
        m_rowsInSight.append(QPersistentModelIndex(row));
    m_scrollValue = m_outlineView->verticalScrollBar()->value();
}

void DownloadViewController::restoreScrollPosition()
{
    const QList<QPersistentModelIndex> rows = std::exchange(m_rowsInSight, {});
    for (const QPersistentModelIndex& row : rows) {
        if (row.isValid()) {
            m_outlineView->scrollTo(row, QAbstractItemView::PositionAtTop);
            return;
        }
    }
    m_outlineView->verticalScrollBar()->setValue(m_scrollValue);
}

void DownloadViewController::changeSelectAllButtonState(int state)
{
    BackgroundTask::onGuiThread(this, [this, state] { applySelectAllState(state); });
}

void DownloadViewController::changeDeleteButtonState()
{
    // Nothing chosen, nothing to remove: a run would never report its end.
    const bool enabled = m_selectAllButSt != FileNode::Off && !m_isRemove;
    m_moveToTrashButton->setEnabled(enabled);
    m_deleteButton->setEnabled(enabled);
}

void DownloadViewController::setAllSelectOrNoSelect()
{
    if (m_isScan || m_isRemove || !m_rootNodeArr)
        return;
    m_controller->selectAllFileNode(m_selectAllButSt != FileNode::On);
}

void DownloadViewController::checkBoxClicked(const QModelIndex& index)
{
    if (m_isScan || m_isRemove)
        return;
    m_model->clickCheckBox(index);
}

void DownloadViewController::reloadTreeList()
{
    BackgroundTask::onGuiThread(this, [this] { m_model->refresh(); });
}

void DownloadViewController::moveFileToTarsh()
{
    m_controller->moveFileToTarshWithDic();
    doRemoveAction();
}

void DownloadViewController::deleteFiles()
{
    if (PublicUtilities::confirmsIrreversibleActions()) {
        const Controller::Chosen chosen = m_controller->chosenItems();
        if (chosen.count == 0 ||
            !ConfirmationDialog::ask(this,
                                     tr("Permanently erase %1 (%2)? This cannot be undone.")
                                         .arg(PublicUtilities::itemCount(chosen.count),
                                              figureOf(chosen.bytes, m_rootNodeArr.get())),
                                     tr("Move to Trash keeps a way back."), tr("Erase")))
            return;
    }
    m_controller->deleteFilesWithDic();
    doRemoveAction();
}

void DownloadViewController::doRemoveAction()
{
    // Chosen while paused: the engine has ended the scan for the run; the window ends it as
    // Stop Scan does.
    if (m_sortTimer)
        stopScanButtonAction();
    m_isRemove = true;
    m_failureLabel->hide();
    rememberScrollPosition();
    changeDeleteButtonState();
    auto* progress = new ProgressViewController();
    progress->setDelegate(this);
    m_progressView = progress;
    const QRect main = window()->frameGeometry();
    StatusAttachedWindow* window = StatusAttachedWindow::create(
        progress, QPointF(main.x() + main.width() * 0.5 - 3.0, main.bottom() + 1.0), nullptr, 1,
        5.0f);
    progress->setSuperDelegate(window);
    window->center();
    // A run that found nothing to remove ends without a report; never wait for it.
    auto* watch = new QTimer(window);
    connect(watch, &QTimer::timeout, window, [this, window] {
        if (!m_controller->isRemoving() && m_isRemove) {
            m_isRemove = false;
            changeDeleteButtonState();
            window->close();
        }
    });
    watch->start(250);
    // Reports of a quick run arrive queued, inside this modal run.
    Q_EMIT removalWindowShown();
    window->runModal();
    window->deleteLater();
}

void DownloadViewController::changeRemoveProgressWithPoint(int percent, const QString& path)
{
    BackgroundTask::onGuiThread(this, [this, percent, path] {
        if (m_progressView)
            m_progressView->changeProgressValue(percent, path);
        if (percent >= 100) {
            m_isRemove = false;
            m_model->refresh();
            restoreScrollPosition();
            changeDeleteButtonState();
            updateChosenTotal();
            updatePlaceholder();
        }
    });
}

void DownloadViewController::removeFinishedWithOutcome(const RemovalOutcome& outcome)
{
    // What went comes last, with the failures' Details link at its end. A move to the trash frees
    // nothing until the trash is emptied, and says so.
    const QString size = figureOf(outcome.bytesRemoved, m_rootNodeArr.get());
    QString went =
        outcome.trashed ? tr("Moved %1 to the Trash").arg(size) : tr("Freed %1").arg(size);
    const int failed = int(outcome.failures.size());
    if (failed > 0)
        went = tr("%1; %n item(s) could not be removed:", nullptr, failed).arg(went);
    QStringList sentences;
    if (outcome.stopped) {
        sentences.append(tr("Stopped: %1 of %n item(s) removed; what is left is still listed.",
                            nullptr, outcome.chosen)
                             .arg(outcome.removed));
    }
    if (outcome.keptUnlisted > 0) {
        sentences.append(tr("%n item(s) that appeared after the scan were kept.", nullptr,
                            outcome.keptUnlisted));
    }
    sentences.append(went);
    QStringList details;
    for (const RemovalOutcome::Failure& failure : outcome.failures)
        details.append(failure.reason);
    const bool wentAll = failed == 0 && !outcome.stopped && outcome.keptUnlisted == 0;
    BackgroundTask::onGuiThread(this, [this, text = sentences.join(u' '), details, wentAll] {
        m_outcomeText = text;
        m_outcomeDetails = details;
        // The summary stays short; each failed item and its reason are one click away.
        const QString link = tr("Details…");
        Announcer::announce(
            m_failureLabel,
            details.isEmpty()
                ? text.toHtmlEscaped()
                : text.toHtmlEscaped() +
                      QStringLiteral(" <a href=\"details\">%1</a>").arg(link.toHtmlEscaped()),
            details.isEmpty() ? text : text + u' ' + link);
        m_failureLabel->setStyleSheet(wentAll ? QString()
                                              : QStringLiteral("color: rgb(190, 50, 40);"));
        m_failureLabel->setToolTip(
            details.mid(0, 20).join(u'\n') +
            (details.size() > 20 ? u'\n' + tr("… and %n more", nullptr, int(details.size() - 20))
                                 : QString()));
        m_failureLabel->show();
    });
}

void DownloadViewController::showOutcomeDetails()
{
    // Window-modal over the Downloads window, and not waited for: the list stays until closed.
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Items That Could Not Be Removed"));
    dialog->setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(dialog);
    auto* heading = new QLabel(tr("Each item that could not be removed, and why:"), dialog);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    auto* list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("removalFailures"));
    list->setAccessibleName(heading->text());
    list->setWordWrap(true);
    list->addItems(m_outcomeDetails);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(480, 300);
    dialog->open();
    list->setFocus(Qt::OtherFocusReason);
}

void DownloadViewController::stopRemove()
{
    m_isRemove = false;
    m_controller->stopRemove();
}

void DownloadViewController::setSuperDelegate(StatusAttachedWindow* window)
{
    if (m_superDelegate)
        disconnect(m_superDelegate, nullptr, this, nullptr);
    m_superDelegate = window;
    if (window) {
        connect(window, &StatusAttachedWindow::aboutToClose, this, [this] {
            if (!m_closing)
                closeWindow();
        });
    }
}

void DownloadViewController::closeWindow()
{
    const QScopedValueRollback<bool> closing(m_closing, true);
    if (!m_isScan) {
        m_pauseButton->setTitle(tr("Pause"));
        m_isScan = true;
    }
    endScan();
    m_controller->stopScan();
    if (m_isRemove) {
        m_isRemove = false;
        m_controller->stopRemove();
    }
    m_showingCaches = false;
    ++m_cachesListing;
    m_rootNodeArr.reset();
    m_model->setTree(nullptr);
    applySelectAllState(FileNode::Off);
    m_failureLabel->hide();
    updatePlaceholder();
    showScanningLayout(true);
    if (m_superDelegate)
        m_superDelegate->close();
}

void DownloadViewController::updatePlaceholder()
{
    QString text; // nothing shown, or nothing to say about it
    if (m_rootNodeArr && !m_scanProblem.isEmpty())
        text = m_scanProblem;
    else if (m_showingCaches && m_scanFinished && m_model->rowCount() == 0)
        text = tr("The caches hold nothing to clean up.");
    else if (m_rootNodeArr && m_scanFinished && !m_sortTimer && m_model->rowCount() == 0)
        text = tr("Nothing to clean up: “%1” is empty.").arg(m_scanPath);
    m_placeholder->setText(text);
    m_placeholder->setVisible(!text.isEmpty());
}

QString DownloadViewController::placeholderText() const
{
    return m_placeholder->isVisibleTo(this) ? m_placeholder->text() : QString();
}

QString DownloadViewController::percentText() const
{
    return m_progressLable->isVisibleTo(this) ? m_progressLable->text() : QString();
}

bool DownloadViewController::isShowingScanControls() const
{
    return m_scanProgressView->isVisibleTo(this) && m_pauseButton->isVisibleTo(this) &&
           m_stopScanButton->isVisibleTo(this);
}

QString DownloadViewController::pauseTitle() const
{
    return m_pauseButton->title();
}

QString DownloadViewController::selectAllImage() const
{
    return m_selectAllButton->imageName();
}

bool DownloadViewController::removalButtonsEnabled() const
{
    return m_moveToTrashButton->isEnabled() && m_deleteButton->isEnabled();
}

QString DownloadViewController::failureText() const
{
    return m_failureLabel->isVisibleTo(this) ? m_outcomeText : QString();
}

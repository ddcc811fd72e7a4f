#pragma once

#include "downloads/ControllerDelegate.h"
#include "downloads/ProgressViewController.h"
#include "platform/fs/SizeMode.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

class Controller;
class DownloadTableHeaderView;
class DownloadsTreeModel;
class DowndLoadOutLineView;
class FileTree;
class GXProgressView;
class ImageButton;
class QComboBox;
class QLabel;
class QDragEnterEvent;
class QDropEvent;
class QModelIndex;
class QTimer;
class StatusAttachedWindow;
class TextImageButton;

// The Downloads window: scans a folder into the size-ordered tree, shows it growing, lets the
// user tick what to remove, and runs Move to Trash or Completely Erase behind a modal progress
// window. Created once and reused: closing it stops the scan and empties it.
//
// States: idle, scanning, paused, results, removing. GUI thread only; the engine's reports,
// which come from its workers, are carried over to the GUI thread.
class DownloadViewController : public QWidget,
                               public ControllerDelegate,
                               public ProgressViewControllerDelegate {
    Q_OBJECT
public:
    static constexpr QSize kViewSize{560, 440};

    explicit DownloadViewController(Controller* controller = nullptr, QWidget* parent = nullptr);
    ~DownloadViewController() override;

    // The window showing the view. Closing it in any way (the close control, Escape, the window
    // manager) stops what runs and empties the view, as closeWindow() does.
    void setSuperDelegate(StatusAttachedWindow* window);
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }

    // The user's Downloads folder (the XDG download folder).
    static QString downloadsFolder();

    void doScanWithPath(const QString& path);
    // The space finder: any folder the user can read is scanned as the Downloads folder is, its
    // path in the title. A folder that cannot be read is named with the reason, nothing scanned.
    void scanChosenFolder(const QString& path);
    // Asks for a folder (a folder chooser) and scans it.
    void chooseFolder();
    // The Caches view: the user's caches (CacheInventory), measured on a worker, as rows that
    // Move to Trash and Completely Erase remove as on the tree; a cache in use is unticked.
    void showCaches();
    bool isShowingCaches() const { return m_showingCaches; }
    void reScanButtonAction();
    void pauseButtonAction();
    void stopScanButtonAction();
    void moveFileToTarsh();
    void deleteFiles();
    void setAllSelectOrNoSelect();
    void closeWindow();
    // What the sizes mean: the switch beside the list, remembered in the settings. Choosing
    // another mode scans the folder again in it (not while a removal runs).
    SizeMode sizeMode() const { return m_sizeMode; }
    void setSizeMode(SizeMode mode);
    QComboBox* sizeModeSwitch() const { return m_sizeModeSwitch; }

    // Engine reports; safe from any thread.
    void changeSelectAllButtonState(int state) override;
    void reloadTreeList() override;
    void changeRemoveProgressWithPoint(int percent, const QString& path) override;
    void removeFinishedWithOutcome(const RemovalOutcome& outcome) override;
    void endProScan() override;
    void stopRemove() override;

    // What the window shows, for tests and screenshots.
    bool isScan() const { return m_isScan; }
    bool isRemove() const { return m_isRemove; }
    int selectAllButSt() const { return m_selectAllButSt; }
    QString percentText() const;
    bool isShowingScanControls() const;
    QString pauseTitle() const;
    QString selectAllImage() const;
    bool removalButtonsEnabled() const;
    // What the last removal run did: what it freed (or moved to the trash) and what it did not do
    // as asked (stopped, items that stay, items kept); each failed item and its reason are
    // behind the label's Details link, which opens them in a list (showOutcomeDetails()).
    QString failureText() const;
    QStringList failureDetails() const { return m_outcomeDetails; }
    void showOutcomeDetails();
    // What the ticked items come to, beside the removal buttons, or nothing when none is ticked.
    QString chosenTotalText() const;
    // Why the last reveal (the "OpenFinder" column) failed, or nothing.
    QString revealNotice() const;
    // What the empty outline says: why the folder cannot be scanned, or that it is empty.
    QString placeholderText() const;
    DowndLoadOutLineView* outlineView() const { return m_outlineView; }
    DownloadsTreeModel* model() const { return m_model; }
    ProgressViewController* progressView() const { return m_progressView; }

Q_SIGNALS:
    // The removal progress window is made and its modal run is about to begin: no report of
    // the run has reached it yet.
    void removalWindowShown();
    // The Caches view has its rows.
    void cachesListed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void awakeFromNib();
    void getRootNodeListWithPath(const QString& path);
    void endScan();
    void progressPoll();
    void reloadPoll();
    void showScanningLayout(bool scanning);
    void changeDeleteButtonState();
    void doRemoveAction();
    void applySelectAllState(int state);
    void checkBoxClicked(const QModelIndex& index);
    void updatePlaceholder();
    void updateChosenTotal();
    // The rows in sight when a removal starts, and the first of them still there afterwards is
    // brought back to the top: the list stays where the user was.
    void rememberScrollPosition();
    void restoreScrollPosition();
    void revealItem(const QModelIndex& index);
    void showTitle(const QString& title, const QString& path);
    void endScanForOtherView();
    void makeSizeModeSwitch(QWidget* header, int x);

    Controller* m_controller;
    std::shared_ptr<FileTree> m_rootNodeArr;
    bool m_isScan = false;
    bool m_isRemove = false;
    int m_selectAllButSt = 0;
    QTimer* m_sortTimer = nullptr;
    QTimer* m_progressTimer = nullptr;
    QPointer<ProgressViewController> m_progressView;
    QPointer<StatusAttachedWindow> m_superDelegate;
    QString m_scanPath;
    QString m_scanProblem;       // why m_scanPath cannot be listed; empty when it can
    bool m_scanFinished = false; // the last scan went through its whole folder
    bool m_closing = false;
    bool m_showingCaches = false;
    int m_cachesListing = 0; // the Caches view's latest listing; older answers are dropped
    QString m_outcomeText;
    SizeMode m_sizeMode = SizeMode::Apparent;
    QStringList m_outcomeDetails;
    QList<QPersistentModelIndex> m_rowsInSight;
    int m_scrollValue = 0;

    QLabel* m_titleLabel = nullptr;
    TextImageButton* m_pauseButton = nullptr;
    TextImageButton* m_stopScanButton = nullptr;
    TextImageButton* m_moveToTrashButton = nullptr;
    TextImageButton* m_deleteButton = nullptr;
    TextImageButton* m_chooseFolderButton = nullptr;
    TextImageButton* m_cachesButton = nullptr;
    ImageButton* m_selectAllButton = nullptr;
    QWidget* m_scanProgressView = nullptr;
    GXProgressView* m_scanProgress = nullptr;
    QLabel* m_progressLable = nullptr;
    QLabel* m_selectPathView = nullptr;
    QLabel* m_failureLabel = nullptr;
    QLabel* m_chosenTotal = nullptr;
    QLabel* m_placeholder = nullptr;
    QLabel* m_revealNotice = nullptr;
    QWidget* m_outlineBlowView = nullptr;
    DownloadTableHeaderView* m_headerView = nullptr;
    DowndLoadOutLineView* m_outlineView = nullptr;
    DownloadsTreeModel* m_model = nullptr;
    QComboBox* m_sizeModeSwitch = nullptr;
};

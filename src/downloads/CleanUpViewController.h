#pragma once

#include "downloads/ProgressViewController.h"
#include "kit/ToolPage.h"
#include "trash/TrashCleaner.h"

#include <functional>

class DownloadViewController;
class FullDiskAccessViewController;
class ImageButton;
class TrashAction;
class TrashViewController;

// The Cleanup tab: empty the Trash of every volume, and clean the Downloads folder in the
// Downloads window (created once and reused).
class CleanUpViewController : public ToolPage, public ProgressViewControllerDelegate {
    Q_OBJECT
public:
    explicit CleanUpViewController(QWidget* parent = nullptr);
    ~CleanUpViewController() override;

    void cleanDownload();
    // The Downloads window as the space finder on any folder (`corvella --scan PATH`): opened on
    // `path`, or, when it is open already, scanning `path` instead.
    void scanFolder(const QString& path);
    void emptyTrash();
    // Opens the Trash window (modal) and returns once it is closed.
    void openTrash();

    DownloadViewController* downloadWC() const { return m_downloadWC; }
    ImageButton* cleanDownloadBut() const { return m_cleanDownloadBut; }
    ImageButton* closeTrashBut() const { return m_closeTrashBut; }
    ImageButton* openTrashBut() const { return m_openTrashBut; }
    TrashAction* trashAction() const { return m_trashAction; }

Q_SIGNALS:
    // The Downloads window is up and scanning (its modal run has begun).
    void downloadWindowShown();
    // The Trash window is up (its modal run has begun).
    void trashWindowShown(TrashViewController* trash);
    // Emptying the Trash runs and its progress window is about to be shown modally.
    void trashProgressShown(ProgressViewController* progress);

private:
    // The progress window's Stop: ends the emptying.
    void stopRemove() override;
    // Shows the progress of the emptying that runs, with Stop, until it ends (modal).
    void showEmptyingProgress();
    void showEmptyingResult(const TrashCleaner::Result& result);
    void showAccessPrompt();
    void askToEmptyTrash(const TrashCleaner::Contents& contents);
    QPointF dialogAnchor() const;
    // Opens the Downloads window and runs it modally; `start` begins its scan.
    void runDownloadWindow(const std::function<void(DownloadViewController*)>& start);

    ImageButton* m_cleanDownloadBut = nullptr;
    ImageButton* m_closeTrashBut = nullptr;
    ImageButton* m_openTrashBut = nullptr;
    DownloadViewController* m_downloadWC = nullptr;
    TrashAction* m_trashAction = nullptr;
};

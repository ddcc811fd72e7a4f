#include "downloads/CleanUpViewController.h"

#include "common/PublicUtilities.h"
#include "common/SizeModeSetting.h"
#include "downloads/DownloadViewController.h"
#include "kit/ColorScheme.h"
#include "kit/ConfirmationDialog.h"
#include "kit/ImageButton.h"
#include "kit/StatusAttachedWindow.h"
#include "trash/FullDiskAccessViewController.h"
#include "trash/TrashAction.h"
#include "trash/TrashViewController.h"

#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QWidget* actionTile(ImageButton* button, const QString& title, const QString& text, QWidget* parent)
{
    auto* tile = new QWidget(parent);
    auto* layout = new QVBoxLayout(tile);
    layout->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    button->setParent(tile);
    // The face shows no words: the tile's heading names the button, its explanation describes it.
    button->setAccessibleName(title);
    button->setAccessibleDescription(text);
    // The faces are vector art: drawn large, they make the two actions the tab's content.
    button->setStretchFace(true);
    button->setFixedSize(72, 72);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    auto* heading = new QLabel(title, tile);
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    auto* explanation = new QLabel(text, tile);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignCenter);
    ColorScheme::setTextColor(explanation, ColorScheme::Text::Secondary);
    layout->addWidget(explanation);
    return tile;
}

} // namespace

CleanUpViewController::CleanUpViewController(QWidget* parent)
    : ToolPage(tr("Cleanup"),
               tr("Empty the Trash of every volume and clean up the Downloads folder."), parent)
{
    // Made first, so the keyboard reaches Clean Downloads before the button that empties every
    // trash: a window's first focus never rests on it.
    m_cleanDownloadBut = new ImageButton(QStringLiteral("ic_clean_but"), this);
    m_cleanDownloadBut->setImageNames(
        QStringLiteral("ic_clean_but"), QStringLiteral("ic_clean_hover"),
        QStringLiteral("ic_clean_hover"), QStringLiteral("ic_clean_but"));
    m_closeTrashBut = new ImageButton(QStringLiteral("ic_remove"), this);
    m_closeTrashBut->setImageNames(QStringLiteral("ic_remove"), QStringLiteral("ic_remove_hover"),
                                   QStringLiteral("ic_remove_hover"),
                                   QStringLiteral("ic_remove_disable"));
    m_openTrashBut = new ImageButton(QStringLiteral("ic_docs"), this);
    m_openTrashBut->setImageNames(QStringLiteral("ic_docs"), QStringLiteral("ic_docs"),
                                  QStringLiteral("ic_docs"), QStringLiteral("ic_docs"));
    connect(m_closeTrashBut, &ImageButton::clicked, this, &CleanUpViewController::emptyTrash);
    connect(m_openTrashBut, &ImageButton::clicked, this, &CleanUpViewController::openTrash);
    connect(m_cleanDownloadBut, &ImageButton::clicked, this, &CleanUpViewController::cleanDownload);

    auto* tiles = new QGridLayout();
    tiles->setAlignment(Qt::AlignTop);
    tiles->setColumnStretch(0, 1);
    tiles->setColumnStretch(1, 1);
    tiles->addWidget(actionTile(m_closeTrashBut, tr("Empty Trash"),
                                tr("Remove everything in the Trash of your home "
                                   "and of every mounted volume."),
                                this),
                     0, 0);
    tiles->addWidget(actionTile(m_cleanDownloadBut, tr("Clean Downloads"),
                                tr("Find what takes the most room in your "
                                   "Downloads folder and remove what you choose."),
                                this),
                     0, 1);
    tiles->addWidget(actionTile(m_openTrashBut, tr("Trash"),
                                tr("See what the Trash of every volume holds, put "
                                   "items back or delete them for good."),
                                this),
                     1, 0, 1, 2);
    bodyLayout()->addLayout(tiles);
    bodyLayout()->addStretch(1);

    m_trashAction = new TrashAction(this);
    connect(m_trashAction, &TrashAction::accessPromptNeeded, this,
            &CleanUpViewController::showAccessPrompt);
    connect(m_trashAction, &TrashAction::measured, this, &CleanUpViewController::askToEmptyTrash);
    connect(m_trashAction, &TrashAction::finished, m_closeTrashBut,
            [this] { m_closeTrashBut->setEnabled(true); });
    connect(m_trashAction, &TrashAction::finished, this,
            &CleanUpViewController::showEmptyingResult);
}

CleanUpViewController::~CleanUpViewController()
{
    delete m_downloadWC;
}

QPointF CleanUpViewController::dialogAnchor() const
{
    const QRect main = window()->frameGeometry();
    return {main.x() + main.width() * 0.5 - 3.0, main.bottom() + 1.0};
}

void CleanUpViewController::cleanDownload()
{
    runDownloadWindow([](DownloadViewController* view) {
        view->doScanWithPath(DownloadViewController::downloadsFolder());
    });
}

void CleanUpViewController::scanFolder(const QString& path)
{
    if (m_downloadWC && m_downloadWC->superDelegate()) {
        m_downloadWC->scanChosenFolder(path);
        m_downloadWC->superDelegate()->bringToFront();
        return;
    }
    runDownloadWindow([path](DownloadViewController* view) { view->scanChosenFolder(path); });
}

void CleanUpViewController::runDownloadWindow(
    const std::function<void(DownloadViewController*)>& start)
{
    if (!m_downloadWC)
        m_downloadWC = new DownloadViewController();
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(m_downloadWC, dialogAnchor(), nullptr, 1, 5.0f);
    m_downloadWC->setSuperDelegate(window);
    start(m_downloadWC);
    window->center();
    QTimer::singleShot(0, this, &CleanUpViewController::downloadWindowShown);
    window->runModal();
    // The window goes; the Downloads view stays for the next time.
    m_downloadWC->hide();
    m_downloadWC->setParent(nullptr);
    m_downloadWC->setSuperDelegate(nullptr);
    window->deleteLater();
}

void CleanUpViewController::openTrash()
{
    // Made afresh each time: it lists the trashes as they are now.
    auto* trash = new TrashViewController();
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(trash, dialogAnchor(), nullptr, 1, 5.0f);
    trash->setSuperDelegate(window);
    window->center();
    QTimer::singleShot(0, this, [this, trash] { Q_EMIT trashWindowShown(trash); });
    window->runModal();
    window->deleteLater();
}

void CleanUpViewController::emptyTrash()
{
    if (PublicUtilities::confirmsIrreversibleActions() && !m_trashAction->needsAccessPrompt()) {
        // Measured on the worker first; the question follows in askToEmptyTrash().
        m_trashAction->measureTrash();
        // While the Trash is measured, the button shows it cannot be pressed again.
        m_closeTrashBut->setEnabled(!m_trashAction->isRunning());
    } else {
        m_trashAction->emptyTrash();
        m_closeTrashBut->setEnabled(!m_trashAction->isRunning());
        showEmptyingProgress();
    }
}

void CleanUpViewController::askToEmptyTrash(const TrashCleaner::Contents& contents)
{
    // An empty Trash needs no question: emptying it only says so.
    const bool confirmed = contents.items == 0 ||
                           ConfirmationDialog::ask(
                               this,
                               tr("Permanently erase %1 (%2) in the Trash? This cannot be undone.")
                                   .arg(PublicUtilities::itemCount(contents.items),
                                        SizeModeSetting::figure(contents.bytes, contents.sizeMode)),
                               tr("This empties the Trash of your home folder and of every mounted "
                                  "volume."),
                               tr("Empty Trash"));
    if (confirmed)
        m_trashAction->emptyTrash();
    m_closeTrashBut->setEnabled(!m_trashAction->isRunning());
    if (confirmed)
        showEmptyingProgress();
}

void CleanUpViewController::showEmptyingProgress()
{
    if (!m_trashAction->isRunning())
        return;
    auto* progress = new ProgressViewController();
    progress->setWindowTitle(tr("Emptying the Trash"));
    progress->setDelegate(this);
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(progress, dialogAnchor(), nullptr, 1, 5.0f);
    progress->setSuperDelegate(window);
    window->center();
    const QString what = tr("Emptying the Trash of your home folder and every mounted volume");
    progress->changeProgressValue(0, what);
    connect(m_trashAction, &TrashAction::progressChanged, progress,
            [progress, what](int percent) { progress->changeProgressValue(percent, what); });
    // The window closes at 100, which only the end of the emptying sends.
    connect(m_trashAction, &TrashAction::finished, progress,
            [progress, what] { progress->changeProgressValue(100, what); });
    Q_EMIT trashProgressShown(progress);
    if (m_trashAction->isRunning())
        window->runModal();
    window->deleteLater();
}

void CleanUpViewController::stopRemove()
{
    m_trashAction->stop();
}

void CleanUpViewController::showEmptyingResult(const TrashCleaner::Result& result)
{
    // The notification tells a finished emptying; a stopped one is told only here, and what failed
    // is said here as well.
    showNotice(result.stopped || result.failures > 0 ? TrashAction::notificationText(result)
                                                     : QString());
}

void CleanUpViewController::showAccessPrompt()
{
    auto* prompt = new FullDiskAccessViewController();
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(prompt, dialogAnchor(), nullptr, 1, 5.0f);
    prompt->setSuperDelegate(window);
    window->center();
    window->runModal();
    window->deleteLater();
}

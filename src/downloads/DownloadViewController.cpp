#include "downloads/DownloadViewController.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "downloads/Controller.h"
#include "downloads/DowndLoadOutLineView.h"
#include "downloads/DownloadTableHeaderView.h"
#include "downloads/DownloadsTreeModel.h"
#include "downloads/FileTree.h"
#include "kit/ColorScheme.h"
#include "kit/GXProgressView.h"
#include "kit/ImageButton.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "kit/TrafficLightButton.h"
#include "platform/desktop/FileManagerReveal.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QStandardPaths>

#include <algorithm>

namespace {

// The tree's frame inside the window while scanning (room for the bar) and with results.
// Both end above the line that tells what is ticked.
constexpr QRect kScanningFrame{16, 80, 528, 292};
constexpr QRect kResultsFrame{16, 40, 528, 332};
constexpr int kHeaderHeight = 30;

TextImageButton* faceButton(const QString& title, const QString& face, QWidget* parent)
{
    auto* button = new TextImageButton(title, 12, parent);
    button->setImageNames(face == u"btn_sec" ? QStringLiteral("btn_sec")
                                             : face + QStringLiteral("_normal"),
                          face + QStringLiteral("_press"), face + QStringLiteral("_hover"),
                          face + QStringLiteral("_disable"));
    return button;
}

} // namespace

DownloadViewController::DownloadViewController(Controller* controller, QWidget* parent)
    : QWidget(parent), m_controller(controller ? controller : Controller::getController())
{
    setWindowTitle(tr("Downloads"));
    setFixedSize(kViewSize);
    awakeFromNib();
}

DownloadViewController::~DownloadViewController()
{
    if (m_controller->aDelegate() == this)
        m_controller->setADelegate(nullptr);
}

QString DownloadViewController::downloadsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
}

void DownloadViewController::awakeFromNib()
{
    m_controller->setADelegate(this);

    auto* close = new TrafficLightButton(QStringLiteral("close"), this);
    close->setGeometry(14, 12, 12, 12);
    close->setup();
    connect(close, &TrafficLightButton::clicked, this, &DownloadViewController::closeWindow);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &DownloadViewController::closeWindow);

    m_titleLabel = new QLabel(QStringLiteral("Corvella"), this);
    m_titleLabel->setGeometry(152, kViewSize.height() - 412 - 22, 256, 22);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_titleLabel->font();
    if (const QString light = PublicUtilities::getLightFontName(); !light.isEmpty())
        titleFont.setFamily(light);
    titleFont.setPixelSize(14);
    m_titleLabel->setFont(titleFont);

    // The space finder: any folder, or the caches, beside the title.
    m_chooseFolderButton = faceButton(tr("Choose Folder…"), QStringLiteral("btn_sec"), this);
    m_chooseFolderButton->setGeometry(36, 2, 110, 28);
    m_chooseFolderButton->setAccessibleName(tr("Choose Folder"));
    m_chooseFolderButton->setToolTip(tr("Scan another folder: any folder you can read. You can "
                                        "also drop a folder on this window."));
    connect(m_chooseFolderButton, &TextImageButton::clicked, this,
            &DownloadViewController::chooseFolder);
    m_cachesButton = faceButton(tr("Caches"), QStringLiteral("btn_sec"), this);
    m_cachesButton->setGeometry(434, 2, 110, 28);
    m_cachesButton->setAccessibleName(tr("Caches"));
    m_cachesButton->setToolTip(tr("What the caches of your applications, the thumbnails, the "
                                  "trash and old core dumps take on disk."));
    connect(m_cachesButton, &TextImageButton::clicked, this, &DownloadViewController::showCaches);
    // Longer titles (a translation's) widen the buttons towards the title, which stays centred.
    m_chooseFolderButton->fitTitle(110);
    m_cachesButton->fitTitle(110);
    m_cachesButton->move(544 - m_cachesButton->width(), 2);
    const int titleHalf =
        std::min({128, kViewSize.width() / 2 - m_chooseFolderButton->geometry().right() - 7,
                  m_cachesButton->x() - 6 - kViewSize.width() / 2});
    m_titleLabel->setGeometry(kViewSize.width() / 2 - titleHalf, m_titleLabel->y(), 2 * titleHalf,
                              m_titleLabel->height());
    setAcceptDrops(true);

    m_selectPathView = new QLabel(tr("Looking for large downloads…"), this);
    m_selectPathView->setGeometry(kResultsFrame);
    m_selectPathView->setAlignment(Qt::AlignCenter);

    m_scanProgressView = new QWidget(this);
    m_scanProgressView->setGeometry(16, 40, 528, 32);
    m_scanProgress = new GXProgressView(m_scanProgressView);
    m_scanProgress->setGeometry(0, 13, 430, 6);
    m_progressLable = new QLabel(m_scanProgressView);
    m_progressLable->setGeometry(440, 4, 88, 24);
    m_progressLable->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_outlineBlowView = new QWidget(this);
    m_headerView = new DownloadTableHeaderView(m_outlineBlowView);
    m_selectAllButton = new ImageButton(QStringLiteral("option_no"), m_headerView);
    m_selectAllButton->setGeometry(8, 5, 16, 16);
    m_selectAllButton->setToolTip(tr("Select All"));
    m_selectAllButton->setAccessibleName(tr("Select All"));
    connect(m_selectAllButton, &ImageButton::clicked, this,
            &DownloadViewController::setAllSelectOrNoSelect);
    auto* nameTitle = new QLabel(tr("Name"), m_headerView);
    nameTitle->setGeometry(40, 4, 200, 18);
    makeSizeModeSwitch(m_headerView, DownloadTableHeaderView::kSeparatorX + 4);

    m_model = new DownloadsTreeModel(this);
    m_model->setController(m_controller);
    m_outlineView = new DowndLoadOutLineView(m_outlineBlowView);
    m_outlineView->setModel(m_model);
    m_outlineView->header()->setStretchLastSection(false);
    m_outlineView->setColumnWidth(DownloadsTreeModel::CheckBoxColumn, 32);
    m_outlineView->setColumnWidth(DownloadsTreeModel::NameColumn,
                                  DownloadTableHeaderView::kSeparatorX - 32);
    m_outlineView->setColumnWidth(DownloadsTreeModel::SizeColumn, 96);
    m_outlineView->setColumnWidth(DownloadsTreeModel::OpenFinderColumn, 28);
    connect(m_outlineView, &DowndLoadOutLineView::checkBoxClicked, this,
            &DownloadViewController::checkBoxClicked);
    connect(m_outlineView, &DowndLoadOutLineView::revealClicked, this,
            &DownloadViewController::revealItem);
    connect(m_outlineView, &QTreeView::expanded, m_model,
            [this](const QModelIndex& index) { m_model->setExpanded(index, true); });
    connect(m_outlineView, &QTreeView::collapsed, m_model,
            [this](const QModelIndex& index) { m_model->setExpanded(index, false); });

    // Over the empty outline: why nothing can be shown.
    m_placeholder = new QLabel(m_outlineBlowView);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setWordWrap(true);
    m_placeholder->setAttribute(Qt::WA_TransparentForMouseEvents);
    ColorScheme::setTextColor(m_placeholder, ColorScheme::Text::Secondary);
    m_placeholder->hide();

    // Why the last reveal failed, over the foot of the outline until the next reveal.
    m_revealNotice = new QLabel(m_outlineBlowView);
    m_revealNotice->setWordWrap(true);
    m_revealNotice->setAccessibleName(tr("Notice"));
    m_revealNotice->setAutoFillBackground(true); // opaque over the rows
    m_revealNotice->setBackgroundRole(QPalette::Base);
    m_revealNotice->setContentsMargins(8, 2, 8, 2);
    ColorScheme::setTextColor(m_revealNotice, ColorScheme::Text::Notice);
    m_revealNotice->hide();

    // What the last removal did and what it could not do, where the scan's buttons were: they are
    // hidden by then.
    m_failureLabel = new QLabel(this);
    m_failureLabel->setGeometry(16, kViewSize.height() - 50, 260, 42);
    m_failureLabel->setWordWrap(true);
    m_failureLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont failureFont = m_failureLabel->font();
    failureFont.setPixelSize(11);
    m_failureLabel->setFont(failureFont);
    ColorScheme::setTextColor(m_failureLabel, ColorScheme::Text::Notice);
    m_failureLabel->setTextFormat(Qt::RichText);
    m_failureLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
    connect(m_failureLabel, &QLabel::linkActivated, this,
            &DownloadViewController::showOutcomeDetails);
    m_failureLabel->hide();

    const int buttonTop = kViewSize.height() - 44;
    // What the ticked items come to, over the buttons that remove them.
    m_chosenTotal = new QLabel(this);
    m_chosenTotal->setGeometry(284, buttonTop - 22, 260, 18);
    m_chosenTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_chosenTotal->hide();
    m_pauseButton = faceButton(tr("Pause"), QStringLiteral("btn_sec"), this);
    m_pauseButton->setGeometry(16, buttonTop, 110, 30);
    connect(m_pauseButton, &TextImageButton::clicked, this,
            &DownloadViewController::pauseButtonAction);
    m_stopScanButton = faceButton(tr("Stop Scan"), QStringLiteral("btn_sec"), this);
    m_stopScanButton->setGeometry(134, buttonTop, 110, 30);
    m_stopScanButton->fitTitle(110);
    connect(m_stopScanButton, &TextImageButton::clicked, this,
            &DownloadViewController::stopScanButtonAction);
    m_moveToTrashButton = faceButton(tr("Move to Trash"), QStringLiteral("btn_secl"), this);
    m_moveToTrashButton->setGeometry(284, buttonTop, 126, 30);
    connect(m_moveToTrashButton, &TextImageButton::clicked, this,
            &DownloadViewController::moveFileToTarsh);
    m_deleteButton = faceButton(tr("Completely Erase"), QStringLiteral("btn_secl"), this);
    m_deleteButton->setGeometry(418, buttonTop, 126, 30);
    connect(m_deleteButton, &TextImageButton::clicked, this, &DownloadViewController::deleteFiles);

    // Idle: nothing scanned yet; the removal buttons wait until something is chosen.
    m_scanProgressView->hide();
    m_pauseButton->hide();
    m_stopScanButton->hide();
    showScanningLayout(false);
    m_outlineBlowView->hide();
    changeDeleteButtonState();
}

void DownloadViewController::showScanningLayout(bool scanning)
{
    const QRect frame = scanning ? kScanningFrame : kResultsFrame;
    m_outlineBlowView->setGeometry(frame);
    m_headerView->setGeometry(0, 0, frame.width(), kHeaderHeight);
    m_outlineView->setGeometry(0, kHeaderHeight, frame.width(), frame.height() - kHeaderHeight);
    m_placeholder->setGeometry(24, kHeaderHeight, frame.width() - 48,
                               frame.height() - kHeaderHeight);
    m_revealNotice->setGeometry(0, frame.height() - 40, frame.width(), 40);
}

void DownloadViewController::revealItem(const QModelIndex& index)
{
    const FileNode* node = DownloadsTreeModel::nodeOf(index);
    if (!node)
        return;
    m_revealNotice->hide();
    const QString path = node->path();
    // The file manager's answer and xdg-open are waited for on a worker.
    BackgroundTask::run(
        this, [path] { return FileManagerReveal::showItem(path); },
        [this](const QString& error) {
            if (error.isEmpty())
                return;
            qWarning().noquote() << error;
            m_revealNotice->setText(error);
            m_revealNotice->show();
            m_revealNotice->raise();
        });
}

QString DownloadViewController::revealNotice() const
{
    return m_revealNotice->isVisibleTo(this) ? m_revealNotice->text() : QString();
}

#include "update/GXCheckUpdateViewController.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"
#include "platform/desktop/DesktopOpener.h"
#include "update/VersionChecker.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr QSize dialogSize{440, 300};
constexpr int listWidth = 391;
constexpr int minimumListHeight = 140;
// Lines are measured in the system font of this size at this width.
constexpr int measureFontSize = 10;
constexpr int measureWidth = 200;

TextImageButton* makeButton(const QString& title, const char* normal, const char* pressed,
                            const char* hover, const char* disabled, QWidget* parent)
{
    auto* button = new TextImageButton(title, 12, parent);
    button->setImageNames(QLatin1StringView(normal), QLatin1StringView(pressed),
                          QLatin1StringView(hover), QLatin1StringView(disabled));
    button->setEnabled(true);
    // A translation's longer title widens its button.
    button->setFixedSize(qMax(title.size() > 10 ? 140 : 90, button->titleWidthHint()), 28);
    return button;
}

QFont measureFont()
{
    QFont font;
    font.setPointSize(measureFontSize);
    return font;
}

} // namespace

GXCheckUpdateViewController::GXCheckUpdateViewController(QWidget* parent)
    : QWidget(parent), m_checker(new VersionChecker(this))
{
    setWindowTitle(tr("Check for Updates"));
    setFixedSize(dialogSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);

    m_loadCloseBut = makeButton(tr("Cancel"), "btn_sec", "btn_sec_press", "btn_sec_hover",
                                "btn_sec_disable", this);
    m_noNetColseBut = makeButton(tr("Close"), "btn_b_normal", "btn_b_hover", "btn_b_hover",
                                 "btn_s_disable", this);
    m_noUpdateClose = makeButton(tr("Finish"), "btn_b_normal", "btn_b_hover", "btn_b_hover",
                                 "btn_s_disable", this);
    m_cancelBut = makeButton(tr("Remind Me Later"), "btn_secl_normal", "btn_secl_hover",
                             "btn_secl_hover", "btn_secl_disable", this);
    m_updateBut = makeButton(tr("Install Update"), "btn_pril_normal", "btn_pril_press",
                             "btn_pril_hover", "btn_pril_disable", this);
    for (TextImageButton* button : {m_loadCloseBut, m_noNetColseBut, m_noUpdateClose, m_cancelBut})
        connect(button, &TextImageButton::clicked, this, &GXCheckUpdateViewController::closeWindow);
    connect(m_updateBut, &TextImageButton::clicked, this,
            &GXCheckUpdateViewController::updateClickHereAction);

    m_checkProgressView = makeOutcomeView(tr("Checking for updates…"), m_loadCloseBut);
    auto* busy = new QProgressBar(m_checkProgressView);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    qobject_cast<QVBoxLayout*>(m_checkProgressView->layout())->insertWidget(1, busy);
    m_noNetworkView =
        makeOutcomeView(tr("The check for a newer version could not be made."), m_noNetColseBut);
    m_noNetworkReason = new QLabel(m_noNetworkView);
    m_noNetworkReason->setWordWrap(true);
    m_noNetworkReason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    qobject_cast<QVBoxLayout*>(m_noNetworkView->layout())->insertWidget(1, m_noNetworkReason);
    m_noUpdateView = makeOutcomeView(
        tr("You have the newest version of Corvella (%1).").arg(VersionChecker::installedVersion()),
        m_noUpdateClose);

    m_haveUpdateView = new QWidget(this);
    auto* have = new QVBoxLayout(m_haveUpdateView);
    have->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(tr("A new version of Corvella is available!"), m_haveUpdateView);
    QFont headingFont = heading->font();
    headingFont.setPixelSize(15);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    have->addWidget(heading);
    m_versionLabel = new QLabel(m_haveUpdateView);
    m_versionLabel->setWordWrap(true);
    m_versionLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    have->addWidget(m_versionLabel);
    m_changeValueScrollView = new QScrollArea(m_haveUpdateView);
    m_changeValueScrollView->setFrameShape(QFrame::NoFrame);
    m_changeValueScrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_changeValueScrollView->setFixedHeight(minimumListHeight);
    m_showVersionScrollView = new QWidget;
    m_showVersionScrollView->setGeometry(0, 0, listWidth, minimumListHeight);
    m_changeValueScrollView->setWidget(m_showVersionScrollView);
    have->addWidget(m_changeValueScrollView);
    m_openFailure = new QLabel(m_haveUpdateView);
    m_openFailure->setWordWrap(true);
    m_openFailure->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_openFailure->setAccessibleName(tr("Why the download page did not open"));
    m_openFailure->hide();
    have->addWidget(m_openFailure);
    have->addStretch(1);
    auto* haveButtons = new QHBoxLayout;
    haveButtons->addStretch(1);
    haveButtons->addWidget(m_cancelBut);
    haveButtons->addWidget(m_updateBut);
    have->addLayout(haveButtons);

    for (QWidget* view : {m_checkProgressView, m_noNetworkView, m_noUpdateView, m_haveUpdateView}) {
        layout->addWidget(view);
        view->hide();
    }
    m_checkProgressView->show();

    connect(m_checker, &VersionChecker::finished, this,
            &GXCheckUpdateViewController::whatIsNewVersionDiff);
    m_checker->getVersionChange();
}

GXCheckUpdateViewController::~GXCheckUpdateViewController() = default;

QWidget* GXCheckUpdateViewController::makeOutcomeView(const QString& message,
                                                      TextImageButton* button)
{
    auto* view = new QWidget(this);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(message, view);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPixelSize(15);
    font.setBold(true);
    label->setFont(font);
    layout->addWidget(label);
    layout->addStretch(1);
    layout->addWidget(button, 0, Qt::AlignRight);
    return view;
}

void GXCheckUpdateViewController::getVersionChange(const QUrl& recordUrl, qint32 shippedBuild)
{
    for (QWidget* view : {m_noNetworkView, m_noUpdateView, m_haveUpdateView})
        view->hide();
    m_checkProgressView->show();
    m_checker->getVersionChange(recordUrl, shippedBuild);
}

int GXCheckUpdateViewController::heightForStringDrawing(const QString& text, const QFont& font,
                                                        int width)
{
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), Qt::TextWordWrap, text)
        .height();
}

void GXCheckUpdateViewController::whatIsNewVersionDiff(const VersionCheckResult& result)
{
    for (QWidget* view : {m_checkProgressView, m_noNetworkView, m_noUpdateView, m_haveUpdateView})
        view->hide();
    switch (result.outcome) {
    case VersionCheckResult::Outcome::Unreachable:
        m_noNetworkReason->setText(result.reason);
        m_noNetworkView->show();
        Q_EMIT checkFinished();
        return;
    case VersionCheckResult::Outcome::None:
        m_noUpdateView->show();
        Q_EMIT checkFinished();
        return;
    case VersionCheckResult::Outcome::Newer:
        break;
    }
    m_haveUpdateView->show();
    m_versionLabel->setText(
        VersionCheckResult::offerText(result.version, VersionChecker::installedVersion()));

    qDeleteAll(m_showVersionScrollView->findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
    const QFont measured = measureFont();
    QList<int> heights;
    int total = 0;
    for (const auto& line : result.lines) {
        heights << heightForStringDrawing(line.second, measured, measureWidth);
        total += std::max(30, heights.back());
    }
    const int listHeight = std::max(minimumListHeight, total);
    m_showVersionScrollView->setFixedSize(listWidth, listHeight);

    QFont fieldFont;
    const QString light = PublicUtilities::getLightFontName();
    if (!light.isEmpty())
        fieldFont.setFamily(light);
    fieldFont.setPixelSize(13);
    // Fields stack from the top: each sits right below the one before.
    int top = 0;
    for (qsizetype index = 0; index < result.lines.size(); ++index) {
        const int height = std::max(25, heights.at(index));
        auto* field = new QLabel(VersionCheckResult::lineText(result.lines.at(index)),
                                 m_showVersionScrollView);
        field->setWordWrap(true);
        field->setFont(fieldFont);
        field->setAutoFillBackground(true);
        field->setBackgroundRole(QPalette::Button);
        field->setToolTip(result.lines.at(index).second);
        field->setGeometry(0, top, listWidth, height);
        field->show();
        top += height;
    }
    m_changeValueScrollView->verticalScrollBar()->setValue(0);
    Q_EMIT checkFinished();
}

QString GXCheckUpdateViewController::openFailure() const
{
    return m_openFailure->isHidden() ? QString() : m_openFailure->text();
}

void GXCheckUpdateViewController::updateClickHereAction()
{
    const QUrl download = VersionChecker::downloadUrl();
    if (download.isEmpty()) {
        m_openFailure->setText(tr("The download page could not be opened: no address is set "
                                  "(UpdateURL)."));
        m_openFailure->show();
        return;
    }
    // The window stays until the page is open, so that a failure is said where it was asked for.
    m_openFailure->hide();
    m_updateBut->setEnabled(false);
    BackgroundTask::run(
        this, [download] { return DesktopOpener::openAddress(download); },
        [this](const QString& error) {
            m_updateBut->setEnabled(true);
            if (error.isEmpty()) {
                closeWindow();
                return;
            }
            m_openFailure->setText(error);
            m_openFailure->show();
        });
}

void GXCheckUpdateViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}

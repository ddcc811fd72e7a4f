#include "disks/DiskBoxViewController.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "disks/DiskBoxViewControllerDelegate.h"
#include "disks/DiskDescription.h"
#include "disks/DiskLowView.h"
#include "disks/DiskTextFiledView.h"
#include "disks/FormatEndViewController.h"
#include "disks/MakeSureFormatViewController.h"
#include "disks/VolumeCapabilities.h"
#include "disks/VolumeLabelRules.h"
#include "kit/ColorScheme.h"
#include "kit/GXProgressView.h"
#include "kit/IconATextButton.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"

#include <QLabel>
#include <QTimer>

namespace {

QLabel* boxLabel(QRect frame, QWidget* parent, int pixelSize, ColorScheme::Text color,
                 bool bold = false)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(frame);
    ColorScheme::setTextColor(label, color);
    return label;
}

IconATextButton* iconButton(const QString& image, const QString& title, QRect frame,
                            QWidget* parent)
{
    auto* button = new IconATextButton(parent);
    const QString hover = image + QStringLiteral("_hover");
    button->setImageNames(image, hover, hover, image);
    button->setTitle(title);
    button->setFontSize(12);
    button->setGeometry(frame);
    return button;
}

TextImageButton* secondaryButton(const QString& title, QRect frame, QWidget* parent)
{
    auto* button = new TextImageButton(title, 12, parent);
    button->setImageNames(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                          QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    button->setGeometry(frame);
    return button;
}

// An action the volume does not allow is greyed, and says why to the pointer and to screen readers.
void showAnswer(QWidget* button, const VolumeCapabilities::Answer& answer)
{
    button->setEnabled(answer.allowed);
    button->setToolTip(answer.reason);
    button->setAccessibleDescription(answer.reason);
}

QVariantMap describeOnWorker(const DVVolumeInfo& volume)
{
    return DiskDescription::GXGetDiskInfo(volume.volRootDir);
}

// The description's identifier for a rename: "DiskUUID" unless it is empty, " " or "(null)",
// else "VolumeUUID", else the device.
QString renameIdentifier(const QVariantMap& description, const DVVolumeInfo& volume)
{
    const QString disk = description.value(QStringLiteral("DiskUUID")).toString();
    if (!disk.isEmpty() && disk != u" " && disk != u"(null)")
        return disk;
    const QString volumeId = description.value(QStringLiteral("VolumeUUID")).toString();
    return volumeId.isEmpty() ? volume.device : volumeId;
}

} // namespace

DiskBoxViewController::DiskBoxViewController(DiskBoxViewControllerDelegate* delegate,
                                             DescriptionSource descriptionSource, QWidget* parent)
    : QWidget(parent), m_delegate(delegate), m_describesFromRecord(!descriptionSource),
      m_descriptionSource(descriptionSource ? std::move(descriptionSource) : describeOnWorker)
{
    setFixedSize(boxSize);
    auto* card = new DiskLowView(this);
    card->setGeometry(rect());
    m_iconImageView = new QLabel(this);
    m_iconImageView->setGeometry(28, 22, 44, 44);
    m_nameLabel = boxLabel({80, 12, 190, 20}, this, 14, ColorScheme::Text::Normal, true);
    m_nodeLabel = boxLabel({270, 12, 110, 20}, this, 12, ColorScheme::Text::Secondary);
    m_nodeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_usedLabel = boxLabel({80, 32, 300, 16}, this, 12, ColorScheme::Text::Secondary);
    m_progressView = new GXProgressView(this);
    m_progressView->setGeometry(80, 112 - 57 - 6, 300, 6);
    m_progressView->changeProgressValue(0);
    m_messageLabel = boxLabel({80, 57, 310, 16}, this, 11, ColorScheme::Text::Notice);
    m_messageLabel->hide();
    m_renameButton = iconButton(QStringLiteral("ic_rename"), tr("Rename"), {80, 76, 96, 26}, this);
    m_formatButton = iconButton(QStringLiteral("ic_format"),
                                tr("Format", "verb: erase the volume with a new file system"),
                                {184, 76, 96, 26}, this);
    m_ejectButton = iconButton(QStringLiteral("ic_eject"), tr("Eject"), {288, 76, 96, 26}, this);
    placeActionButtons();
    // Until the description says what the volume allows.
    m_renameButton->setEnabled(false);
    m_formatButton->setEnabled(false);
    connect(m_ejectButton, &IconATextButton::clicked, this,
            &DiskBoxViewController::ejectButtonAction);
    connect(m_renameButton, &IconATextButton::clicked, this,
            &DiskBoxViewController::renameButtonAction);
    connect(m_formatButton, &IconATextButton::clicked, this,
            &DiskBoxViewController::formatButtonAction);

    m_renameView = new QWidget(this);
    m_renameView->setGeometry(80, 8, 310, 30);
    m_renameTextField = new DiskTextFiledView(m_renameView);
    m_renameTextField->setGeometry(0, 2, 160, 26);
    m_saveButton = secondaryButton(tr("Save"), {168, 2, 64, 26}, m_renameView);
    m_cancelButton = secondaryButton(tr("Cancel"), {238, 2, 64, 26}, m_renameView);
    // A longer title widens its button leftwards; the field keeps what is left of the row.
    m_cancelButton->fitTitle(64);
    m_cancelButton->move(302 - m_cancelButton->width(), 2);
    m_saveButton->fitTitle(64);
    m_saveButton->move(m_cancelButton->x() - 6 - m_saveButton->width(), 2);
    m_renameTextField->resize(m_saveButton->x() - 8, m_renameTextField->height());
    connect(m_saveButton, &TextImageButton::clicked, this,
            &DiskBoxViewController::renameOkButtonAction);
    connect(m_cancelButton, &TextImageButton::clicked, this,
            &DiskBoxViewController::renameCancelButtonAction);
    connect(m_renameTextField, &QLineEdit::returnPressed, this,
            &DiskBoxViewController::renameOkButtonAction);
    m_renameView->hide();
}

void DiskBoxViewController::placeActionButtons()
{
    // Each button as wide as its title needs (a translation's may be longer), one after another;
    // when the row would leave the box the gaps shrink, never the titles.
    const QList<ImageButton*> buttons{m_renameButton, m_formatButton, m_ejectButton};
    constexpr int left = 80, gap = 8, right = boxSize.width() - 8;
    int widths = 0;
    for (ImageButton* button : buttons) {
        button->fitTitle(96);
        widths += button->width();
    }
    const int shown = qMax(0, qMin(gap, (right - left - widths) / int(buttons.size() - 1)));
    int x = left;
    for (ImageButton* button : buttons) {
        button->move(x, button->y());
        x += button->width() + shown;
    }
}

DiskBoxViewController::~DiskBoxViewController()
{
    // A dialog that waits for this box would otherwise stay open, modal, for ever.
    if (m_makeSureFormatVC)
        m_makeSureFormatVC->closeWindow();
    if (m_formatEndVC)
        m_formatEndVC->closeWindow();
}

MakeSureFormatViewController* DiskBoxViewController::makeSureFormatVC() const
{
    return m_makeSureFormatVC;
}

void DiskBoxViewController::changeValue()
{
    const DVVolumeInfo& volume = m_volumeInfo;
    m_nameLabel->setText(volume.volumeName);
    m_nameLabel->setToolTip(volume.volRootDir);
    const std::uint64_t used =
        volume.nTotalSize > volume.nFreeSize ? volume.nTotalSize - volume.nFreeSize : 0;
    m_usedLabel->setText(QStringLiteral("%1/%2").arg(
        PublicUtilities::longlongDiskSize(std::int64_t(used)), volume.totalSpace));
    m_nodeLabel->setText(tr("Unknow"));
    m_ejectButton->setVisible(volume.bCanEject);
    showAnswer(m_ejectButton, VolumeCapabilities::of(volume).eject);
    loadDiskInfo();
    m_progressView->changeProgressValue(
        volume.nTotalSize == 0 ? 0 : double(used * 100 / volume.nTotalSize));
    m_iconName = volume.bCanEject            ? QStringLiteral("ic_usb")
                 : volume.volRootDir == u"/" ? QStringLiteral("ic_diskos")
                                             : QStringLiteral("ic_disk");
    m_iconImageView->setPixmap(KitImages::pixmap(m_iconName, {44, 44}, devicePixelRatioF()));
}

void DiskBoxViewController::loadDiskInfo()
{
    // Without a block device (network volumes) there is nothing to describe, rename or format.
    if (!m_volumeInfo.device.startsWith(u"/dev/") && m_volumeInfo.blockObjectPath.isEmpty()) {
        m_nodeLabel->setText(DiskDescription::filesystemName(m_volumeInfo.fileSystemType));
        applyCapabilities();
        return;
    }
    if (m_describesFromRecord && !m_volumeInfo.blockObjectPath.isEmpty() &&
        !m_volumeInfo.fileSystemType.isEmpty()) {
        // The inventory read the file system from udisks2 a moment ago: no second query.
        applyDiskInfo({{QStringLiteral("FilesystemName"),
                        DiskDescription::filesystemName(m_volumeInfo.fileSystemType)}});
        return;
    }
    BackgroundTask::run(
        this, [source = m_descriptionSource, volume = m_volumeInfo] { return source(volume); },
        [this](const QVariantMap& description) { applyDiskInfo(description); });
}

void DiskBoxViewController::applyDiskInfo(const QVariantMap& description)
{
    const QString name =
        description.value(QStringLiteral("FilesystemName"), tr("Unknow")).toString();
    m_nodeLabel->setText(name);
    m_nodeLabel->setToolTip(name);
    m_volumeInfo.volumeType = name;
    applyCapabilities();
}

void DiskBoxViewController::applyCapabilities()
{
    const VolumeCapabilities capabilities = VolumeCapabilities::of(m_volumeInfo);
    showAnswer(m_renameButton, capabilities.rename);
    showAnswer(m_formatButton, capabilities.format);
    showAnswer(m_ejectButton, capabilities.eject);
}

bool DiskBoxViewController::isRenaming() const
{
    return !m_renameView->isHidden();
}

QString DiskBoxViewController::nameText() const
{
    return m_nameLabel->text();
}

QString DiskBoxViewController::usageText() const
{
    return m_usedLabel->text();
}

QString DiskBoxViewController::fileSystemText() const
{
    return m_nodeLabel->text();
}

QString DiskBoxViewController::messageText() const
{
    return m_messageLabel->isHidden() ? QString() : m_messageLabel->text();
}

void DiskBoxViewController::setBusy(bool busy)
{
    m_busy = busy;
    if (!busy && m_delegate != nullptr)
        m_delegate->boxBecameIdle();
}

void DiskBoxViewController::ejectButtonAction()
{
    if (m_busy)
        return;
    m_busy = true;
    m_ejectButton->setEnabled(false);
    BackgroundTask::run(
        this, [volume = m_volumeInfo] { return VolumesManager().ejectSingleVolume(volume); },
        [this](const VolumeOperationOutcome& outcome) {
            m_busy = false;
            m_ejectButton->setEnabled(VolumeCapabilities::of(m_volumeInfo).eject.allowed);
            if (m_delegate != nullptr)
                m_delegate->ejectButtonAction(m_volumeInfo, outcome.succeeded, outcome.message);
        });
}

void DiskBoxViewController::showRenameView(bool shown)
{
    m_renameView->setVisible(shown);
    m_nameLabel->setVisible(!shown);
    m_usedLabel->setVisible(!shown);
    m_nodeLabel->setVisible(!shown);
    if (shown)
        m_renameTextField->setFocus();
    else
        m_messageLabel->hide();
}

void DiskBoxViewController::renameButtonAction()
{
    m_renameTextField->setPlaceholderText(m_volumeInfo.volumeName);
    showRenameView(true);
    if (m_delegate != nullptr)
        m_delegate->renameButtonAction(m_volumeInfo);
}

void DiskBoxViewController::renameCancelButtonAction()
{
    showRenameView(false);
}

void DiskBoxViewController::renameOkButtonAction()
{
    const QString text = m_renameTextField->text();
    if (text.isEmpty() || text == u" " || m_busy)
        return;
    // Refused names keep the field open with what was typed, and say why.
    const QString label = VolumeLabelRules::adjusted(m_volumeInfo.fileSystemType, text);
    const QString refusal = VolumeLabelRules::refusal(m_volumeInfo.fileSystemType, label);
    if (!refusal.isEmpty()) {
        m_messageLabel->setText(refusal);
        m_messageLabel->setToolTip(refusal);
        m_messageLabel->show();
        return;
    }
    showRenameView(false);
    m_busy = true;
    BackgroundTask::run(
        this,
        [source = m_descriptionSource, volume = m_volumeInfo, text] {
            const QString guid = renameIdentifier(source(volume), volume);
            return VolumesManager().renameDiskWithGuid(guid, text);
        },
        [this, label, text](const VolumeOperationOutcome& outcome) {
            if (outcome.succeeded) {
                m_volumeInfo.volumeName = label;
                m_nameLabel->setText(label);
            } else {
                m_renameTextField->setText(text);
                showRenameView(true);
                m_messageLabel->setText(outcome.message);
                m_messageLabel->setToolTip(outcome.message);
                m_messageLabel->show();
            }
            setBusy(false);
        });
}

QPointF DiskBoxViewController::dialogAnchor() const
{
    const QRect main = window()->frameGeometry();
    return {main.x() + main.width() * 0.5 - 3.0, main.bottom() + 1.0};
}

void DiskBoxViewController::formatButtonAction()
{
    if (m_busy)
        return;
    if (m_delegate != nullptr)
        m_delegate->formatButtonAction(m_volumeInfo);
    delete m_makeSureFormatVC;
    m_makeSureFormatVC = new MakeSureFormatViewController(this);
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(m_makeSureFormatVC, dialogAnchor(), nullptr, 1, 5.0f);
    m_makeSureFormatVC->setSuperDelegate(window);
    m_makeSureFormatVC->setName(m_volumeInfo.volumeName, m_volumeInfo.volumeType);
    window->center();
    m_busy = true;
    const QPointer<DiskBoxViewController> self(this);
    const QPointer<MakeSureFormatViewController> dialog(m_makeSureFormatVC);
    window->runModal();
    window->deleteLater();
    // A format that runs keeps the box busy until its end dialog closes.
    if (self && !(dialog && dialog->isWorking()))
        setBusy(false);
}

void DiskBoxViewController::makeSureToFormatSelectVolumeWithName(const QString& name,
                                                                 const QString& type)
{
    const VolumesManager::FormatRequest request =
        VolumesManager::formatRequest(m_volumeInfo.volumeType, type, name);
    const auto finish = [this](const VolumeOperationOutcome& outcome) {
        if (m_makeSureFormatVC)
            m_makeSureFormatVC->closeWindow();
        QTimer::singleShot(formatEndDelayMs, this,
                           [this, outcome] { showFormatEndWindow(outcome); });
    };
    if (!request.error.isEmpty()) {
        finish({false, request.error, {}});
        return;
    }
    // The device stays the same while the file system, its label and its mount point change.
    const QString target =
        m_volumeInfo.device.isEmpty() ? m_volumeInfo.volRootDir : m_volumeInfo.device;
    BackgroundTask::run(
        this,
        [target, request] { return VolumesManager().format(target, request.type, request.label); },
        finish);
}

void DiskBoxViewController::showFormatEndWindow(const VolumeOperationOutcome& outcome)
{
    delete m_formatEndVC;
    m_formatEndVC = new FormatEndViewController(outcome.succeeded, outcome.message);
    StatusAttachedWindow* window =
        StatusAttachedWindow::create(m_formatEndVC, dialogAnchor(), nullptr, 1, 5.0f);
    m_formatEndVC->setSuperDelegate(window);
    window->center();
    const QPointer<DiskBoxViewController> self(this);
    window->runModal();
    window->deleteLater();
    if (self)
        setBusy(false);
}

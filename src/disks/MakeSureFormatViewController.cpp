#include "disks/MakeSureFormatViewController.h"

#include "disks/DiskTextFiledView.h"
#include "disks/FormatTypeViewController.h"
#include "disks/MakeSureFormatVCDelegate.h"
#include "kit/ColorScheme.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr QSize kViewSize{400, 230};

QLabel* label(const QString& text, QRect frame, QWidget* parent, int pixelSize = 13,
              bool bold = false)
{
    auto* item = new QLabel(text, parent);
    QFont font = item->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    item->setFont(font);
    item->setGeometry(frame);
    return item;
}

TextImageButton* faceButton(const QString& title, const QString& face, QWidget* parent)
{
    auto* button = new TextImageButton(title, 12, parent);
    button->setImageNames(face == u"btn_sec" ? face : face + QStringLiteral("_normal"),
                          face + QStringLiteral("_press"), face + QStringLiteral("_hover"),
                          face + QStringLiteral("_disable"));
    return button;
}

} // namespace

MakeSureFormatViewController::MakeSureFormatViewController(MakeSureFormatVCDelegate* delegate,
                                                           QWidget* parent)
    : QWidget(parent), m_delegate(delegate)
{
    setWindowTitle(tr("Format Disk"));
    setFixedSize(kViewSize);
    m_makeSureView = new QWidget(this);
    m_makeSureView->setGeometry(rect());
    m_nameLabel = label({}, {20, 16, 360, 22}, m_makeSureView, 16, true);
    m_nodeLabel = label({}, {20, 42, 360, 36}, m_makeSureView, 12);
    m_nodeLabel->setWordWrap(true);
    label(tr("Name:", "the volume name"), {20, 92, 70, 26}, m_makeSureView);
    m_nameTextFiled = new DiskTextFiledView(m_makeSureView);
    m_nameTextFiled->setGeometry(90, 92, 220, 26);
    label(tr("Format:", "noun: the file system type"), {20, 128, 70, 26}, m_makeSureView);
    m_typeLabel = label({}, {96, 128, 190, 26}, m_makeSureView);
    m_typeSelectBut = new QPushButton(m_makeSureView);
    m_typeSelectBut->setFlat(true);
    m_typeSelectBut->setCursor(Qt::PointingHandCursor);
    m_typeSelectBut->setAccessibleName(tr("Choose the file system type"));
    ColorScheme::setStyleSheet(
        m_typeSelectBut,
        QStringLiteral("QPushButton { border: 1px solid palette(mid); border-radius: 6px; "
                       "background: transparent; }"));
    m_typeSelectBut->setGeometry(90, 128, 220, 26);
    connect(m_typeSelectBut, &QPushButton::clicked, this,
            &MakeSureFormatViewController::openMenuAction);
    m_openImageV = new QLabel(m_makeSureView);
    m_openImageV->setPixmap(
        KitImages::pixmap(QStringLiteral("ic_format_arrow"), {12, 12}, devicePixelRatioF()));
    m_openImageV->setGeometry(290, 135, 12, 12);
    m_openImageV->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_noButton = faceButton(tr("Cancel"), QStringLiteral("btn_sec"), m_makeSureView);
    m_noButton->setGeometry(150, 182, 110, 32);
    connect(m_noButton, &TextImageButton::clicked, this,
            &MakeSureFormatViewController::noButtonAction);
    m_okButton = faceButton(tr("Continue"), QStringLiteral("format_pril"), m_makeSureView);
    m_okButton->setGeometry(270, 182, 110, 32);
    connect(m_okButton, &TextImageButton::clicked, this,
            &MakeSureFormatViewController::okButtonAction);

    m_formatView = new QWidget(this);
    m_formatView->setGeometry(rect());
    label(tr("Formatting…"), {20, 80, 360, 22}, m_formatView, 15, true)
        ->setAlignment(Qt::AlignCenter);
    m_loading = new QProgressBar(m_formatView);
    m_loading->setRange(0, 0);
    m_loading->setAccessibleName(tr("Formatting"));
    m_loading->setTextVisible(false);
    m_loading->setGeometry(100, 116, 200, 8);
    m_formatView->hide();
}

void MakeSureFormatViewController::setName(const QString& name, const QString& type)
{
    m_nameLabel->setText(tr("Format '%1'?").arg(name));
    m_nodeLabel->setText(
        tr("All data on '%1' will be deleted after format, do you want to format it?").arg(name));
    m_nameTextFiled->setText(name);
    m_nameTextFiled->setReadOnly(true);
    QTimer::singleShot(0, this, &MakeSureFormatViewController::chengTextStart);
    m_typeLabel->setText(type);
    m_openImageV->show();
    m_typeSelectBut->setEnabled(true);
    const QString lower = type.toLower();
    if (lower.contains(u"apfs") || lower.contains(u"ntfs")) {
        if (lower.contains(u"ntfs"))
            m_typeLabel->setText(QStringLiteral("MS-DOS FAT32"));
        m_openImageV->hide();
        m_typeSelectBut->setEnabled(false);
    }
}

void MakeSureFormatViewController::chengTextStart()
{
    m_nameTextFiled->setReadOnly(false);
}

QString MakeSureFormatViewController::typeText() const
{
    return m_typeLabel->text();
}

QString MakeSureFormatViewController::nameText() const
{
    return m_nameTextFiled->text();
}

bool MakeSureFormatViewController::isTypeChoiceLocked() const
{
    return !m_typeSelectBut->isEnabled();
}

bool MakeSureFormatViewController::isWorking() const
{
    return !m_formatView->isHidden();
}

void MakeSureFormatViewController::okButtonAction()
{
    closeMattachedWindow();
    m_formatView->show();
    m_makeSureView->hide();
    m_delegate->makeSureToFormatSelectVolumeWithName(m_nameTextFiled->text(), m_typeLabel->text());
}

void MakeSureFormatViewController::noButtonAction()
{
    closeWindow();
}

void MakeSureFormatViewController::openMenuAction()
{
    if (m_isPopSortWin || m_sortAttachedWindow)
        return;
    m_isPopSortWin = true;
    m_formatTypeVC = new FormatTypeViewController(this);
    QWidget* dialogWindow = window();
    // (280, 60) from the dialog window's bottom-left corner; the popup hangs above it.
    const QPointF anchor(280, dialogWindow->height() - 60);
    m_sortAttachedWindow =
        StatusAttachedWindow::create(m_formatTypeVC, anchor, dialogWindow, 3, 0.0f);
    // A child of the dialog's window, so the dialog's modal run lets it take the pointer.
    const QPoint position = m_sortAttachedWindow->pos();
    m_sortAttachedWindow->setParent(dialogWindow, m_sortAttachedWindow->windowFlags());
    m_sortAttachedWindow->move(position);
    m_sortAttachedWindow->show();
    m_sortAttachedWindow->raise();
    // Only this popup: one opened later keeps its own two seconds.
    const int generation = ++m_popupGeneration;
    QTimer::singleShot(popupCloseDelayMs, this, [this, generation] {
        if (generation == m_popupGeneration)
            closeMattachedWindow();
    });
}

void MakeSureFormatViewController::mouseEixtView(bool exited)
{
    m_isPopSortWin = exited;
    if (exited)
        closeMattachedWindow();
}

void MakeSureFormatViewController::selectFormatbyType(int type)
{
    const QString name = FormatTypeViewController::typeName(type);
    if (!name.isEmpty())
        m_typeLabel->setText(name);
    // A choice ends the popup even after the pointer entered it.
    m_isPopSortWin = true;
    closeMattachedWindow();
}

void MakeSureFormatViewController::closeMattachedWindow()
{
    if (!m_isPopSortWin)
        return;
    m_isPopSortWin = false;
    m_formatTypeVC = nullptr;
    if (m_sortAttachedWindow) {
        m_sortAttachedWindow->hide();
        m_sortAttachedWindow->deleteLater();
        m_sortAttachedWindow = nullptr;
    }
}

void MakeSureFormatViewController::closeWindow()
{
    m_isPopSortWin = true;
    closeMattachedWindow();
    if (m_superDelegate)
        m_superDelegate->close();
}

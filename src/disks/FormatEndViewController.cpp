#include "disks/FormatEndViewController.h"

#include "kit/ColorScheme.h"
#include "kit/StatusAttachedWindow.h"
#include "kit/TextImageButton.h"

#include <QLabel>

FormatEndViewController::FormatEndViewController(bool succeeded, const QString& message,
                                                 QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Format Disk"));
    setFixedSize(340, 170);
    m_title = new QLabel(succeeded ? tr("Format Complete") : tr("Format Failed"), this);
    QFont titleFont = font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setGeometry(20, 16, 300, 24);
    m_message = new QLabel(message, this);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ColorScheme::setTextColor(m_message, ColorScheme::Text::Secondary);
    m_message->setGeometry(20, 46, 300, 68);
    m_closeButton = new TextImageButton(tr("OK"), 14, this);
    m_closeButton->setImageNames(
        QStringLiteral("format_pril_normal"), QStringLiteral("format_pril_press"),
        QStringLiteral("format_pril_hover"), QStringLiteral("format_pril_disable"));
    m_closeButton->setGeometry(210, 124, 110, 32);
    connect(m_closeButton, &TextImageButton::clicked, this, &FormatEndViewController::closeWindow);
}

QString FormatEndViewController::titleText() const
{
    return m_title->text();
}

QString FormatEndViewController::messageText() const
{
    return m_message->text();
}

void FormatEndViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}

#include "kit/ToolPage.h"

#include "kit/Announcer.h"
#include "kit/ColorScheme.h"

#include <QDebug>
#include <QLabel>
#include <QVBoxLayout>

ToolPage::ToolPage(const QString& heading, const QString& explanation, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(6);

    m_heading = new QLabel(heading, this);
    QFont headingFont = font();
    headingFont.setPointSizeF(15);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    layout->addWidget(m_heading);

    auto* explanationLabel = new QLabel(explanation, this);
    explanationLabel->setWordWrap(true);
    ColorScheme::setTextColor(explanationLabel, ColorScheme::Text::Secondary);
    layout->addWidget(explanationLabel);

    m_bodyLayout = new QVBoxLayout();
    m_bodyLayout->setContentsMargins(0, 8, 0, 0);
    layout->addLayout(m_bodyLayout, 1);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ColorScheme::setTextColor(m_notice, ColorScheme::Text::Notice);
    m_notice->setAccessibleName(tr("Notice"));
    m_notice->hide();
    layout->addWidget(m_notice);
}

void ToolPage::showNotice(const QString& text)
{
    Announcer::announce(m_notice, text);
    m_notice->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        qWarning().noquote() << text;
}

QString ToolPage::notice() const
{
    return m_notice->isVisibleTo(this) ? m_notice->text() : QString();
}

QString ToolPage::heading() const
{
    return m_heading->text();
}

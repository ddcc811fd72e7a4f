#include "update/GXCheckUpdateViewController.h"

#include "kit/StatusAttachedWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

GXCheckUpdateViewController::GXCheckUpdateViewController(QWidget* parent) : QWidget(parent)
{
    setFixedSize(320, 160);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    auto* title = new QLabel(QStringLiteral("Check for Update"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(14);
    title->setFont(titleFont);
    layout->addWidget(title);
    auto* message = new QLabel(
        QStringLiteral("You are running Corvella %1.").arg(QStringLiteral(CORVELLA_VERSION)), this);
    message->setWordWrap(true);
    layout->addWidget(message);
    layout->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &GXCheckUpdateViewController::closeWindow);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void GXCheckUpdateViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}

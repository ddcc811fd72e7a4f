#include "app/AboutViewController.h"

#include "common/SettingsStore.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutViewController::AboutViewController(QWidget* parent) : QWidget(parent)
{
    setFixedSize(300, 240);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(8);

    auto* logo = new QLabel(this);
    logo->setPixmap(
        KitImages::pixmap(QStringLiteral("corvella"), QSize(64, 64), devicePixelRatioF()));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);

    auto* name = new QLabel(QStringLiteral("Corvella"), this);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(16);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);

    auto* version =
        new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(CORVELLA_VERSION)), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);

    auto* link = new QPushButton(QStringLiteral("Visit the Corvella website"), this);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: rgb(39, 124, 226);"));
    connect(link, &QPushButton::clicked, this, &AboutViewController::linkButtonAction);
    layout->addWidget(link);

    layout->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &AboutViewController::closeWindow);
    layout->addWidget(close, 0, Qt::AlignCenter);
}

QUrl AboutViewController::productPage()
{
    return QUrl(SettingsStore::standard().stringValue(QStringLiteral("IniURL")));
}

void AboutViewController::closeWindow()
{
    if (m_superDelegate)
        m_superDelegate->close();
}

void AboutViewController::linkButtonAction()
{
    QDesktopServices::openUrl(productPage());
}

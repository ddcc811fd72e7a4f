#include "app/AboutViewController.h"

#include "common/BackgroundTask.h"
#include "common/SettingsStore.h"
#include "kit/ColorScheme.h"
#include "kit/KitImages.h"
#include "kit/StatusAttachedWindow.h"
#include "platform/desktop/DesktopOpener.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutViewController::AboutViewController(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(tr("About Corvella"));
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

    auto* version = new QLabel(tr("Version %1").arg(QStringLiteral(CORVELLA_VERSION)), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);

    auto* link = new QPushButton(tr("Visit the Corvella website"), this);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    ColorScheme::setTextColor(link, ColorScheme::Text::Link);
    connect(link, &QPushButton::clicked, this, &AboutViewController::linkButtonAction);
    layout->addWidget(link);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    ColorScheme::setTextColor(m_notice, ColorScheme::Text::Notice);
    m_notice->setAccessibleName(tr("Notice"));
    m_notice->hide();
    layout->addWidget(m_notice);

    layout->addStretch(1);
    auto* close = new QPushButton(tr("Close"), this);
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
    m_notice->hide();
    const QUrl page = productPage();
    if (page.isEmpty()) {
        m_notice->setText(tr("Corvella's web page cannot be opened: its address (IniURL) is not "
                             "set in the settings file."));
        m_notice->show();
        return;
    }
    BackgroundTask::run(
        this, [page] { return DesktopOpener::openAddress(page); },
        [this](const QString& error) {
            if (error.isEmpty())
                return;
            qWarning().noquote() << error;
            m_notice->setText(error);
            m_notice->show();
        });
}

QString AboutViewController::notice() const
{
    return m_notice->isVisibleTo(this) ? m_notice->text() : QString();
}

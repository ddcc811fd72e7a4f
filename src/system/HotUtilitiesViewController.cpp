#include "system/HotUtilitiesViewController.h"

#include "common/BackgroundTask.h"
#include "kit/IconATextButton.h"
#include "kit/KitImages.h"
#include "platform/desktop/DesktopOpener.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

HotUtilitiesViewController::HotUtilitiesViewController(QWidget* parent)
    : HotUtilitiesViewController(HotUtilityLinks::standard(), parent)
{}

HotUtilitiesViewController::HotUtilitiesViewController(const QList<HotUtilityLink>& links,
                                                       QWidget* parent)
    : ToolPage(tr("Hot Utilities"), tr("Useful links for everyday work."), parent), m_links(links)
{
    QVBoxLayout* body = bodyLayout();
    body->setSpacing(4);
    for (qsizetype index = 0; index < m_links.size(); ++index) {
        const HotUtilityLink& link = m_links.at(index);
        auto* button = new IconATextButton(this);
        const QString icon = KitImages::contains(link.icon) ? link.icon : QStringLiteral("ic_hot");
        button->setImageNames(icon, icon, icon, icon);
        button->setTitle(link.title);
        button->setFontSize(14);
        button->setFixedSize(392, 40);
        button->setToolTip(link.url.toString());
        connect(button, &IconATextButton::clicked, this, [this, index] { openLink(index); });
        body->addWidget(button);
        m_buttons << button;
    }
    if (m_links.isEmpty()) {
        auto* empty = new QLabel(tr("No links are set in the settings file."), this);
        body->addWidget(empty);
    }
    body->addStretch(1);
}

void HotUtilitiesViewController::openLink(qsizetype index)
{
    if (index < 0 || index >= m_links.size())
        return;
    const QUrl url = m_links.at(index).url;
    showNotice(QString());
    BackgroundTask::run(
        this, [url] { return DesktopOpener::openAddress(url); },
        [this, url](const QString& error) {
            showNotice(error);
            Q_EMIT linkOpened(url, error);
        });
}

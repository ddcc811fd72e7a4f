#pragma once

#include "kit/ToolPage.h"
#include "system/HotUtilityLinks.h"

class IconATextButton;

// The "Hot Utilities" tab: one link button per entry of the settings file's Hot Utilities table,
// each opening its address in the default browser (xdg-open, started and watched on a worker). A
// link that cannot be opened says why at the foot of the tab. GUI thread only.
class HotUtilitiesViewController : public ToolPage {
    Q_OBJECT
public:
    explicit HotUtilitiesViewController(QWidget* parent = nullptr);
    HotUtilitiesViewController(const QList<HotUtilityLink>& links, QWidget* parent);

    const QList<IconATextButton*>& linkButtons() const { return m_buttons; }
    const QList<HotUtilityLink>& links() const { return m_links; }

    // Opens the address of the link at `index` in the default browser.
    void openLink(qsizetype index);

Q_SIGNALS:
    // A link has been handled: `error` is empty when its address is being opened.
    void linkOpened(const QUrl& url, const QString& error);

private:
    QList<HotUtilityLink> m_links;
    QList<IconATextButton*> m_buttons;
};

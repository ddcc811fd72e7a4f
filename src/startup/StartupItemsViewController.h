#pragma once

#include "kit/ToolPage.h"

class QListWidget;

// The "Startup Items" tab: the user's login items (XDG autostart entries).
class StartupItemsViewController : public ToolPage {
    Q_OBJECT
public:
    explicit StartupItemsViewController(QWidget* parent = nullptr);

    // Reads the login items afresh; called every time the tab is shown.
    void updateLoginItemsList();
    int loginItemsReadCount() const { return m_loginItemsReadCount; }

private:
    QListWidget* m_list = nullptr;
    int m_loginItemsReadCount = 0;
};

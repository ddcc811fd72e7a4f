#pragma once

#include "kit/ToolPage.h"
#include "platform/xdg/XdgBaseFolders.h"
#include "startup/ASLoginStartItem.h"
#include "startup/LoginItemList.h"

#include <QList>

#include <functional>

class QFileSystemWatcher;
class QLabel;
class QTableWidget;
class TextImageButton;

// The "Startup Items" tab: the XDG autostart entries (see LoginItemList), one row each with the
// target's icon and name, a switch that enables or disables it and a remove button; an add
// button below the list.
//
// Rebuilds read the folders off the GUI thread (a BackgroundTask) and land on the GUI thread.
// A rebuild is asked for each time the tab is shown, when a watched autostart folder changes and
// after each change the tab makes; a request that arrives while a rebuild runs is kept and runs
// one more rebuild when it ends, so a change is never lost. Adding, removing and switching write
// on a worker too; a failure is shown below the list.
class StartupItemsViewController : public ToolPage {
    Q_OBJECT
public:
    explicit StartupItemsViewController(QWidget* parent = nullptr);

    void updateLoginItemsList();
    int loginItemsReadCount() const { return m_loginItemsReadCount; }

    // Offers the open panels (an application, a file, a folder) and "Restore <name>" for each
    // system item the user has removed. The menu's object name is "addMenu".
    void addButtonAction();
    // What confirming an open panel does.
    void addItemAtPath(const QString& path);
    // The remove button of a row: removes the entries behind that row, whatever its position,
    // after asking (under "ConfirmIrreversibleActions"; Cancel is the default).
    void removeItemsAction(const ASLoginStartItem& item);
    // A "Restore <name>" entry of the add menu: drops the user's copies that hide the system
    // entries behind item.
    void restoreItemAction(const ASLoginStartItem& item);
    // The switch of a row.
    void setItemEnabled(const ASLoginStartItem& item, bool enabled);

    const QList<ASLoginStartItem>& allItems() const { return m_allItems; }
    // The system items the user has removed, as of the last rebuild.
    const QList<ASLoginStartItem>& hiddenItems() const { return m_hiddenItems; }
    bool isScan() const { return m_isScan; }
    QTableWidget* listTableView() const { return m_listTableView; }
    QLabel* messageLabel() const { return m_messageLabel; }
    TextImageButton* addButton() const { return m_addButton; }

    // The folders read and written; the process's environment until set.
    void setFolders(const XdgBaseFolders& folders);

    // Called on the worker thread each time a rebuild has read the folders, before its rows
    // land; for tests that change the folders in between.
    void setAfterReadHook(std::function<void()> hook) { m_afterReadHook = std::move(hook); }

Q_SIGNALS:
    // After a rebuild's rows are shown.
    void listRebuilt();
    // After an add, remove or switch; error is empty on success.
    void changeFinished(const QString& error);

private:
    void rebuildFinished(const QList<ASLoginStartItem>& items,
                         const QList<ASLoginStartItem>& hidden);
    void runChange(std::function<LoginItemList::Result(const LoginItemList&)> change);
    void fillTable();
    void watchFolders();

    XdgBaseFolders m_folders;
    QList<ASLoginStartItem> m_allItems;
    QList<ASLoginStartItem> m_hiddenItems;
    bool m_isScan = false;
    bool m_rebuildRequested = false;
    int m_loginItemsReadCount = 0;
    QTableWidget* m_listTableView = nullptr;
    QLabel* m_messageLabel = nullptr;
    TextImageButton* m_addButton = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    std::function<void()> m_afterReadHook;
};

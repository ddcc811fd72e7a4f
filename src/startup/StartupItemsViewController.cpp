#include "startup/StartupItemsViewController.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "kit/ApplicationIcon.h"
#include "kit/ColorScheme.h"
#include "kit/ConfirmationDialog.h"
#include "kit/ImageButton.h"
#include "kit/TextImageButton.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn, SwitchColumn, RemoveColumn, ColumnCount };

} // namespace

StartupItemsViewController::StartupItemsViewController(QWidget* parent)
    : ToolPage(tr("Startup Items"), tr("The applications that start when you log in."), parent)
{
    m_listTableView = new QTableWidget(0, ColumnCount, this);
    m_listTableView->setFrameShape(QFrame::NoFrame);
    m_listTableView->setShowGrid(false);
    m_listTableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listTableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listTableView->setFocusPolicy(Qt::NoFocus); // the switches and buttons take the focus
    m_listTableView->setIconSize(QSize(24, 24));
    m_listTableView->horizontalHeader()->hide();
    m_listTableView->verticalHeader()->hide();
    m_listTableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_listTableView->verticalHeader()->setDefaultSectionSize(36);
    m_listTableView->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_listTableView->horizontalHeader()->setSectionResizeMode(SwitchColumn, QHeaderView::Fixed);
    m_listTableView->horizontalHeader()->setSectionResizeMode(RemoveColumn, QHeaderView::Fixed);
    m_listTableView->horizontalHeader()->resizeSection(SwitchColumn, 40);
    m_listTableView->horizontalHeader()->resizeSection(RemoveColumn, 40);
    bodyLayout()->addWidget(m_listTableView, 1);

    m_messageLabel = new QLabel(this);
    m_messageLabel->setWordWrap(true);
    ColorScheme::setTextColor(m_messageLabel, ColorScheme::Text::Notice);
    m_messageLabel->hide();
    bodyLayout()->addWidget(m_messageLabel);

    auto* buttons = new QHBoxLayout();
    m_addButton = new TextImageButton(tr("Add…"), 13, this);
    m_addButton->setImageNames(QStringLiteral("btn_sec"), QStringLiteral("btn_sec_press"),
                               QStringLiteral("btn_sec_hover"), QStringLiteral("btn_sec_disable"));
    m_addButton->setFixedSize(qMax(96, m_addButton->titleWidthHint()), 28);
    buttons->addStretch(1);
    buttons->addWidget(m_addButton);
    bodyLayout()->addLayout(buttons);
    connect(m_addButton, &TextImageButton::clicked, this,
            &StartupItemsViewController::addButtonAction);

    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &StartupItemsViewController::updateLoginItemsList);
    watchFolders();
}

void StartupItemsViewController::setFolders(const XdgBaseFolders& folders)
{
    m_folders = folders;
    if (const QStringList watched = m_watcher->directories(); !watched.isEmpty())
        m_watcher->removePaths(watched);
    watchFolders();
}

void StartupItemsViewController::watchFolders()
{
    QStringList folders = m_folders.autostartPaths();
    if (!QFileInfo(folders.constFirst()).isDir())
        folders.append(m_folders.configHome()); // to see the user's folder being made
    for (const QString& folder : std::as_const(folders)) {
        if (QFileInfo(folder).isDir() && !m_watcher->directories().contains(folder))
            m_watcher->addPath(folder);
    }
}

void StartupItemsViewController::updateLoginItemsList()
{
    ++m_loginItemsReadCount;
    if (m_isScan) {
        m_rebuildRequested = true;
        return;
    }
    m_isScan = true;
    m_allItems.clear();
    fillTable();
    BackgroundTask::run(
        this,
        [folders = m_folders, hook = m_afterReadHook] {
            const LoginItemList list(folders);
            std::pair<QList<ASLoginStartItem>, QList<ASLoginStartItem>> read{
                list.items(), list.hiddenSystemItems()};
            if (hook)
                hook();
            return read;
        },
        [this](const std::pair<QList<ASLoginStartItem>, QList<ASLoginStartItem>>& read) {
            rebuildFinished(read.first, read.second);
        });
}

void StartupItemsViewController::rebuildFinished(const QList<ASLoginStartItem>& items,
                                                 const QList<ASLoginStartItem>& hidden)
{
    m_allItems = items;
    m_hiddenItems = hidden;
    fillTable();
    m_isScan = false;
    watchFolders();
    Q_EMIT listRebuilt();
    if (m_rebuildRequested) {
        m_rebuildRequested = false;
        updateLoginItemsList();
    }
}

void StartupItemsViewController::fillTable()
{
    m_listTableView->setRowCount(int(m_allItems.size()));
    for (int row = 0; row < int(m_allItems.size()); ++row) {
        const ASLoginStartItem& item = m_allItems.at(row);
        auto* name = new QTableWidgetItem(ApplicationIcon::of(item.image), item.name);
        name->setToolTip(item.path);
        if (!item.enabled)
            name->setForeground(
                ColorScheme::textColor(m_listTableView->palette(), ColorScheme::Text::Secondary));
        m_listTableView->setItem(row, NameColumn, name);

        auto* toggle = new QCheckBox(m_listTableView);
        toggle->setChecked(item.enabled);
        toggle->setToolTip(item.enabled ? tr("Starts at login") : tr("Does not start at login"));
        toggle->setAccessibleName(item.name);
        connect(toggle, &QCheckBox::toggled, this,
                [this, item](bool checked) { setItemEnabled(item, checked); });
        m_listTableView->setCellWidget(row, SwitchColumn, toggle);

        auto* remove = new ImageButton(QStringLiteral("ic_remove"), m_listTableView);
        remove->setHoverImageName(QStringLiteral("ic_remove_hover"));
        remove->setToolTip(tr("Remove %1 from the login items").arg(item.name));
        remove->setAccessibleName(tr("Remove %1 from the login items").arg(item.name));
        connect(remove, &ImageButton::clicked, this, [this, item] { removeItemsAction(item); });
        m_listTableView->setCellWidget(row, RemoveColumn, remove);
    }
}

void StartupItemsViewController::runChange(
    std::function<LoginItemList::Result(const LoginItemList&)> change)
{
    m_messageLabel->hide();
    BackgroundTask::run(
        this,
        [folders = m_folders, change = std::move(change)] {
            return change(LoginItemList(folders)).error;
        },
        [this](const QString& error) {
            if (!error.isEmpty()) {
                m_messageLabel->setText(error);
                m_messageLabel->show();
            }
            Q_EMIT changeFinished(error);
            updateLoginItemsList();
        });
}

void StartupItemsViewController::addItemAtPath(const QString& path)
{
    runChange([path](const LoginItemList& list) { return list.add(path); });
}

void StartupItemsViewController::removeItemsAction(const ASLoginStartItem& item)
{
    if (PublicUtilities::confirmsIrreversibleActions()) {
        QString detail;
        if (item.fileNames.size() > 1)
            detail = tr("Its %1 autostart entries (%2) are removed: your own are deleted for good, "
                        "the system's are hidden and can be brought back from the Add menu.")
                         .arg(item.fileNames.size())
                         .arg(item.fileNames.join(QStringLiteral(", ")));
        else if (item.isSystemApp)
            detail = tr("The system's entry “%1” is hidden for you; “Restore %2” in the Add menu "
                        "brings it back.")
                         .arg(item.fileNames.value(0), item.name);
        else
            detail = tr("Its autostart entry “%1” is deleted for good.").arg(item.entryPath);
        if (!ConfirmationDialog::ask(
                this,
                tr("Remove “%1” from the login items? It will no longer start when you log in.")
                    .arg(item.name),
                detail, tr("Remove")))
            return;
    }
    runChange([fileNames = item.fileNames](const LoginItemList& list) {
        for (const QString& fileName : fileNames) {
            if (LoginItemList::Result result = list.remove(fileName); !result.succeeded())
                return result;
        }
        return LoginItemList::Result{};
    });
}

void StartupItemsViewController::restoreItemAction(const ASLoginStartItem& item)
{
    runChange([fileNames = item.fileNames](const LoginItemList& list) {
        for (const QString& fileName : fileNames) {
            if (LoginItemList::Result result = list.restore(fileName); !result.succeeded())
                return result;
        }
        return LoginItemList::Result{};
    });
}

void StartupItemsViewController::setItemEnabled(const ASLoginStartItem& item, bool enabled)
{
    runChange([fileNames = item.fileNames, enabled](const LoginItemList& list) {
        for (const QString& fileName : fileNames) {
            if (LoginItemList::Result result = list.setEnabled(fileName, enabled);
                !result.succeeded())
                return result;
        }
        return LoginItemList::Result{};
    });
}

void StartupItemsViewController::addButtonAction()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("addMenu"));
    menu->setAccessibleName(tr("Add a login item"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto offer = [this](QFileDialog::FileMode mode, const QString& folder,
                              const QString& filter) {
        auto* panel = new QFileDialog(this, tr("Add a login item"), folder, filter);
        panel->setAttribute(Qt::WA_DeleteOnClose);
        panel->setFileMode(mode);
        panel->setLabelText(QFileDialog::Accept,
                            tr("add", "verb: the file dialog's accept button"));
        panel->resize(500, 300);
        connect(panel, &QFileDialog::fileSelected, this,
                &StartupItemsViewController::addItemAtPath);
        panel->open();
    };
    QString applications = m_folders.dataHome() + QStringLiteral("/applications");
    if (!QFileInfo(applications).isDir())
        applications = m_folders.applicationPaths().constLast();
    menu->addAction(tr("Application…"), this, [offer, applications] {
        offer(QFileDialog::ExistingFile, applications,
              tr("Applications (*.desktop);;All files (*)"));
    });
    menu->addAction(tr("File…"), this, [this, offer] {
        offer(QFileDialog::ExistingFile, m_folders.home(), QString());
    });
    menu->addAction(tr("Folder…"), this,
                    [this, offer] { offer(QFileDialog::Directory, m_folders.home(), QString()); });
    // The system items the user removed, each to be brought back as the system ships it.
    if (!m_hiddenItems.isEmpty())
        menu->addSeparator();
    for (const ASLoginStartItem& item : std::as_const(m_hiddenItems)) {
        QAction* restore =
            menu->addAction(ApplicationIcon::of(item.image), tr("Restore %1").arg(item.name), this,
                            [this, item] { restoreItemAction(item); });
        restore->setToolTip(tr("Start %1 at login again, as the system's entry “%2” says")
                                .arg(item.name, item.entryPath));
    }
    menu->popup(m_addButton->mapToGlobal(QPoint(0, m_addButton->height())));
}

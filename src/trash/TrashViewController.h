#pragma once

#include "trash/TrashCleaner.h"
#include "trash/TrashItem.h"
#include "trash/TrashRestorer.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class ImageButton;
class QLabel;
class QSortFilterProxyModel;
class QTreeView;
class StatusAttachedWindow;
class TextImageButton;
class TrashListModel;

// The Trash window: the items of every trash of the user in one sortable list with tick boxes,
// and Restore, Delete and Empty Trash for them. Shows what the last action freed and why an item
// could not be restored or erased; lists again whenever a trash changes on disk.
//
// A place taken at an item's original location is never overwritten: the window offers to
// restore the item as "NAME (restored)" instead.
//
// GUI thread only; the disk work runs on the model's worker.
class TrashViewController : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kViewSize{700, 460};

    // cleaner: whose trashes (the current user's by default).
    explicit TrashViewController(const TrashCleaner& cleaner = TrashCleaner::forCurrentUser(),
                                 QWidget* parent = nullptr);
    ~TrashViewController() override;

    // The window showing the view; closing it ends the view's work.
    void setSuperDelegate(StatusAttachedWindow* window);

    void restoreButtonAction();
    void deleteButtonAction();
    void emptyTrashButtonAction();
    void setAllSelectOrNoSelect();
    void closeWindow();

    // What the window shows, for tests and screenshots.
    TrashListModel* model() const { return m_model; }
    QTreeView* listView() const { return m_listView; }
    QSortFilterProxyModel* sortedModel() const { return m_sorted; }
    QString summaryText() const;
    QString freedText() const;
    QString failureText() const;
    QStringList failureDetails() const { return m_failureDetails; }
    bool actionButtonsEnabled() const;

Q_SIGNALS:
    // An action's outcome has been shown (after any question it asked).
    void actionFinished();

private:
    void updateState();
    void showRestoreOutcome(const TrashItems& items, const QList<TrashRestorer::Result>& results);
    void showDeleteOutcome(const TrashCleaner::Result& result);
    void showFailures(const QStringList& failures);
    bool confirm(const QString& question, const QString& detail, const QString& action);

    TrashListModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QTreeView* m_listView = nullptr;
    QPointer<StatusAttachedWindow> m_superDelegate;
    qint64 m_freedBytes = 0;
    QStringList m_failureDetails;
    QStringList m_listingProblems; // shown while no action's outcome is

    ImageButton* m_selectAllButton = nullptr;
    QLabel* m_summaryLabel = nullptr;
    QLabel* m_freedLabel = nullptr;
    QLabel* m_failureLabel = nullptr;
    QLabel* m_placeholder = nullptr;
    TextImageButton* m_restoreButton = nullptr;
    TextImageButton* m_deleteButton = nullptr;
    TextImageButton* m_emptyButton = nullptr;
};

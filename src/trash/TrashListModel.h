#pragma once

#include "common/BackgroundTask.h"
#include "trash/TrashCleaner.h"
#include "trash/TrashItem.h"
#include "trash/TrashRestorer.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QTimer>

#include <atomic>
#include <memory>

class QFileSystemWatcher;
class TrashDirectory;

// The items of every trash of one user as a flat table: a tick box, name, original location,
// deletion date and size. Listing, measuring folders, restoring and erasing run off the GUI thread,
// one job after another (a BackgroundTask::Queue); their results come back to the GUI thread. A
// file-system watcher on each trash's "files" and "info" folders lists again when another program
// changes a trash.
//
// Ticks survive a new listing (they are kept by the item's path in the trash). Sorting is left to
// a QSortFilterProxyModel: SortRole gives each column's raw value.
//
// GUI thread only. Destroying the model stops the worker at the next item and waits for it.
class TrashListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CheckColumn, NameColumn, LocationColumn, DateColumn, SizeColumn, ColumnCount };
    static constexpr int SortRole = Qt::UserRole + 1;

    // cleaner: whose trashes, and the code that erases them.
    explicit TrashListModel(const TrashCleaner& cleaner = TrashCleaner::forCurrentUser(),
                            QObject* parent = nullptr);
    ~TrashListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const TrashItem& item(int row) const { return m_items.at(row); }
    const TrashItems& items() const { return m_items; }
    TrashItems checkedItems() const;
    qint64 checkedBytes() const;
    qint64 totalBytes() const;
    // What the sizes mean: the cleaner's mode.
    SizeMode sizeMode() const { return m_cleaner.sizeMode(); }
    void setAllChecked(bool checked);
    // A listing, a restore or an erase is under way.
    bool isBusy() const { return m_pendingJobs > 0; }
    // Whether a listing has come back since the model was made.
    bool isLoaded() const { return m_loaded; }

public Q_SLOTS:
    // Lists every trash again (and then measures the folders the size cache does not know).
    void refresh();
    // Restores the ticked items; occupied places come back in restoreFinished().
    void restoreChecked();
    // Restores one item at another path ("Restore as").
    void restoreItemAs(const TrashItem& item, const QByteArray& destination);
    // Erases the ticked items for good, as Empty Trash does.
    void deleteChecked();
    // Empties every trash.
    void emptyTrash();

Q_SIGNALS:
    void listed();
    void checkedChanged();
    void busyChanged(bool busy);
    // One result per item tried, failures and occupied places included; items[i] goes with
    // results[i].
    void restoreFinished(const TrashItems& items, const QList<TrashRestorer::Result>& results);
    void deleteFinished(const TrashCleaner::Result& result);

private:
    template <typename Job, typename Done> void runJob(Job job, Done done);
    void applyListing(TrashItems items, const QStringList& problems);
    void applySizes(const TrashItems& measured);
    // Watches the "files" and "info" folders of the trashes the worker found.
    void watchTrashes(const QList<TrashDirectory>& trashes);

    TrashCleaner m_cleaner;
    TrashItems m_items;
    QSet<QByteArray> m_checked; // item paths in the trash
    QStringList m_problems;
    bool m_loaded = false;
    int m_pendingJobs = 0;
    quint64 m_listing = 0; // the generation of the newest listing asked for
    BackgroundTask::Queue m_worker;
    std::shared_ptr<std::atomic<bool>> m_stop;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer m_refreshDelay;

public:
    // Why a trash could not be read in the last listing, as sentences for the user.
    const QStringList& problems() const { return m_problems; }
};

#include "trash/TrashListModel.h"

#include "common/BackgroundTask.h"
#include "common/PublicUtilities.h"
#include "trash/TrashDirectory.h"

#include <QFileSystemWatcher>

#include <algorithm>

namespace {

struct Listing {
    TrashItems items;
    QStringList problems;
    QList<TrashDirectory> trashes;
};

Listing listAll(const TrashCleaner& cleaner)
{
    Listing listing;
    QString tableError;
    listing.trashes = TrashDirectory::findAll(cleaner.homeTrash(), cleaner.mountInfoPath(),
                                              cleaner.uid(), &tableError);
    for (TrashDirectory& trash : listing.trashes)
        trash.setSizeMode(cleaner.sizeMode());
    if (!tableError.isEmpty())
        listing.problems.append(tableError);
    for (const TrashDirectory& trash : listing.trashes) {
        QString error;
        listing.items += trash.list(&error);
        if (!error.isEmpty())
            listing.problems.append(error);
    }
    return listing;
}

QString kindText(const TrashItem& item)
{
    switch (item.state) {
    case TrashItem::State::NoRecord:
        return QStringLiteral(" (no record)");
    case TrashItem::State::NoItem:
        return QStringLiteral(" (missing)");
    case TrashItem::State::InvalidRecord:
        return QStringLiteral(" (refused)");
    case TrashItem::State::Complete:
        break;
    }
    return {};
}

} // namespace

TrashListModel::TrashListModel(const TrashCleaner& cleaner, QObject* parent)
    : QAbstractTableModel(parent), m_cleaner(cleaner),
      m_stop(std::make_shared<std::atomic<bool>>(false)), m_watcher(new QFileSystemWatcher(this))
{
    m_refreshDelay.setSingleShot(true);
    m_refreshDelay.setInterval(150);
    connect(&m_refreshDelay, &QTimer::timeout, this, &TrashListModel::refresh);
    // A burst of changes (another program emptying a trash) lists once.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, &m_refreshDelay,
            qOverload<>(&QTimer::start));
}

TrashListModel::~TrashListModel()
{
    m_stop->store(true);
    m_worker.waitForDone();
}

template <typename Job, typename Done> void TrashListModel::runJob(Job job, Done done)
{
    if (++m_pendingJobs == 1)
        Q_EMIT busyChanged(true);
    m_worker.run(this, std::move(job), [this, done = std::move(done)](auto result) mutable {
        done(std::move(result));
        if (--m_pendingJobs == 0)
            Q_EMIT busyChanged(false);
    });
}

void TrashListModel::refresh()
{
    const quint64 generation = ++m_listing;
    const TrashCleaner cleaner = m_cleaner;
    runJob([cleaner] { return listAll(cleaner); },
           [this, generation](Listing listing) {
               if (generation != m_listing)
                   return;
               applyListing(listing.items, listing.problems);
               watchTrashes(listing.trashes);
               // Then the folders the size cache does not know, on the worker again.
               const bool unknown = std::any_of(
                   listing.items.cbegin(), listing.items.cend(),
                   [](const TrashItem& item) { return item.isDirectory() && item.size < 0; });
               if (!unknown)
                   return;
               runJob(
                   [listing = std::move(listing)]() mutable {
                       for (const TrashDirectory& trash : listing.trashes)
                           trash.measureFolders(&listing.items);
                       return listing.items;
                   },
                   [this, generation](const TrashItems& measured) {
                       if (generation == m_listing)
                           applySizes(measured);
                   });
           });
}

void TrashListModel::applyListing(TrashItems items, const QStringList& problems)
{
    // Rows are matched by the item's path in the trash: gone ones are removed (in runs, from the
    // end), kept ones updated in place, new ones appended, so the view keeps its scroll position
    // and the proxy its order.
    QHash<QByteArray, qsizetype> fresh;
    fresh.reserve(items.size());
    for (qsizetype index = 0; index < items.size(); ++index)
        fresh.insert(items[index].itemPath(), index);
    for (int row = int(m_items.size()) - 1; row >= 0;) {
        if (fresh.contains(m_items[row].itemPath())) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !fresh.contains(m_items[first - 1].itemPath()))
            --first;
        beginRemoveRows({}, first, row);
        m_items.remove(first, row - first + 1);
        endRemoveRows();
        row = first - 1;
    }
    QList<bool> placed(items.size(), false);
    for (TrashItem& item : m_items) {
        const qsizetype index = fresh.value(item.itemPath());
        placed[index] = true;
        // A size already measured stays until the new listing knows one.
        const qint64 size = item.size;
        item = items[index];
        if (item.size < 0 && item.isDirectory())
            item.size = size;
    }
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    TrashItems added;
    for (qsizetype index = 0; index < items.size(); ++index) {
        if (!placed[index])
            added.append(std::move(items[index]));
    }
    if (!added.isEmpty()) {
        beginInsertRows({}, rowCount(), rowCount() + int(added.size()) - 1);
        m_items.append(std::move(added));
        endInsertRows();
    }
    QSet<QByteArray> present;
    for (const TrashItem& item : m_items)
        present.insert(item.itemPath());
    m_checked.intersect(present);
    m_problems = problems;
    m_loaded = true;
    Q_EMIT listed();
    Q_EMIT checkedChanged();
}

void TrashListModel::applySizes(const TrashItems& measured)
{
    QHash<QByteArray, qint64> sizes;
    for (const TrashItem& item : measured)
        sizes.insert(item.itemPath(), item.size);
    for (int row = 0; row < m_items.size(); ++row) {
        TrashItem& item = m_items[row];
        if (sizes.contains(item.itemPath()) && sizes.value(item.itemPath()) != item.size) {
            item.size = sizes.value(item.itemPath());
            Q_EMIT dataChanged(index(row, SizeColumn), index(row, SizeColumn));
        }
    }
    Q_EMIT checkedChanged();
}

void TrashListModel::watchTrashes(const QList<TrashDirectory>& trashes)
{
    QStringList folders;
    for (const TrashDirectory& trash : trashes) {
        for (const char* part : {"/files", "/info"})
            folders.append(QFile::decodeName(trash.path() + part));
    }
    const QStringList watched = m_watcher->directories();
    QStringList added;
    for (const QString& folder : folders) {
        if (!watched.contains(folder))
            added.append(folder);
    }
    if (!added.isEmpty())
        m_watcher->addPaths(added);
}

void TrashListModel::restoreChecked()
{
    const TrashItems chosen = checkedItems();
    if (chosen.isEmpty())
        return;
    runJob(
        [chosen] {
            QList<TrashRestorer::Result> results;
            for (const TrashItem& item : chosen)
                results.append(TrashRestorer::restore(item));
            return results;
        },
        [this, chosen](const QList<TrashRestorer::Result>& results) {
            Q_EMIT restoreFinished(chosen, results);
            refresh();
        });
}

void TrashListModel::restoreItemAs(const TrashItem& item, const QByteArray& destination)
{
    runJob([item, destination] { return TrashRestorer::restore(item, destination); },
           [this, item](const TrashRestorer::Result& result) {
               Q_EMIT restoreFinished({item}, {result});
               refresh();
           });
}

void TrashListModel::deleteChecked()
{
    const TrashItems chosen = checkedItems();
    if (chosen.isEmpty())
        return;
    const TrashCleaner cleaner = m_cleaner;
    const std::shared_ptr<std::atomic<bool>> stop = m_stop;
    runJob([cleaner, chosen, stop] { return cleaner.eraseItems(chosen, stop.get()); },
           [this](const TrashCleaner::Result& result) {
               Q_EMIT deleteFinished(result);
               refresh();
           });
}

void TrashListModel::emptyTrash()
{
    const TrashCleaner cleaner = m_cleaner;
    const std::shared_ptr<std::atomic<bool>> stop = m_stop;
    runJob([cleaner, stop] { return cleaner.emptyAll(stop.get()); },
           [this](const TrashCleaner::Result& result) {
               Q_EMIT deleteFinished(result);
               refresh();
           });
}

TrashItems TrashListModel::checkedItems() const
{
    TrashItems chosen;
    for (const TrashItem& item : m_items) {
        if (m_checked.contains(item.itemPath()))
            chosen.append(item);
    }
    return chosen;
}

qint64 TrashListModel::checkedBytes() const
{
    qint64 bytes = 0;
    for (const TrashItem& item : m_items) {
        if (m_checked.contains(item.itemPath()))
            bytes += std::max<qint64>(item.size, 0);
    }
    return bytes;
}

qint64 TrashListModel::totalBytes() const
{
    qint64 bytes = 0;
    for (const TrashItem& item : m_items)
        bytes += std::max<qint64>(item.size, 0);
    return bytes;
}

void TrashListModel::setAllChecked(bool checked)
{
    if (m_items.isEmpty())
        return;
    m_checked.clear();
    if (checked) {
        for (const TrashItem& item : m_items)
            m_checked.insert(item.itemPath());
    }
    Q_EMIT dataChanged(index(0, CheckColumn), index(rowCount() - 1, CheckColumn),
                       {Qt::CheckStateRole});
    Q_EMIT checkedChanged();
}

int TrashListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int TrashListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TrashListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TrashItem& item = m_items.at(index.row());
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == CheckColumn)
        return m_checked.contains(item.itemPath()) ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::AccessibleTextRole && column == CheckColumn) // the box named after its row
        return item.displayName();
    if (role == Qt::ToolTipRole) {
        QString tip =
            QStringLiteral("%1\nIn the trash: %2\nVolume: %3")
                .arg(item.originalLocation(), QFile::decodeName(item.itemPath()), item.volume());
        return item.problem.isEmpty() ? tip : QString(tip + u"\n" + item.problem);
    }
    if (role == SortRole) {
        switch (column) {
        case NameColumn:
            return item.displayName().toLower();
        case LocationColumn:
            return item.originalLocation();
        case DateColumn:
            return item.deletionDate;
        case SizeColumn:
            return item.size;
        default:
            return m_checked.contains(item.itemPath());
        }
    }
    if (role == Qt::TextAlignmentRole && column == SizeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case NameColumn:
        return QString(item.displayName() + kindText(item));
    case LocationColumn: {
        const QString location = item.originalLocation();
        return location.isEmpty() ? item.volume() : location.left(location.lastIndexOf(u'/') + 1);
    }
    case DateColumn:
        return item.deletionDate.isValid() ? item.deletionDate.toString(u"yyyy-MM-dd hh:mm")
                                           : QString();
    case SizeColumn:
        return item.size < 0 ? QStringLiteral("…") : PublicUtilities::longlongDiskSize(item.size);
    default:
        return {};
    }
}

bool TrashListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() != CheckColumn ||
        role != Qt::CheckStateRole)
        return false;
    const QByteArray key = m_items.at(index.row()).itemPath();
    if (value.value<Qt::CheckState>() == Qt::Checked)
        m_checked.insert(key);
    else
        m_checked.remove(key);
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    Q_EMIT checkedChanged();
    return true;
}

Qt::ItemFlags TrashListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == CheckColumn ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant TrashListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return QStringLiteral("Name");
    case LocationColumn:
        return QStringLiteral("Original Location");
    case DateColumn:
        return QStringLiteral("Date Deleted");
    case SizeColumn:
        return QStringLiteral("Size");
    default:
        return QString();
    }
}

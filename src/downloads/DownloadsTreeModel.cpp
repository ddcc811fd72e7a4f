#include "downloads/DownloadsTreeModel.h"

#include "common/PublicUtilities.h"
#include "downloads/Controller.h"
#include "downloads/FileTree.h"
#include "kit/KitImages.h"

#include <QApplication>
#include <QLocale>
#include <QScopedValueRollback>
#include <QStyle>

#include <algorithm>
#include <cstring>
#include <unordered_set>

using namespace Qt::StringLiterals;

namespace {

// Whether the view may open the node now. The tree's lock must be held.
bool expandableNow(const FileNode* node)
{
    return node->isDirectory() && !node->isBundle() && node->childCount() > 0;
}

Qt::CheckState checkStateOf(int state)
{
    return state == FileNode::On      ? Qt::Checked
           : state == FileNode::Mixed ? Qt::PartiallyChecked
                                      : Qt::Unchecked;
}

} // namespace

// One list as the tree holds it now, read under the lock by refresh().
struct DownloadsTreeModel::ListUpdate {
    FileNode* owner;
    std::vector<FileNode*> live;
    std::vector<char> expandable; // per entry of `live`
    bool wasEmpty;                // nothing of the list was shown: all of it is new, in order
};

DownloadsTreeModel::DownloadsTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

DownloadsTreeModel::~DownloadsTreeModel() = default;

void DownloadsTreeModel::setTree(std::shared_ptr<FileTree> tree)
{
    beginResetModel();
    m_shown.clear();
    m_lastShown = nullptr;
    m_row.clear();
    m_systemFiles.clear();
    m_icons.clear();
    m_labels.clear();
    m_tree = std::move(tree);
    endResetModel();
}

QString DownloadsTreeModel::columnIdentifier(int column)
{
    switch (column) {
    case CheckBoxColumn:
        return u"CheckBox"_s;
    case NameColumn:
        return u"Name"_s;
    case SizeColumn:
        return u"Size"_s;
    case OpenFinderColumn:
        return u"OpenFinder"_s;
    default:
        return {};
    }
}

int DownloadsTreeModel::columnOfIdentifier(const QString& identifier)
{
    for (int column = 0; column < ColumnCount; ++column) {
        if (columnIdentifier(column) == identifier)
            return column;
    }
    return -1;
}

QString DownloadsTreeModel::checkBoxImageName(int state)
{
    return state == FileNode::On      ? u"option_yes"_s
           : state == FileNode::Mixed ? u"option_a"_s
                                      : u"option_no"_s;
}

FileNode* DownloadsTreeModel::nodeOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<FileNode*>(index.internalPointer()) : nullptr;
}

QModelIndex DownloadsTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    const Shown* shown = shownUnder(parent);
    // The view may ask with a count it read before the lists changed: no row, no error.
    if (!shown || std::size_t(row) >= shown->rows.size())
        return {};
    return createIndex(row, column, shown->rows[std::size_t(row)].node);
}

QModelIndex DownloadsTreeModel::parent(const QModelIndex& child) const
{
    const FileNode* node = nodeOf(child);
    FileNode* father = node ? node->father() : nullptr;
    if (!father)
        return {};
    const int row = rowInList(father);
    return row < 0 ? QModelIndex() : createIndex(row, 0, father);
}

int DownloadsTreeModel::rowCount(const QModelIndex& parent) const
{
    const Shown* shown = shownUnder(parent);
    return shown ? int(shown->rows.size()) : 0;
}

int DownloadsTreeModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

bool DownloadsTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!m_tree || parent.column() > 0)
        return false;
    FileNode* owner = parent.isValid() ? nodeOf(parent) : m_tree->root();
    if (const auto found = m_shown.find(owner); found != m_shown.end())
        return !found->second.rows.empty();
    if (!parent.isValid())
        return rowCount(parent) > 0;
    // A folder the view has not opened yet: what its father's list saw last.
    const Row* row = rowOf(parent);
    return row && row->expandable;
}

namespace {

QString unreadableReason(const FileNode* node)
{
    return QString::fromLocal8Bit(std::strerror(node->openError()));
}

} // namespace

QVariant DownloadsTreeModel::data(const QModelIndex& index, int role) const
{
    FileNode* node = nodeOf(index);
    if (!node)
        return {};
    if (role == NodeRole)
        return QVariant::fromValue(node);
    if (role == SizeRole)
        return QVariant::fromValue(quint64(node->size()));

    switch (index.column()) {
    case CheckBoxColumn: {
        // System files may never be ticked: they show no box at all.
        if ((role != ImageNameRole && role != Qt::DecorationRole && role != Qt::CheckStateRole &&
             role != Qt::AccessibleTextRole) ||
            isSystemFile(node))
            return {};
        if (role == Qt::AccessibleTextRole) // a screen reader names the box after its row
            return node->displayName();
        const int state = node->state();
        if (role == ImageNameRole)
            return checkBoxImageName(state);
        if (role == Qt::DecorationRole)
            return KitImages::icon(checkBoxImageName(state));
        if (role == Qt::CheckStateRole)
            return int(checkStateOf(state));
        return {};
    }
    case NameColumn:
        if (role == Qt::DisplayRole)
            return m_labels.value(node, node->displayName());
        if (role == Qt::DecorationRole) {
            // A folder the scan could not open is marked: its contents and size are unknown.
            return node->openError() != 0
                       ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)
                       : iconOf(node);
        }
        if (role == Qt::ToolTipRole) {
            // A long name is cut short in its row.
            return node->openError() != 0
                       ? tr("%1\nCannot be read: %2").arg(node->path(), unreadableReason(node))
                       : node->path();
        }
        return {};
    case SizeColumn:
        if (role == Qt::DisplayRole) {
            return node->openError() != 0
                       ? tr("unknown", "size of a folder that cannot be read")
                       : PublicUtilities::longlongDiskSize(std::int64_t(node->size()));
        }
        if (role == Qt::ToolTipRole) {
            return node->openError() != 0
                       ? tr("The folder cannot be read: %1").arg(unreadableReason(node))
                       : tr("%1 bytes").arg(QLocale().toString(quint64(node->size())));
        }
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case OpenFinderColumn:
        if (role == ImageNameRole)
            return u"ic_open"_s;
        if (role == Qt::DecorationRole)
            return KitImages::icon(u"ic_open"_s);
        if (role == Qt::AccessibleTextRole)
            return tr("Show “%1” in its folder").arg(node->displayName());
        return {};
    default:
        return {};
    }
}

bool DownloadsTreeModel::setData(const QModelIndex&, const QVariant&, int)
{
    return false; // nothing in the outline is edited
}

QVariant DownloadsTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    if (section == NameColumn)
        return tr("Name");
    if (section == SizeColumn)
        return tr("Size");
    return QString();
}

Qt::ItemFlags DownloadsTreeModel::flags(const QModelIndex& index) const
{
    const Row* row = rowOf(index);
    if (!row)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!row->mayExpand)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

void DownloadsTreeModel::clickCheckBox(const QModelIndex& index)
{
    FileNode* node = nodeOf(index);
    if (!node || !m_controller)
        return;
    m_controller->clickCheckBoxOfNode(node);
    announceChangedData();
}

void DownloadsTreeModel::setExpanded(const QModelIndex& index, bool expanded)
{
    FileNode* node = nodeOf(index);
    if (!node || !m_controller)
        return;
    m_controller->expandNode(node, expanded);
    announceChangedData();
}

void DownloadsTreeModel::reveal(const QModelIndex& index)
{
    if (FileNode* node = nodeOf(index); node && m_controller)
        m_controller->openFileWithFileNode(node);
}

void DownloadsTreeModel::refresh()
{
    // A view answering a signal of this refresh must not start another.
    if (!m_tree || m_refreshing)
        return;
    const QScopedValueRollback<bool> refreshing(m_refreshing, true);
    // Read every list the view knows in one short hold of the lock; announce without it, since
    // the view calls back into the model (and may open new lists, which takes the lock).
    std::vector<ListUpdate> updates;
    {
        const auto lock = m_tree->lock();
        for (auto& [owner, shown] : m_shown) {
            const std::vector<FileNode*>& live = owner->children();
            bool same = live.size() == shown.rows.size();
            for (std::size_t row = 0; same && row < live.size(); ++row) {
                const Row& known = shown.rows[row];
                same = known.node == live[row] &&
                       (!known.mayExpand || known.expandable == (live[row]->childCount() > 0));
            }
            if (same)
                continue;
            ListUpdate update{owner, live, {}, shown.rows.empty()};
            update.expandable.reserve(live.size());
            for (const FileNode* node : live)
                update.expandable.push_back(expandableNow(node));
            updates.push_back(std::move(update));
        }
    }
    // Removals first, then insertions at the ends, then one reordering of everything.
    for (const ListUpdate& update : updates)
        removeLeftRows(update);
    for (const ListUpdate& update : updates)
        insertNewRows(update);
    reorder(updates);
    announceChangedData();
}

DownloadsTreeModel::Shown* DownloadsTreeModel::shownUnder(const QModelIndex& parent) const
{
    if (!m_tree || parent.column() > 0)
        return nullptr;
    FileNode* owner = parent.isValid() ? nodeOf(parent) : m_tree->root();
    if (const auto found = m_shown.find(owner); found != m_shown.end())
        return &found->second;
    if (parent.isValid()) {
        const Row* row = rowOf(parent);
        if (!row || !row->expandable)
            return nullptr;
    }
    return &build(owner);
}

DownloadsTreeModel::Shown& DownloadsTreeModel::build(FileNode* owner) const
{
    Shown shown;
    {
        const auto lock = m_tree->lock();
        const std::vector<FileNode*>& live = owner->children();
        shown.rows.reserve(live.size());
        for (FileNode* node : live)
            shown.rows.push_back(makeRow(node, expandableNow(node)));
    }
    for (std::size_t row = 0; row < shown.rows.size(); ++row)
        setKnownRow(shown.rows[row].node, int(row));
    return m_shown.emplace(owner, std::move(shown)).first->second;
}

const DownloadsTreeModel::Row* DownloadsTreeModel::rowOf(const QModelIndex& index) const
{
    FileNode* node = nodeOf(index);
    if (!node || !m_tree)
        return nullptr;
    const std::size_t row = std::size_t(index.row());
    // The view asks about the rows of one list after another: try the list of the last question
    // before reading the node, which for a large list is what costs.
    if (m_lastShown && row < m_lastShown->rows.size() && m_lastShown->rows[row].node == node)
        return &m_lastShown->rows[row];
    FileNode* father = node->father();
    const auto list = m_shown.find(father ? father : m_tree->root());
    if (list == m_shown.end())
        return nullptr;
    const std::vector<Row>& rows = list->second.rows;
    if (row >= rows.size() || rows[row].node != node)
        return nullptr;
    m_lastShown = &list->second;
    return &rows[row];
}

int DownloadsTreeModel::rowInList(FileNode* node) const
{
    FileNode* father = node->father();
    const auto list = m_shown.find(father ? father : m_tree->root());
    const int hint = knownRow(node);
    if (list == m_shown.end() || hint < 0)
        return -1;
    const std::vector<Row>& rows = list->second.rows;
    if (std::size_t(hint) < rows.size() && rows[std::size_t(hint)].node == node)
        return hint;
    // Rows after a removed run keep their old numbers until the run's list is renumbered.
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].node == node) {
            setKnownRow(node, int(row));
            return int(row);
        }
    }
    return -1;
}

QModelIndex DownloadsTreeModel::indexOfOwner(FileNode* owner) const
{
    if (owner == m_tree->root())
        return {};
    const int row = rowInList(owner);
    return row < 0 ? QModelIndex() : createIndex(row, 0, owner);
}

DownloadsTreeModel::Row DownloadsTreeModel::makeRow(FileNode* node, bool expandable) const
{
    return {node, node->size(), node->state(), node->isDirectory() && !node->isBundle(),
            expandable};
}

int DownloadsTreeModel::knownRow(const FileNode* node) const
{
    const std::size_t at = node->sequence();
    return at < m_row.size() ? m_row[at] : -1;
}

void DownloadsTreeModel::setKnownRow(const FileNode* node, int row) const
{
    const std::size_t at = node->sequence();
    if (at >= m_row.size()) {
        if (row < 0)
            return;
        m_row.resize(std::max(at + 1, m_row.size() * 2), -1);
    }
    m_row[at] = row;
}

void DownloadsTreeModel::removeLeftRows(const ListUpdate& update)
{
    const auto list = m_shown.find(update.owner);
    if (list == m_shown.end())
        return; // its folder left the tree earlier in this refresh
    std::vector<Row>& rows = list->second.rows;
    if (rows.empty())
        return;
    std::size_t stillThere = 0;
    for (FileNode* node : update.live)
        stillThere += knownRow(node) >= 0 ? 1 : 0;
    if (stillThere == rows.size())
        return;

    const std::unordered_set<FileNode*> live(update.live.begin(), update.live.end());
    const QModelIndex parent = indexOfOwner(update.owner);
    std::size_t firstRemoved = rows.size();
    // Runs of departed rows from the end, so the rows before a run keep their numbers.
    for (std::size_t end = rows.size(); end > 0;) {
        if (live.contains(rows[end - 1].node)) {
            --end;
            continue;
        }
        std::size_t begin = end - 1;
        while (begin > 0 && !live.contains(rows[begin - 1].node))
            --begin;
        beginRemoveRows(parent, int(begin), int(end - 1));
        std::vector<FileNode*> removed;
        for (std::size_t row = begin; row < end; ++row) {
            removed.push_back(rows[row].node);
            forgetRow(rows[row].node);
        }
        rows.erase(rows.begin() + std::ptrdiff_t(begin), rows.begin() + std::ptrdiff_t(end));
        forgetBelow(removed);
        endRemoveRows();
        firstRemoved = begin;
        end = begin;
    }
    for (std::size_t row = firstRemoved; row < rows.size(); ++row)
        setKnownRow(rows[row].node, int(row));
}

void DownloadsTreeModel::insertNewRows(const ListUpdate& update)
{
    const auto list = m_shown.find(update.owner);
    if (list == m_shown.end())
        return;
    std::vector<std::size_t> fresh;
    fresh.reserve(update.wasEmpty ? update.live.size() : 0);
    for (std::size_t entry = 0; entry < update.live.size(); ++entry) {
        if (update.wasEmpty || knownRow(update.live[entry]) < 0)
            fresh.push_back(entry);
    }
    if (fresh.empty())
        return;
    std::vector<Row>& rows = list->second.rows;
    const int first = int(rows.size());
    rows.reserve(rows.size() + fresh.size());
    beginInsertRows(indexOfOwner(update.owner), first, first + int(fresh.size()) - 1);
    for (std::size_t entry : fresh) {
        setKnownRow(update.live[entry], int(rows.size()));
        rows.push_back(makeRow(update.live[entry], update.expandable[entry]));
    }
    endInsertRows();
}

void DownloadsTreeModel::reorder(const std::vector<ListUpdate>& updates)
{
    // Each list's rows in the live order, carrying what was announced for them.
    std::vector<std::pair<FileNode*, std::vector<Row>>> reordered;
    for (const ListUpdate& update : updates) {
        // A list shown for the first time went in whole and in order.
        const auto list = m_shown.find(update.owner);
        if (update.wasEmpty || list == m_shown.end() ||
            list->second.rows.size() != update.live.size())
            continue;
        const std::vector<Row>& rows = list->second.rows;
        std::vector<Row> ordered;
        ordered.reserve(rows.size());
        bool changed = false;
        for (std::size_t entry = 0; entry < update.live.size(); ++entry) {
            const std::size_t at = std::size_t(knownRow(update.live[entry]));
            Q_ASSERT(at < rows.size() && rows[at].node == update.live[entry]);
            Row row = rows[at];
            row.expandable = update.expandable[entry];
            changed = changed || at != entry || row.expandable != rows[at].expandable;
            ordered.push_back(row);
        }
        if (changed)
            reordered.emplace_back(update.owner, std::move(ordered));
    }
    if (reordered.empty())
        return;

    Q_EMIT layoutAboutToBeChanged();
    for (auto& [owner, ordered] : reordered) {
        std::vector<Row>& rows = m_shown.find(owner)->second.rows;
        rows = std::move(ordered);
        for (std::size_t row = 0; row < rows.size(); ++row)
            setKnownRow(rows[row].node, int(row));
    }
    // Persistent indexes follow their nodes: only the row changes.
    QModelIndexList from;
    QModelIndexList to;
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& index : persistent) {
        FileNode* node = nodeOf(index);
        const int row = knownRow(node);
        if (row == index.row())
            continue;
        from.append(index);
        to.append(row < 0 ? QModelIndex() : createIndex(row, index.column(), node));
    }
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged();
}

void DownloadsTreeModel::forgetBelow(const std::vector<FileNode*>& removed)
{
    // The lists of the removed folders and of every folder below them go with them.
    const std::unordered_set<FileNode*> gone(removed.begin(), removed.end());
    std::vector<FileNode*> owners;
    for (const auto& [owner, shown] : m_shown) {
        for (FileNode* node = owner; node; node = node->father()) {
            if (gone.contains(node)) {
                owners.push_back(owner);
                break;
            }
        }
    }
    for (FileNode* owner : owners) {
        const auto list = m_shown.find(owner);
        for (const Row& row : list->second.rows)
            forgetRow(row.node);
        if (&list->second == m_lastShown)
            m_lastShown = nullptr;
        m_shown.erase(list);
    }
}

void DownloadsTreeModel::announceChangedData()
{
    // Collect first: the view's answers may open new lists.
    std::vector<FileNode*> owners;
    owners.reserve(m_shown.size());
    for (const auto& [owner, shown] : m_shown)
        owners.push_back(owner);
    for (FileNode* owner : owners) {
        const auto list = m_shown.find(owner);
        if (list == m_shown.end())
            continue;
        std::vector<Row>& rows = list->second.rows;
        int sizeFirst = -1, sizeLast = -1, stateFirst = -1, stateLast = -1;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::uint64_t size = rows[row].node->size();
            const int state = rows[row].node->state();
            if (size != rows[row].size) {
                rows[row].size = size;
                sizeLast = int(row);
                sizeFirst = sizeFirst < 0 ? int(row) : sizeFirst;
            }
            if (state != rows[row].state) {
                rows[row].state = state;
                stateLast = int(row);
                stateFirst = stateFirst < 0 ? int(row) : stateFirst;
            }
        }
        const QModelIndex parent = indexOfOwner(owner);
        if (sizeFirst >= 0)
            Q_EMIT dataChanged(index(sizeFirst, SizeColumn, parent),
                               index(sizeLast, SizeColumn, parent), {Qt::DisplayRole, SizeRole});
        if (stateFirst >= 0)
            Q_EMIT dataChanged(index(stateFirst, CheckBoxColumn, parent),
                               index(stateLast, CheckBoxColumn, parent),
                               {Qt::DecorationRole, ImageNameRole, Qt::CheckStateRole});
    }
}

bool DownloadsTreeModel::isSystemFile(FileNode* node) const
{
    const auto cached = m_systemFiles.constFind(node);
    if (cached != m_systemFiles.cend())
        return *cached;
    return *m_systemFiles.insert(node, node->isSystemFile());
}

QIcon DownloadsTreeModel::iconOf(FileNode* node) const
{
    if (const auto cached = m_icons.constFind(node); cached != m_icons.cend())
        return *cached;
    // The type comes from the name alone: nothing on the disk is read for a row.
    QString type = u"inode/directory"_s;
    QMimeType mime;
    if (!node->isDirectory()) {
        const QList<QMimeType> types = m_mimeDatabase.mimeTypesForFileName(node->name());
        mime = types.isEmpty() ? m_mimeDatabase.mimeTypeForName(u"application/octet-stream"_s)
                               : types.first();
        type = mime.name();
    }
    auto icon = m_mimeIcons.constFind(type);
    if (icon == m_mimeIcons.cend()) {
        QStyle* style = QApplication::style();
        const QIcon found =
            node->isDirectory()
                ? QIcon::fromTheme(u"folder"_s, style->standardIcon(QStyle::SP_DirIcon))
                : QIcon::fromTheme(mime.iconName(),
                                   QIcon::fromTheme(mime.genericIconName(),
                                                    style->standardIcon(QStyle::SP_FileIcon)));
        icon = m_mimeIcons.insert(type, found);
    }
    m_icons.insert(node, *icon);
    return *icon;
}

#pragma once

#include "downloads/FileNode.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

#include <memory>
#include <unordered_map>
#include <vector>

class Controller;
class FileTree;

Q_DECLARE_METATYPE(FileNode*)

// The downloads window's outline: one row per node of a scanned FileTree, in the tree's size
// order, with the columns "CheckBox", "Name", "Size" and "OpenFinder". An index's internal pointer
// is its FileNode; the top-level list is the invalid index.
//
// Threads: GUI thread only. The model shows a snapshot of every list the view has asked for (the
// top level, and each folder whose rows were read), in the order the view knows. rowCount(),
// index(), parent() and hasChildren() answer from the snapshots and never wait for the scan; the
// tree's lock is taken only by refresh() and when a folder's list is read for the first time.
// Sizes, check states and names are read live from the nodes (atomic or immutable).
//
// refresh() brings the snapshots up to the live lists: rows that left the tree (a removal run
// detached them) are removed, new rows are inserted at the end of their list, then one layout
// change puts every list in its live order and moves the persistent indexes with their nodes, so
// expansion and selection survive; last, changed sizes and check states are announced with
// dataChanged. Rows are never reset during a scan. Whether a folder not yet opened can be opened
// is what the last refresh saw. Detached nodes stay valid (the tree keeps them), so no index ever
// points to freed memory.
class DownloadsTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { CheckBoxColumn, NameColumn, SizeColumn, OpenFinderColumn, ColumnCount };
    enum Role {
        NodeRole = Qt::UserRole + 1, // FileNode*, every column
        ImageNameRole,               // QString: the artwork of the CheckBox and OpenFinder cells
        SizeRole,                    // quint64: the node's size in bytes, every column
    };

    explicit DownloadsTreeModel(QObject* parent = nullptr);
    ~DownloadsTreeModel() override;

    // Shows `tree` from scratch (a model reset); nullptr shows nothing. The model keeps the tree.
    void setTree(std::shared_ptr<FileTree> tree);
    const std::shared_ptr<FileTree>& tree() const { return m_tree; }
    // The controller that check-box clicks, expansion and reveal go to; not owned.
    void setController(Controller* controller) { m_controller = controller; }
    Controller* controller() const { return m_controller; }

    // Names shown instead of the nodes' own (the Caches view's rows are named by their whole
    // path); the tooltip still gives the path. Cleared by setTree().
    void setLabels(QHash<const FileNode*, QString> labels) { m_labels = std::move(labels); }

    // "CheckBox", "Name", "Size", "OpenFinder"; an empty string for any other column.
    static QString columnIdentifier(int column);
    static int columnOfIdentifier(const QString& identifier); // -1 when unknown
    // "option_no", "option_yes", "option_a" for the states 0, 1, 2.
    static QString checkBoxImageName(int state);
    static FileNode* nodeOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The view's actions, passed to the controller; the changed check boxes are announced. Without
    // a controller they do nothing.
    void clickCheckBox(const QModelIndex& index);
    void setExpanded(const QModelIndex& index, bool expanded);
    void reveal(const QModelIndex& index);

public Q_SLOTS:
    // Catches up with the tree: removed rows, new rows, the new order, changed sizes and states.
    // Costs one pass over every list the view has opened; call it on a timer while a scan runs
    // and after a removal run or a selection change.
    void refresh();

private:
    // One row as the view knows it.
    struct Row {
        FileNode* node;
        std::uint64_t size; // the size last announced
        int state;          // the check state last announced
        bool mayExpand;     // a folder that is no bundle
        bool expandable;    // mayExpand, with children when last looked at
    };
    struct Shown {
        std::vector<Row> rows;
    };
    struct ListUpdate;

    Shown* shownUnder(const QModelIndex& parent) const;
    Shown& build(FileNode* owner) const;
    const Row* rowOf(const QModelIndex& index) const;
    int rowInList(FileNode* node) const;
    QModelIndex indexOfOwner(FileNode* owner) const;
    Row makeRow(FileNode* node, bool expandable) const;
    int knownRow(const FileNode* node) const;
    void setKnownRow(const FileNode* node, int row) const;
    void forgetRow(const FileNode* node) const { setKnownRow(node, -1); }

    void removeLeftRows(const ListUpdate& update);
    void insertNewRows(const ListUpdate& update);
    void reorder(const std::vector<ListUpdate>& updates);
    void forgetBelow(const std::vector<FileNode*>& removed);
    void announceChangedData();

    bool isSystemFile(FileNode* node) const;
    QIcon iconOf(FileNode* node) const;

    std::shared_ptr<FileTree> m_tree;
    Controller* m_controller = nullptr;
    // The snapshots: a list's owner (the tree's root for the top level) to its rows. Node-based,
    // so a reference stays valid while other lists are added.
    mutable std::unordered_map<FileNode*, Shown> m_shown;
    // Every node in a snapshot to its row there, by the node's sequence number (dense within a
    // tree, so a flat array serves a million rows without hashing); -1 for a node not shown.
    mutable std::vector<int> m_row;
    // The list rowOf() found last; forgotten when its list goes.
    mutable const Shown* m_lastShown = nullptr;
    QHash<const FileNode*, QString> m_labels;
    mutable QHash<FileNode*, bool> m_systemFiles;
    mutable QHash<FileNode*, QIcon> m_icons;
    mutable QHash<QString, QIcon> m_mimeIcons;
    QMimeDatabase m_mimeDatabase;
    bool m_refreshing = false;
};

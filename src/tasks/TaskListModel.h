#pragma once

#include "tasks/TaskManagerInfo.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include <functional>

// The Task Manager's rows: one per application, keyed by its process and application id, with
// its icon and name, its process ID and its check box. A fresh list from the builder is merged
// in, not swapped in: applications that left are removed, new ones inserted, moved ones moved and
// kept ones updated in place, so views keep their selection on the same application and the
// user's ticks and unticks survive every refresh. New applications come ticked as the builder
// says. GUI thread only.
class TaskListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, PidColumn = 1, CheckBoxColumn = 2, ColumnCount = 3 };
    // Whether the row is ticked (a bool), in every column.
    static constexpr int TickedRole = Qt::UserRole + 1;

    using IconProvider = std::function<QIcon(const TaskManagerInfo&)>;
    explicit TaskListModel(IconProvider icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QList<TaskManagerInfo>& applications() const { return m_rows; }
    // Merges `applications` in, in their order (see the class comment).
    void setApplications(const QList<TaskManagerInfo>& applications);
    // Inverts the tick of `row`; false for a row that does not exist.
    bool toggle(int row);
    bool anyTicked() const;
    // Takes the ticked rows out of the list and returns them, in order.
    QList<TaskManagerInfo> takeTicked();

    // What identifies an application across refreshes.
    static QString keyOf(const TaskManagerInfo& record);

private:
    void removeRow(int row);

    IconProvider m_icons;
    QList<TaskManagerInfo> m_rows;
};

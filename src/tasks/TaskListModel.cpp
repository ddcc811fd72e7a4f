#include "tasks/TaskListModel.h"

#include "kit/KitImages.h"

#include <QSet>

TaskListModel::TaskListModel(IconProvider icons, QObject* parent)
    : QAbstractTableModel(parent), m_icons(std::move(icons))
{}

int TaskListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TaskListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TaskListModel::keyOf(const TaskManagerInfo& record)
{
    return QString::number(record.pID) + u'\n' + record.appId;
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TaskManagerInfo& record = m_rows.at(index.row());
    if (role == TickedRole)
        return record.bIsSelected;
    switch (index.column()) {
    case NameColumn:
        if (role == Qt::DisplayRole)
            return record.shownName();
        if (role == Qt::DecorationRole && m_icons)
            return m_icons(record);
        if (role == Qt::ToolTipRole)
            return tr("%1 — PID %2").arg(record.shownName()).arg(record.pID);
        break;
    case PidColumn:
        if (role == Qt::DisplayRole)
            return QString::number(record.pID);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case CheckBoxColumn:
        if (role == Qt::DecorationRole)
            return KitImages::icon(record.bIsSelected ? QStringLiteral("option_yes")
                                                      : QStringLiteral("option_no"));
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return record.bIsSelected ? tr("Ticked: Close quits “%1”").arg(record.shownName())
                                      : tr("Not ticked: Close leaves “%1”").arg(record.shownName());
        break;
    default:
        break;
    }
    return {};
}

void TaskListModel::removeRow(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void TaskListModel::setApplications(const QList<TaskManagerInfo>& applications)
{
    QSet<QString> wanted;
    for (const TaskManagerInfo& record : applications)
        wanted.insert(keyOf(record));
    // Gone applications first, a run of neighbours at a time.
    for (int row = int(m_rows.size()) - 1; row >= 0;) {
        if (wanted.contains(keyOf(m_rows.at(row)))) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !wanted.contains(keyOf(m_rows.at(first - 1))))
            --first;
        beginRemoveRows({}, first, row);
        m_rows.remove(first, row - first + 1);
        endRemoveRows();
        row = first - 1;
    }
    // Then the new order: each place holds its application, moved up or inserted where needed.
    for (int place = 0; place < int(applications.size()); ++place) {
        const TaskManagerInfo& fresh = applications.at(place);
        const QString key = keyOf(fresh);
        int found = -1;
        for (int row = place; row < int(m_rows.size()); ++row) {
            if (keyOf(m_rows.at(row)) == key) {
                found = row;
                break;
            }
        }
        if (found < 0) {
            beginInsertRows({}, place, place);
            m_rows.insert(place, fresh);
            endInsertRows();
            continue;
        }
        if (found != place) {
            beginMoveRows({}, found, found, {}, place);
            m_rows.move(found, place);
            endMoveRows();
        }
        TaskManagerInfo& kept = m_rows[place];
        const bool changed = kept.name != fresh.name || kept.image != fresh.image;
        const bool ticked = kept.bIsSelected;
        kept = fresh;
        kept.bIsSelected = ticked; // the user's choice, not the builder's default
        if (changed)
            Q_EMIT dataChanged(index(place, 0), index(place, ColumnCount - 1));
    }
}

bool TaskListModel::toggle(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    m_rows[row].bIsSelected = !m_rows[row].bIsSelected;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
    return true;
}

bool TaskListModel::anyTicked() const
{
    return std::any_of(m_rows.cbegin(), m_rows.cend(),
                       [](const TaskManagerInfo& record) { return record.bIsSelected; });
}

QList<TaskManagerInfo> TaskListModel::takeTicked()
{
    QList<TaskManagerInfo> ticked;
    for (const TaskManagerInfo& record : std::as_const(m_rows)) {
        if (record.bIsSelected)
            ticked.append(record);
    }
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (m_rows.at(row).bIsSelected)
            removeRow(row);
    }
    return ticked;
}

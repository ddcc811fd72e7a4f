#include "apps/ApplicationListModel.h"

#include "kit/ApplicationIcon.h"
#include "kit/KitImages.h"

ApplicationListModel::ApplicationListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ApplicationListModel::setApplications(const QList<AMAppItem>& items)
{
    beginResetModel();
    m_items = items;
    endResetModel();
}

int ApplicationListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int ApplicationListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ApplicationListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const AMAppItem& item = m_items.at(index.row());
    if (index.column() == NameColumn) {
        if (role == Qt::DisplayRole)
            return item.name;
        if (role == Qt::ToolTipRole)
            return item.path;
        if (role == Qt::DecorationRole) {
            auto found = m_icons.constFind(item.image);
            if (found == m_icons.cend())
                found = m_icons.insert(item.image, ApplicationIcon::of(item.image));
            return *found;
        }
    } else if (index.column() == OpenColumn) {
        if (role == Qt::DecorationRole)
            return KitImages::icon(QStringLiteral("ic_run"));
        if (role == Qt::ToolTipRole)
            return tr("Open %1").arg(item.name);
        if (role == Qt::AccessibleTextRole) // the cell shows only an icon
            return tr("Open %1").arg(item.name);
    }
    return {};
}

QVariant ApplicationListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? tr("Name")
                                 : tr("Open", "column of the buttons that open an application");
}

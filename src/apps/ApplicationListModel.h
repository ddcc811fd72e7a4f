#pragma once

#include "apps/AMAppItem.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

// The rows of the Applications tab: column 0 ("Name") shows the icon and name, column 1
// ("Open") the run button's image. Icons are looked up once per icon name, when first drawn.
// GUI thread only.
class ApplicationListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, OpenColumn, ColumnCount };

    explicit ApplicationListModel(QObject* parent = nullptr);

    void setApplications(const QList<AMAppItem>& items);
    const QList<AMAppItem>& applications() const { return m_items; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<AMAppItem> m_items;
    mutable QHash<QString, QIcon> m_icons;
};

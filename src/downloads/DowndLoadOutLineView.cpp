#include "downloads/DowndLoadOutLineView.h"

#include "downloads/DownloadsTreeModel.h"
#include "kit/KitImages.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Draws the check-box and reveal columns as centred images, the rest as usual.
class ImageColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QString image = index.data(DownloadsTreeModel::ImageNameRole).toString();
        if (index.column() != DownloadsTreeModel::CheckBoxColumn &&
            index.column() != DownloadsTreeModel::OpenFinderColumn) {
            QStyleOptionViewItem plain = option;
            plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            QStyledItemDelegate::paint(painter, plain, index);
            return;
        }
        if (image.isEmpty())
            return; // a system file: no box
        const QSize size(16, 16);
        const QPixmap pixmap =
            KitImages::pixmap(image, size, painter->device()->devicePixelRatioF());
        const QRect target(option.rect.center() - QPoint(size.width() / 2, size.height() / 2),
                           size);
        painter->drawPixmap(target, pixmap);
    }
};

} // namespace

DowndLoadOutLineView::DowndLoadOutLineView(QWidget* parent) : QTreeView(parent)
{
    setItemDelegate(new ImageColumnDelegate(this));
    setHeaderHidden(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true); // lets the view skip measuring a million rows
    setFrameShape(QFrame::NoFrame);
    setAllColumnsShowFocus(false);
    setFocusPolicy(Qt::StrongFocus);
    setAnimated(false);
    setIconSize(QSize(16, 16));
    // The boxes stay in one column at the left; the branches and the indentation go with the
    // names.
    setTreePosition(DownloadsTreeModel::NameColumn);
    setSelectionBehavior(QAbstractItemView::SelectRows); // repaints whole rows as the row moves
    // The rows' light stripes lie over an opaque base, so nothing behind the translucent
    // window shows through the names.
    viewport()->setAutoFillBackground(true);
}

void DowndLoadOutLineView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    // Row parity counts visible rows from the top of the tree, as a flat list would.
    const int visualRow =
        option.rect.top() / std::max(1, rowHeight(index)) + verticalScrollBar()->value();
    QColor fill = palette().color(visualRow % 2 == 0 ? QPalette::Base : QPalette::AlternateBase);
    fill.setAlphaF(visualRow % 2 == 0 ? 0.6f : 0.2f);
    painter->fillRect(option.rect, fill);
    QColor keyboardRow = palette().color(QPalette::Highlight);
    keyboardRow.setAlphaF(0.12f);
    if (hasFocus() && index.row() == currentIndex().row() &&
        index.parent() == currentIndex().parent())
        painter->fillRect(option.rect, keyboardRow); // the keyboard's row
    QStyleOptionViewItem plain = option;
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QTreeView::drawRow(painter, plain, index);
}

void DowndLoadOutLineView::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton) {
        if (index.column() == DownloadsTreeModel::CheckBoxColumn)
            Q_EMIT checkBoxClicked(index);
        else if (index.column() == DownloadsTreeModel::OpenFinderColumn)
            Q_EMIT revealClicked(index);
    }
    QTreeView::mouseReleaseEvent(event);
}

void DowndLoadOutLineView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Space) {
            Q_EMIT checkBoxClicked(current.siblingAtColumn(DownloadsTreeModel::CheckBoxColumn));
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            Q_EMIT revealClicked(current.siblingAtColumn(DownloadsTreeModel::OpenFinderColumn));
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

void DowndLoadOutLineView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    viewport()->update(); // the keyboard's row shows only while the tree has the focus
}

void DowndLoadOutLineView::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

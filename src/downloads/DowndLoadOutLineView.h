#pragma once

#include <QTreeView>

// The Downloads tree: rows in alternating translucent whites with no selection highlight, a
// check-box column and a reveal column drawn from the kit's images, never editable, never
// sorted by column (the rows are always in size order). Clicks on the two image columns are
// reported; the window decides whether they may act. From the keyboard, the arrows move a
// current row (marked while the tree has the focus), Space ticks its box and Return reveals it.
class DowndLoadOutLineView : public QTreeView {
    Q_OBJECT
public:
    explicit DowndLoadOutLineView(QWidget* parent = nullptr);

Q_SIGNALS:
    void checkBoxClicked(const QModelIndex& index);
    void revealClicked(const QModelIndex& index);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

#include "disks/DiskTextFiledView.h"

#include <QPainter>
#include <QPainterPath>

DiskTextFiledView::DiskTextFiledView(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(6, 0, 6, 0);
    setStyleSheet(QStringLiteral("background: transparent; color: rgb(40, 44, 52);"));
}

void DiskTextFiledView::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tint;
    tint.addRoundedRect(QRectF(rect()), 6, 6);
    painter.fillPath(tint, QColor(0, 0, 0, 31));
}

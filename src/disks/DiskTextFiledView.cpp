#include "disks/DiskTextFiledView.h"

#include "kit/ColorScheme.h"

#include <QPainter>
#include <QPainterPath>

DiskTextFiledView::DiskTextFiledView(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(6, 0, 6, 0);
    ColorScheme::setStyleSheet(this, QStringLiteral("background: transparent;"));
}

void DiskTextFiledView::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tint;
    tint.addRoundedRect(QRectF(rect()), 6, 6);
    QColor tintColor =
        palette().color(QPalette::Text); // darkens a light field, lightens a dark one
    tintColor.setAlpha(31);
    painter.fillPath(tint, tintColor);
}

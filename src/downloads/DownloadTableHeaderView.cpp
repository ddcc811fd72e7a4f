#include "downloads/DownloadTableHeaderView.h"

#include "kit/Color.h"

#include <QPainter>

DownloadTableHeaderView::DownloadTableHeaderView(QWidget* parent) : QWidget(parent) {}

void DownloadTableHeaderView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(getColor(248, 248, 248, 0.3f));
    painter.drawRoundedRect(rect(), 6, 6);
    // 5 points above the foot of the strip, and a separator from there to 25 points up.
    const qreal foot = height() - 5;
    painter.setPen(QPen(getColor(0, 0, 0, 0.1f), 0.5));
    painter.drawLine(QPointF(0, foot), QPointF(528, foot));
    painter.setPen(QPen(getColor(0, 0, 0, 0.1f), 1));
    painter.drawLine(QPointF(kSeparatorX, foot), QPointF(kSeparatorX, foot - 20));
}

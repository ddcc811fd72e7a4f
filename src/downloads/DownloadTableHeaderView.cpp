#include "downloads/DownloadTableHeaderView.h"

#include <QPainter>

DownloadTableHeaderView::DownloadTableHeaderView(QWidget* parent) : QWidget(parent) {}

void DownloadTableHeaderView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor face = palette().color(QPalette::Button);
    face.setAlphaF(0.3f);
    painter.setBrush(face);
    painter.drawRoundedRect(rect(), 6, 6);
    // 5 points above the foot of the strip, and a separator from there to 25 points up.
    const qreal foot = height() - 5;
    QColor line = palette().color(QPalette::WindowText);
    line.setAlphaF(0.1f);
    painter.setPen(QPen(line, 0.5));
    painter.drawLine(QPointF(0, foot), QPointF(528, foot));
    painter.setPen(QPen(line, 1));
    painter.drawLine(QPointF(kSeparatorX, foot), QPointF(kSeparatorX, foot - 20));
}

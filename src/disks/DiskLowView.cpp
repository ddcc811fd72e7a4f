#include "disks/DiskLowView.h"

#include <QPainter>
#include <QPainterPath>

DiskLowView::DiskLowView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DiskLowView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(15, 0, 380, 112).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(card, palette().color(QPalette::Base)); // a card, as lists are
}

#include "app/LeftBgView.h"

#include "kit/Color.h"

LeftBgView::LeftBgView(QWidget* parent) : BackgroundView(getColor(242, 245, 249, 1), 8.0, parent) {}

void LeftBgView::drawBackground(QPainter& painter)
{
    // The strip squares off the right-hand corners of the rounded fill.
    fillArea(painter, QRectF(58, 0, 10, 600).intersected(rect()), 0);
    fillArea(painter, rect(), cornerRadius());
}

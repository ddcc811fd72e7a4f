#include "kit/BackgroundView.h"

#include <QPainter>

BackgroundView::BackgroundView(QWidget* parent) : QWidget(parent) {}

BackgroundView::BackgroundView(const QColor& color, qreal cornerRadius, QWidget* parent)
    : QWidget(parent), m_color(color), m_cornerRadius(cornerRadius)
{}

void BackgroundView::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void BackgroundView::setCornerRadius(qreal radius)
{
    m_cornerRadius = radius;
    update();
}

void BackgroundView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    drawBackground(painter);
}

void BackgroundView::drawBackground(QPainter& painter)
{
    fillArea(painter, rect(), m_cornerRadius);
}

void BackgroundView::fillArea(QPainter& painter, const QRectF& area, qreal radius) const
{
    const QColor fill = m_color.isValid() ? m_color : palette().color(backgroundRole());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    if (radius > 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawRoundedRect(area, radius, radius);
    } else {
        painter.fillRect(area, fill);
    }
    painter.restore();
}

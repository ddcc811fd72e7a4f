#include "kit/GXProgressView.h"

#include "kit/ColorScheme.h"

#include <QPainter>

#include <algorithm>

GXProgressView::GXProgressView(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMinimumHeight(6);
}

void GXProgressView::changeProgressValue(double percent)
{
    percent = std::clamp(percent, 0.0, 100.0);
    if (percent == m_value)
        return;
    m_value = percent;
    update();
}

void GXProgressView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF track(0, (height() - 6) / 2.0, width(), 6);
    const QPalette& colors = palette();
    painter.setBrush(
        ColorScheme::mix(colors.color(QPalette::Base), colors.color(QPalette::WindowText), 0.12));
    painter.drawRoundedRect(track, 3, 3);
    if (m_value > 0) {
        QRectF filled = track;
        filled.setWidth(std::max(6.0, track.width() * m_value / 100.0));
        painter.setBrush(colors.color(QPalette::Highlight));
        painter.drawRoundedRect(filled, 3, 3);
    }
}

#pragma once

#include "support/TestRegistry.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace kittest {

inline bool isNear(const QColor& a, const QColor& b, int tolerance = 12)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

// What the widget paints, over transparency: unlike grab(), no window background underneath.
inline QImage render(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// How many pixels of `image` inside `area` (all of it when null) are opaque and within
// `tolerance` of `color`.
inline int countNear(const QImage& image, const QColor& color, QRect area = {}, int tolerance = 12)
{
    int count = 0;
    area = area.isNull() ? image.rect() : area;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).alpha() > 200 &&
                     isNear(image.pixelColor(x, y), color, tolerance);
    return count;
}

} // namespace kittest

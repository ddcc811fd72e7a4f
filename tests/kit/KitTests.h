#pragma once

#include "support/TestRegistry.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace kittest {

// What the widget paints, over transparency: unlike grab(), no window background underneath.
inline QImage render(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// How many pixels of `image` are nearly opaque.
inline int opaqueCount(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 200;
    return count;
}

} // namespace kittest

#pragma once

#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <functional>

namespace kittest {

// The test classes of kit_tests add themselves here; main() runs each with QTest::qExec.
inline QList<std::function<int(int, char**)>>& tests()
{
    static QList<std::function<int(int, char**)>> all;
    return all;
}
template <typename Test> bool add()
{
    tests().append([](int argc, char** argv) {
        Test test;
        return QTest::qExec(&test, argc, argv);
    });
    return true;
}

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

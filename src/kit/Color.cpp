#include "kit/Color.h"

#include <algorithm>

QColor getColor(float red, float green, float blue, float alpha)
{
    const auto component = [](float value) {
        return std::clamp(value, 0.0f, 255.0f) / 255.0f;
    };
    return QColor::fromRgbF(component(red), component(green), component(blue),
                            std::clamp(alpha, 0.0f, 1.0f));
}

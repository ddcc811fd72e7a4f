#pragma once

#include <QColor>

// A colour from red, green and blue on a 0 to 255 scale and alpha from 0 to 1. Values outside
// those ranges are clamped. The colour is in sRGB, the colour space of every supported system.
QColor getColor(float red, float green, float blue, float alpha);

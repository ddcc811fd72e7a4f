#include "app/LeftBgView.h"

#include "kit/ColorScheme.h"

#include <QEvent>

LeftBgView::LeftBgView(QWidget* parent) : BackgroundView(parent)
{
    setCornerRadius(8.0);
    followPalette();
}

void LeftBgView::followPalette()
{
    // A shade apart from the window's background, darker in a light scheme and lighter in a dark
    // one.
    const QPalette& colors = palette();
    setColor(ColorScheme::mix(colors.color(QPalette::Window), colors.color(QPalette::WindowText),
                              ColorScheme::isDark(colors) ? 0.06 : 0.03));
}

void LeftBgView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    BackgroundView::changeEvent(event);
}

void LeftBgView::drawBackground(QPainter& painter)
{
    // The strip squares off the right-hand corners of the rounded fill.
    fillArea(painter, QRectF(58, 0, 10, 600).intersected(rect()), 0);
    fillArea(painter, rect(), cornerRadius());
}

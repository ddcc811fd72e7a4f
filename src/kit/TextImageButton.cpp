#include "kit/TextImageButton.h"

TextImageButton::TextImageButton(QWidget* parent) : ImageButton(parent)
{
    setStretchFace(true);
}

TextImageButton::TextImageButton(const QString& title, qreal fontSize, QWidget* parent)
    : TextImageButton(parent)
{
    setTitle(title);
    setFontSize(fontSize);
}

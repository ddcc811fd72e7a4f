#pragma once

#include "kit/ImageButton.h"

// A text button: a face image stretched over the whole button with its title centred on it.
// The faces (normal, pressed, hover, disabled) and the title are set as on ImageButton.
class TextImageButton : public ImageButton {
    Q_OBJECT
public:
    explicit TextImageButton(QWidget* parent = nullptr);
    TextImageButton(const QString& title, qreal fontSize, QWidget* parent = nullptr);
};

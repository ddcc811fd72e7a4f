#pragma once

#include "kit/ImageButton.h"

// An icon with its title to the right, both on the panel's background: the icon faces (normal,
// pressed, hover, disabled) are drawn at their own size, or smaller when the button is lower.
// The title is dark, turns to the accent colour while the button is hovered or pressed, and
// grey while it is disabled, unless a title colour is set.
class IconATextButton : public ImageButton {
    Q_OBJECT
public:
    explicit IconATextButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    int titleWidthHint() const override { return title().isEmpty() ? 0 : sizeHint().width(); }

protected:
    QRect faceRect() const override;
    QRect titleRect() const override;
    QColor automaticTitleColor(const QString& faceName) const override;

private:
    int iconExtent() const;
};

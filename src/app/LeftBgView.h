#pragma once

#include "kit/BackgroundView.h"

// The background of the panel's left column, a shade apart from the window's in the palette's
// scheme: rounded on the left, square where it meets the tab area.
class LeftBgView : public BackgroundView {
    Q_OBJECT
public:
    explicit LeftBgView(QWidget* parent = nullptr);

protected:
    void drawBackground(QPainter& painter) override;
    void changeEvent(QEvent* event) override;

private:
    void followPalette();
};

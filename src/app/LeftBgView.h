#pragma once

#include "kit/BackgroundView.h"

// The light background of the panel's left column: rounded on the left, square where it meets
// the tab area.
class LeftBgView : public BackgroundView {
    Q_OBJECT
public:
    explicit LeftBgView(QWidget* parent = nullptr);

protected:
    void drawBackground(QPainter& painter) override;
};

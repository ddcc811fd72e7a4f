#pragma once

#include <QWidget>

// The base of the popup windows: a frameless, translucent top-level window without its own
// background, which the user can drag by any part that does not take the mouse itself (the
// window manager does the move; without one, pressing the background does nothing).
//
// GUI thread only, like every widget.
class PopBaseWindow : public QWidget {
    Q_OBJECT
public:
    explicit PopBaseWindow(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

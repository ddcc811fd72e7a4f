#include "kit/PopBaseWindow.h"

#include <QMouseEvent>
#include <QWindow>

PopBaseWindow::PopBaseWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void PopBaseWindow::mousePressEvent(QMouseEvent* event)
{
    // Presses that no child took arrive here: they move the window, like a title bar.
    if (event->button() == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

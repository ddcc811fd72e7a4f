#pragma once

#include <QPoint>
#include <QPointF>
#include <QWidget>

// Told by a BaseWindow when the user clicked it without moving it.
class BaseWindowDelegate {
public:
    virtual ~BaseWindowDelegate() = default;
    virtual void openMainWindow() = 0;
};

// The small frameless, translucent launcher window. The user drags it with the left button
// anywhere on it; its top edge never rises above the top of the available area of the screen
// under the mouse. Where a drag ends is stored as the popup point (PublicUtilities), in screen
// coordinates of the window's top-left corner. A click that does not move it asks the
// baseWindowDelegate to open the main window. GUI thread only.
class BaseWindow : public QWidget {
    Q_OBJECT
public:
    explicit BaseWindow(QWidget* parent = nullptr);

    // Not owned; must outlive the window or be reset to nullptr.
    BaseWindowDelegate* baseWindowDelegate() const { return m_baseWindowDelegate; }
    void setBaseWindowDelegate(BaseWindowDelegate* delegate) { m_baseWindowDelegate = delegate; }

    bool isDragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void beginDrag(QMouseEvent* event, bool doubleClick);

    BaseWindowDelegate* m_baseWindowDelegate = nullptr;
    bool m_dragging = false;
    QPointF m_dragOffset;
    QPoint m_originAtPress;
};

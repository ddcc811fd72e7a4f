#pragma once

#include "kit/PopBaseWindow.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QPointer>

class QEventLoop;
class QScreen;
class QScrollArea;

// Optional listener of a StatusAttachedWindow. Both reports have empty defaults, so a listener
// overrides only what it wants.
class StatusAttachedWindowDelegate {
public:
    virtual ~StatusAttachedWindowDelegate() = default;
    // The mouse entered (true) or left (false) the window.
    virtual void mouseInWindow(bool inside) { Q_UNUSED(inside) }
    // The window stopped being the active window.
    virtual void isHiddenWindow() {}
};

// The one window kind of the program: a borderless, translucent window with rounded corners that
// hosts one view. It sizes itself around the view (viewMargin on every side, and arrowHeight more
// at the top, which stays transparent), paints its background once per size into an image, and
// ends its modal run when it closes, so runModal() returns as soon as the window is closed.
// Escape closes it, as every close does, unless a control inside takes the key first.
//
// The window carries its view's window title (QWidget::setWindowTitle on the view, also later),
// which window lists and screen readers show.
//
// The window always fits the available area of its screen, at every scale: a view larger than
// the area is moved into a scroll area (once; it stays there) and the window shrinks to the area,
// and every placement keeps the window inside the area.
//
// Ownership: create() reparents the view into the window; the caller owns the window (it is not
// deleted on close). GUI thread only.
class StatusAttachedWindow : public PopBaseWindow {
    Q_OBJECT
public:
    // Where the window hangs relative to its anchor point. Every size layout keeps the reserved
    // arrow strip at the top, so SideBelow is the side the arrow is drawn for.
    enum Side : unsigned {
        SideLeft = 0,
        SideBelow = 1, // centred horizontally under the point
        SideRight = 2,
        SideAbove = 3,
        SideAutomatic = 12, // below when it fits on the point's screen, else above
    };

    // A window around `view` anchored at `point`, which is in `window`'s coordinates when a window
    // is given and in screen coordinates otherwise. Returns nullptr without a view.
    static StatusAttachedWindow* create(QWidget* view, QPointF point, QWidget* window = nullptr,
                                        unsigned side = SideBelow, float distance = 5.0f);
    static StatusAttachedWindow* create(QWidget* view, QPointF point, unsigned side,
                                        float distance = 5.0f);
    ~StatusAttachedWindow() override;

    // Default colours for a system version (major * 100 + minor), from the palette's window
    // colour; they follow the window's palette until set.
    static QColor defaultBackgroundColor(int systemVersion, const QPalette& palette);
    static QColor defaultBorderColor(int systemVersion, const QPalette& palette);

    QWidget* view() const { return m_view; }
    QPointF point() const { return m_point; }
    unsigned side() const { return m_side; }
    float distance() const { return m_distance; }
    // The hosted view's frame in window coordinates.
    QRectF viewFrame() const { return m_viewFrame; }

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color)
    {
        m_ownBorderColor = true;
        changeDrawing(m_borderColor, color);
    }
    float borderWidth() const { return m_borderWidth; }
    void setBorderWidth(float width) { changeDrawing(m_borderWidth, width); }
    float viewMargin() const { return m_viewMargin; }
    void setViewMargin(float margin) { changeDrawing(m_viewMargin, margin); }
    float arrowBaseWidth() const { return m_arrowBaseWidth; }
    void setArrowBaseWidth(float width) { changeDrawing(m_arrowBaseWidth, width); }
    float arrowHeight() const { return m_arrowHeight; }
    void setArrowHeight(float height) { changeDrawing(m_arrowHeight, height); }
    bool hasArrow() const { return m_hasArrow; }
    void setHasArrow(bool hasArrow) { changeDrawing(m_hasArrow, hasArrow); }
    float cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(float radius) { changeDrawing(m_cornerRadius, radius); }
    // Without it, an arrow's edge gets square corners.
    bool drawsRoundCornerBesideArrow() const { return m_drawsRoundCornerBesideArrow; }
    void setDrawsRoundCornerBesideArrow(bool rounded)
    {
        changeDrawing(m_drawsRoundCornerBesideArrow, rounded);
    }
    QColor windowBackgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color)
    {
        m_ownBackgroundColor = true;
        changeDrawing(m_backgroundColor, color);
    }
    // Not owned; must outlive the window or be reset to nullptr.
    StatusAttachedWindowDelegate* mattachedWDelegate() const { return m_mattachedWDelegate; }
    void setMattachedWDelegate(StatusAttachedWindowDelegate* delegate);

    // Asks the compositor to blur what lies behind the window (any radius above 0 turns it on;
    // the X11 protocol has no radius). Does nothing on platforms without it.
    void setWindowBackgroundBlurRadius(int radius);

    // Centres the window on the available area of its screen. Under Wayland the compositor
    // places windows and this does nothing.
    void center();
    // `frame` moved the least distance that brings it inside `area`; a frame larger than the area
    // keeps its size and is aligned with the area's top-left corner.
    static QRect fitIntoArea(const QRect& frame, const QRect& area);
    // The scroll area around the view, or nullptr while the view fits its screen unscrolled.
    QScrollArea* scrollArea() const { return m_scrollArea; }
    // Shows the window in front with the keyboard focus. A Wayland compositor honours a client's
    // raise and activation requests at most with an activation token, so there a shown window
    // that is not active is unmapped and mapped again, which compositors put in front and focus
    // like a new window; its modal run survives that.
    void bringToFront();

    // Shows the window application-modal and returns once it has closed, been hidden or lost its
    // native window to another client (0), or at once with -1 when this window is already in a
    // modal run. Runs a nested event loop; the window may be deleted while it runs, but not by the
    // caller of runModal() before it returns. Minimising keeps the run.
    int runModal();
    bool isRunningModal() const { return m_modalLoop != nullptr; }

    // The background as last painted, and how often it has been painted (for tests).
    const QImage& backgroundImage() const { return m_backgroundImage; }
    int backgroundRebuildCount() const { return m_backgroundRebuildCount; }
    // The outline in window coordinates.
    QPainterPath backgroundPath() const;

public Q_SLOTS:
    // Ends this window's modal run, if one is active. Called by every close before it happens.
    void windowWillClose();

Q_SIGNALS:
    void aboutToClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    StatusAttachedWindow(QWidget* view, QPointF point, QWidget* window, unsigned side,
                         float distance);

    // Stores a drawing value; the geometry and the background follow at once.
    template <typename T> void changeDrawing(T& field, const T& value)
    {
        field = value;
        m_backgroundDirty = true;
        redisplay();
    }
    void redisplay();
    // Closes the window after another client destroyed its native window.
    void closeLostWindow();
    void updateGeometryAroundView();
    void placeAtPoint();
    // The screen the window is on, or, before it is shown, the one under its anchor point.
    QScreen* hostScreen() const;
    // The room for the view on the host screen's available area, around the margins and arrow.
    QSize roomForView() const;
    // The view's size as shown: its own, or less with scroll bars when `room` is too small.
    QSize shownViewSize(QSize viewSize, QSize room) const;
    // Moves the window the least distance that brings it inside its screen's available area.
    void keepOnScreen();
    void rebuildBackground();
    void applyBlur();

    QColor m_borderColor;
    float m_borderWidth = 0.5f;
    float m_viewMargin = 2.0f;
    float m_arrowBaseWidth = 15.0f;
    float m_arrowHeight = 10.0f;
    bool m_hasArrow = false;
    float m_cornerRadius = 8.0f;
    bool m_drawsRoundCornerBesideArrow = true;
    QColor m_backgroundColor;
    bool m_ownBorderColor = false;
    bool m_ownBackgroundColor = false;
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_window;
    QPointF m_point;
    unsigned m_side;
    float m_distance;
    QRectF m_viewFrame;
    QScrollArea* m_scrollArea = nullptr;
    bool m_resizing = false;
    StatusAttachedWindowDelegate* m_mattachedWDelegate = nullptr;

    int m_blurRadius = 0;
    QEventLoop* m_modalLoop = nullptr;
    bool m_remapping = false;
    QImage m_backgroundImage;
    bool m_backgroundDirty = true;
    int m_backgroundRebuildCount = 0;
};

#include "kit/StatusAttachedWindow.h"

#include "common/PublicUtilities.h"
#include "platform/x11/WindowSystem.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QtMath>

#include <algorithm>
#include <cmath>

StatusAttachedWindow* StatusAttachedWindow::create(QWidget* view, QPointF point, QWidget* window,
                                                   unsigned side, float distance)
{
    if (!view)
        return nullptr;
    return new StatusAttachedWindow(view, point, window, side, distance);
}

StatusAttachedWindow* StatusAttachedWindow::create(QWidget* view, QPointF point, unsigned side,
                                                   float distance)
{
    return create(view, point, nullptr, side, distance);
}

StatusAttachedWindow::StatusAttachedWindow(QWidget* view, QPointF point, QWidget* window,
                                           unsigned side, float distance)
    : m_view(view), m_window(window), m_point(point), m_side(side), m_distance(distance)
{
    setWindowOpacity(0.99);
    const int systemVersion = PublicUtilities::getSystemVersion();
    if (systemVersion >= 1010)
        setWindowBackgroundBlurRadius(400);
    m_backgroundColor = defaultBackgroundColor(systemVersion, palette());
    m_borderColor = defaultBorderColor(systemVersion, palette());

    view->setParent(this);
    setWindowTitle(view->windowTitle());
    view->show();
    updateGeometryAroundView();
    placeAtPoint();
    rebuildBackground();
    view->installEventFilter(this);
}

StatusAttachedWindow::~StatusAttachedWindow()
{
    if (m_modalLoop)
        m_modalLoop->exit(0);
    if (m_view)
        m_view->removeEventFilter(this);
}

QColor StatusAttachedWindow::defaultBackgroundColor(int systemVersion, const QPalette& palette)
{
    QColor color = palette.color(QPalette::Window);
    color.setAlphaF(systemVersion < 1009 ? 0.98f : 0.9f);
    return color;
}

QColor StatusAttachedWindow::defaultBorderColor(int systemVersion, const QPalette& palette)
{
    if (systemVersion >= 1016)
        return defaultBackgroundColor(systemVersion, palette);
    QColor color = palette.color(QPalette::Shadow);
    color.setAlphaF(0.3f);
    return color;
}

void StatusAttachedWindow::setMattachedWDelegate(StatusAttachedWindowDelegate* delegate)
{
    m_mattachedWDelegate = delegate;
}

QScreen* StatusAttachedWindow::hostScreen() const
{
    if (!isVisible()) {
        const QPointF anchor = m_window ? m_window->mapToGlobal(m_point) : m_point;
        if (QScreen* underAnchor = QGuiApplication::screenAt(anchor.toPoint()))
            return underAnchor;
    }
    return screen() ? screen() : QGuiApplication::primaryScreen();
}

QSize StatusAttachedWindow::roomForView() const
{
    const QScreen* target = hostScreen();
    if (!target)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return target->availableGeometry().size() -
           QSize(qCeil(2 * m_viewMargin), qCeil(2 * m_viewMargin + m_arrowHeight));
}

QSize StatusAttachedWindow::shownViewSize(QSize viewSize, QSize room) const
{
    if (!m_scrollArea)
        return viewSize;
    // A scroll bar takes room across the other direction, which may call for the other bar.
    const int bar = m_scrollArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                       m_scrollArea->verticalScrollBar());
    bool vertical = viewSize.height() > room.height();
    const bool horizontal = viewSize.width() + (vertical ? bar : 0) > room.width();
    vertical = vertical || (horizontal && viewSize.height() + bar > room.height());
    return QSize(std::min(viewSize.width() + (vertical ? bar : 0), room.width()),
                 std::min(viewSize.height() + (horizontal ? bar : 0), room.height()))
        .expandedTo(QSize(1, 1));
}

void StatusAttachedWindow::updateGeometryAroundView()
{
    const QSize viewSize = m_view ? m_view->size() : QSize();
    const QSize room = roomForView();
    if (m_view && !m_scrollArea &&
        (viewSize.width() > room.width() || viewSize.height() > room.height())) {
        // The view keeps its own size; the scroll area shows what the screen has room for.
        m_scrollArea = new QScrollArea(this);
        m_scrollArea->setFrameShape(QFrame::NoFrame);
        m_scrollArea->setFocusPolicy(Qt::NoFocus);
        m_scrollArea->setAutoFillBackground(false);
        m_scrollArea->viewport()->setAutoFillBackground(false);
        const bool viewFills = m_view->autoFillBackground();
        m_scrollArea->setWidget(m_view);
        m_view->setAutoFillBackground(viewFills); // setWidget() turns it on
        m_scrollArea->show();
    }
    const QSizeF shown(shownViewSize(viewSize, room));
    m_viewFrame = QRectF(QPointF(m_viewMargin, m_arrowHeight + m_viewMargin), shown);
    resize(qRound(shown.width() + 2 * m_viewMargin),
           qRound(shown.height() + 2 * m_viewMargin + m_arrowHeight));
    if (m_scrollArea)
        m_scrollArea->setGeometry(m_viewFrame.toRect());
    else if (m_view)
        m_view->move(m_viewFrame.topLeft().toPoint());
}

QRect StatusAttachedWindow::fitIntoArea(const QRect& frame, const QRect& area)
{
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return QRect(QPoint(x, y), frame.size());
}

void StatusAttachedWindow::keepOnScreen()
{
    if (const QScreen* target = hostScreen())
        move(fitIntoArea(geometry(), target->availableGeometry()).topLeft());
}

void StatusAttachedWindow::placeAtPoint()
{
    const QPointF anchor = m_window ? m_window->mapToGlobal(m_point) : m_point;
    const qreal w = width();
    const qreal h = height();
    if (m_side == SideAutomatic) {
        const QScreen* screen = QGuiApplication::screenAt(anchor.toPoint());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const bool fitsBelow =
            !screen || anchor.y() + m_distance + h <= screen->availableGeometry().bottom() + 1;
        m_side = fitsBelow ? SideBelow : SideAbove;
    }
    const qreal halfWidth = static_cast<float>(w * 0.5);
    QPointF origin;
    switch (m_side) {
    case SideLeft:
        origin = QPointF(anchor.x() - m_distance - w, anchor.y() - h * 0.5);
        break;
    case SideRight:
        origin = QPointF(anchor.x() + m_distance, anchor.y() - h * 0.5);
        break;
    case SideAbove:
        origin = QPointF(anchor.x() - halfWidth, anchor.y() - m_distance - h);
        break;
    default: // SideBelow and codes without a meaning of their own
        origin = QPointF(anchor.x() - halfWidth, anchor.y() + m_distance);
        break;
    }
    move(origin.toPoint());
    // An anchor off every screen (the dialogs' placeholder point) puts it on the window's screen.
    keepOnScreen();
}

QPainterPath StatusAttachedWindow::backgroundPath() const
{
    // The edges are aligned in bottom-up coordinates, single precision, then turned over: the
    // outline lies one unit inside the rectangle around the view.
    const float width = static_cast<float>(m_viewFrame.width()) + 2 * m_viewMargin;
    const float baseHeight = static_cast<float>(m_viewFrame.height()) + 2 * m_viewMargin;
    const float windowHeight = baseHeight + m_arrowHeight;
    const qreal left = std::ceil(0.5f);
    const qreal right = std::floor(width - 0.5f);
    const qreal top = windowHeight - std::floor(baseHeight - 0.5f);
    const qreal bottom = windowHeight - std::ceil(0.5f);

    const qreal radius =
        std::clamp<qreal>(m_cornerRadius, 0, std::min(right - left, bottom - top) / 2);
    const bool arrow = m_hasArrow && m_arrowHeight > 0;
    const qreal topRadius = arrow && !m_drawsRoundCornerBesideArrow ? 0 : radius;
    const qreal middle = (left + right) / 2;

    QPainterPath path;
    path.moveTo(left + topRadius, top);
    if (arrow) {
        path.lineTo(middle - m_arrowBaseWidth / 2, top);
        path.lineTo(middle, top - m_arrowHeight);
        path.lineTo(middle + m_arrowBaseWidth / 2, top);
    }
    path.lineTo(right - topRadius, top);
    path.arcTo(QRectF(right - 2 * topRadius, top, 2 * topRadius, 2 * topRadius), 90, -90);
    path.lineTo(right, bottom - radius);
    path.arcTo(QRectF(right - 2 * radius, bottom - 2 * radius, 2 * radius, 2 * radius), 0, -90);
    path.lineTo(left + radius, bottom);
    path.arcTo(QRectF(left, bottom - 2 * radius, 2 * radius, 2 * radius), 270, -90);
    path.lineTo(left, top + topRadius);
    path.arcTo(QRectF(left, top, 2 * topRadius, 2 * topRadius), 180, -90);
    path.closeSubpath();
    return path;
}

void StatusAttachedWindow::rebuildBackground()
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath path = backgroundPath();
        painter.setClipPath(path);
        painter.fillPath(path, m_backgroundColor);
        if (m_borderWidth > 0) {
            // Twice the width, clipped to the inside: only the inner half shows.
            QPen pen(m_borderColor, 2 * m_borderWidth);
            pen.setJoinStyle(Qt::RoundJoin);
            painter.strokePath(path, pen);
        }
    }
    m_backgroundImage = std::move(image);
    m_backgroundDirty = false;
    ++m_backgroundRebuildCount;
    update();
}

void StatusAttachedWindow::redisplay()
{
    if (m_resizing)
        return;
    m_resizing = true;
    setUpdatesEnabled(false);
    const QSize before = size();
    updateGeometryAroundView();
    // A shown window that grew stays on its screen; one not shown yet is placed by its caller.
    if (isVisible() && size() != before)
        keepOnScreen();
    if (m_backgroundDirty || m_backgroundImage.deviceIndependentSize() != QSizeF(size()))
        rebuildBackground();
    setUpdatesEnabled(true);
    m_resizing = false;
}

bool StatusAttachedWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        redisplay();
    if (watched == m_view && event->type() == QEvent::WindowTitleChange)
        setWindowTitle(m_view->windowTitle());
    // Another client destroying the native window shows here only as an unmap (the window
    // stops being exposed); an iconified window still exists and keeps its run.
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        !windowHandle()->isExposed() && isVisible() &&
        !WindowSystem::instance().nativeWindowExists(windowHandle()->winId()))
        QMetaObject::invokeMethod(this, &StatusAttachedWindow::closeLostWindow,
                                  Qt::QueuedConnection);
    return PopBaseWindow::eventFilter(watched, event);
}

void StatusAttachedWindow::resizeEvent(QResizeEvent* event)
{
    PopBaseWindow::resizeEvent(event);
    redisplay();
}

void StatusAttachedWindow::paintEvent(QPaintEvent*)
{
    if (m_backgroundImage.devicePixelRatio() != devicePixelRatioF())
        rebuildBackground(); // moved to a screen of another density
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_backgroundImage);
}

void StatusAttachedWindow::showEvent(QShowEvent* event)
{
    applyBlur();
    if (QWindow* native = windowHandle()) {
        native->removeEventFilter(this); // installed once, however often the window shows
        native->installEventFilter(this);
    }
    PopBaseWindow::showEvent(event);
}

void StatusAttachedWindow::hideEvent(QHideEvent* event)
{
    // A hidden window can no longer be closed by the user, and Qt does not always send a close
    // event to it: its modal run ends here. Minimising (a spontaneous hide) keeps the run.
    if (!event->spontaneous() && m_modalLoop && !m_remapping) {
        m_modalLoop->exit(0);
        m_modalLoop = nullptr;
    }
    PopBaseWindow::hideEvent(event);
}

void StatusAttachedWindow::changeEvent(QEvent* event)
{
    // Colours nobody set follow the palette (the desktop's colour scheme changing).
    if (event->type() == QEvent::PaletteChange) {
        const int systemVersion = PublicUtilities::getSystemVersion();
        if (!m_ownBackgroundColor)
            changeDrawing(m_backgroundColor, defaultBackgroundColor(systemVersion, palette()));
        if (!m_ownBorderColor)
            changeDrawing(m_borderColor, defaultBorderColor(systemVersion, palette()));
    }
    // The size follows the view, so the window is never maximised or full screen: a zoom
    // request leaves it where it was.
    constexpr Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & grown)) {
        const QRect normal = normalGeometry();
        setWindowState(windowState() & ~grown);
        if (normal.isValid())
            move(normal.topLeft());
        redisplay();
    }
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_mattachedWDelegate)
        m_mattachedWDelegate->isHiddenWindow();
    PopBaseWindow::changeEvent(event);
}

void StatusAttachedWindow::enterEvent(QEnterEvent* event)
{
    if (m_mattachedWDelegate)
        m_mattachedWDelegate->mouseInWindow(true);
    PopBaseWindow::enterEvent(event);
}

void StatusAttachedWindow::leaveEvent(QEvent* event)
{
    if (m_mattachedWDelegate)
        m_mattachedWDelegate->mouseInWindow(false);
    PopBaseWindow::leaveEvent(event);
}

void StatusAttachedWindow::closeEvent(QCloseEvent* event)
{
    windowWillClose();
    PopBaseWindow::closeEvent(event);
}

void StatusAttachedWindow::keyPressEvent(QKeyEvent* event)
{
    // Reaches here only when no control inside used the key (a view's own Escape shortcut runs
    // before it).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        close();
        return;
    }
    PopBaseWindow::keyPressEvent(event);
}

void StatusAttachedWindow::closeLostWindow()
{
    close();
    if (!isVisible())
        destroy(); // the next show creates a new native window
}

void StatusAttachedWindow::windowWillClose()
{
    if (m_modalLoop) {
        m_modalLoop->exit(0);
        m_modalLoop = nullptr;
    }
    Q_EMIT aboutToClose();
}

int StatusAttachedWindow::runModal()
{
    if (m_modalLoop)
        return -1;
    const Qt::WindowModality previous = windowModality();
    if (isVisible() && previous != Qt::ApplicationModal)
        hide(); // modality only takes effect when the window is shown
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();

    QEventLoop loop;
    m_modalLoop = &loop;
    const QPointer<StatusAttachedWindow> self(this);
    const int result = loop.exec(QEventLoop::DialogExec);
    if (self) {
        m_modalLoop = nullptr;
        setWindowModality(previous);
    }
    return result;
}

void StatusAttachedWindow::center()
{
    const QScreen* target = hostScreen();
    if (!target)
        return;
    const QRect area = target->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    keepOnScreen(); // a window larger than the area shows its top-left corner
}

void StatusAttachedWindow::bringToFront()
{
    if (isVisible() && !isActiveWindow() && !WindowSystem::instance().isX11()) {
        m_remapping = true;
        hide();
        m_remapping = false;
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void StatusAttachedWindow::setWindowBackgroundBlurRadius(int radius)
{
    m_blurRadius = radius;
    if (testAttribute(Qt::WA_WState_Created))
        applyBlur();
}

void StatusAttachedWindow::applyBlur()
{
    if (windowHandle())
        WindowSystem::instance().setBlurBehind(windowHandle(), m_blurRadius > 0);
}

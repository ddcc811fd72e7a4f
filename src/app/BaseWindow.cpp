#include "app/BaseWindow.h"

#include "common/NotificationCenter.h"
#include "common/PublicUtilities.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QScreen>

namespace {
Q_LOGGING_CATEGORY(lcBaseWindow, "corvella.basewindow")
}

BaseWindow::BaseWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void BaseWindow::beginDrag(QMouseEvent* event, bool doubleClick)
{
    m_dragging = true;
    m_dragOffset = event->globalPosition() - QPointF(pos());
    m_originAtPress = pos();
    qCInfo(lcBaseWindow, doubleClick ? "222" : "111");
    NotificationCenter::defaultCenter()->post(QStringLiteral("removeTableView"), this);
    event->accept();
}

void BaseWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    beginDrag(event, false);
}

void BaseWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    beginDrag(event, true);
}

void BaseWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    QPointF origin = event->globalPosition() - m_dragOffset;
    const QScreen* target = QGuiApplication::screenAt(event->globalPosition().toPoint());
    if (!target)
        target = screen();
    if (target && origin.y() < target->availableGeometry().top())
        origin.setY(target->availableGeometry().top());
    move(origin.toPoint());
    event->accept();
}

void BaseWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    event->accept();
    if (pos() != m_originAtPress) {
        // Once per drag: the settings file is rewritten whole on every write.
        PublicUtilities::writePopWindowPoint(QPointF(pos()));
    } else if (m_baseWindowDelegate) {
        m_baseWindowDelegate->openMainWindow(); // may close this window
    }
}

#include "app/MainBaseWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace {
constexpr QSizeF PanelSize(480, 600);
constexpr qreal CornerRadius = 8.0;
} // namespace

MainBaseWindow::MainBaseWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    resize(PanelSize.toSize());
    rebuildBackground();
}

void MainBaseWindow::rebuildBackground()
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Anchored at the bottom-left corner, so a taller window keeps it at the bottom.
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, height() - PanelSize.height()), PanelSize), CornerRadius,
                        CornerRadius);
    QColor tint = palette().color(QPalette::Window);
    tint.setAlphaF(0.1f);
    painter.fillPath(path, tint);
    painter.end();
    m_backgroundImage = std::move(image);
}

void MainBaseWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_backgroundImage.deviceIndependentSize() != QSizeF(size()))
        rebuildBackground();
}

void MainBaseWindow::paintEvent(QPaintEvent*)
{
    if (m_backgroundImage.devicePixelRatio() != devicePixelRatioF())
        rebuildBackground();
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_backgroundImage);
}

void MainBaseWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        rebuildBackground();
        update();
    }
    QWidget::changeEvent(event);
}

void MainBaseWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

#include "ScreenshotCanvas.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int margin = 40;

} // namespace

ScreenshotCanvas::ScreenshotCanvas(const QString& folder) : m_folder(folder)
{
    QDir().mkpath(folder);
}

bool ScreenshotCanvas::save(QWidget* window, const QString& fileName) const
{
    return save(window->grab().toImage(), fileName);
}

bool ScreenshotCanvas::save(const QImage& window, const QString& fileName) const
{
    return saveBare(overDesktop(window), fileName);
}

bool ScreenshotCanvas::saveBare(const QImage& image, const QString& fileName) const
{
    const QString path = m_folder + u'/' + fileName;
    if (!image.save(path)) {
        std::fprintf(stderr, "corvella-screenshots: cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return true;
}

QImage ScreenshotCanvas::overDesktop(const QImage& window)
{
    QImage canvas(window.size() + QSize(2 * margin, 2 * margin),
                  QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    QLinearGradient gradient(0, 0, canvas.width(), canvas.height());
    gradient.setColorAt(0, QColor(58, 96, 150));
    gradient.setColorAt(1, QColor(150, 84, 120));
    painter.fillRect(canvas.rect(), gradient);
    painter.drawImage(margin, margin, window);
    painter.end();
    return canvas;
}

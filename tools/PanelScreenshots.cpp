// Writes a PNG of the main panel on each tab, as the popup window draws it (translucent
// background, outline, the panel), laid over a desktop-like gradient so that the translucency
// shows:   panel-screenshots OUTPUT_FOLDER
#include "app/MainViewController.h"
#include "app/MyNSApplication.h"
#include "app/StatusAttachedWindow.h"
#include "platform/PowerService.h"
#include "platform/WindowSystem.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QTest>

#include <cstdio>

namespace {

// Screenshots never act on the machine.
class InertPowerService : public PowerService {
public:
    void request(PowerAction) override {}
};

QImage overDesktop(const QImage& window)
{
    QImage canvas(window.size() + QSize(80, 80), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    QLinearGradient gradient(0, 0, canvas.width(), canvas.height());
    gradient.setColorAt(0, QColor(58, 96, 150));
    gradient.setColorAt(1, QColor(150, 84, 120));
    painter.fillRect(canvas.rect(), gradient);
    painter.drawImage(40, 40, window);
    return canvas;
}

} // namespace

int main(int argc, char* argv[])
{
    MyNSApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: panel-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    InertPowerService power;
    auto* panel = new MainViewController(&power, &WindowSystem::instance());
    StatusAttachedWindow* window = StatusAttachedWindow::create(panel, QPointF(-3.0, 0.0));
    panel->setSuperDelegate(window);
    window->center();
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "panel-screenshots: the window was never shown\n");
        return 1;
    }
    for (const QString& identifier : MainViewController::tabIdentifiers()) {
        panel->changeTabWithidStr(identifier);
        QTest::qWait(50);
        const QImage image = window->grab().toImage();
        const QString path =
            folder + QStringLiteral("/panel-") + identifier + QStringLiteral(".png");
        if (!overDesktop(image).save(path)) {
            std::fprintf(stderr, "panel-screenshots: cannot write %s\n", qUtf8Printable(path));
            return 1;
        }
        std::printf("%s\n", qUtf8Printable(path));
    }
    delete window;
    return 0;
}

#include "kit/KitImages.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSet>
#include <QSvgRenderer>

#include <memory>

using namespace Qt::StringLiterals;

// The linker drops a static library's resources unless something refers to them, as this does.
// Q_INIT_RESOURCE must be used outside any namespace.
static void registerKitResources()
{
    Q_INIT_RESOURCE(images);
}

namespace {

void ensureResources()
{
    static const bool registered = (registerKitResources(), true);
    Q_UNUSED(registered)
}

// Warns about a missing name only the first time it is asked for.
bool checkExists(const QString& name)
{
    if (KitImages::contains(name))
        return true;
    static QSet<QString> reported;
    if (!reported.contains(name)) {
        reported.insert(name);
        qWarning("Image \"%s\" is not among the application's images", qUtf8Printable(name));
    }
    return false;
}

QSvgRenderer* rendererFor(const QString& name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto found = renderers.constFind(name);
    if (found != renderers.constEnd())
        return found->get();
    auto renderer = std::make_shared<QSvgRenderer>(KitImages::resourcePath(name));
    if (!renderer->isValid()) {
        qWarning("Image \"%s\" could not be read as SVG", qUtf8Printable(name));
        return nullptr;
    }
    renderers.insert(name, renderer);
    return renderer.get();
}

} // namespace

QString KitImages::resourcePath(const QString& name)
{
    return u":/images/"_s + name + u".svg"_s;
}

bool KitImages::contains(const QString& name)
{
    ensureResources();
    return !name.isEmpty() && QFileInfo::exists(resourcePath(name));
}

QStringList KitImages::names()
{
    ensureResources();
    static const QStringList all = [] {
        QStringList result;
        const QStringList files =
            QDir(u":/images"_s).entryList({u"*.svg"_s}, QDir::Files, QDir::Name);
        for (const QString& file : files)
            result.append(file.chopped(4));
        return result;
    }();
    return all;
}

QSize KitImages::defaultSize(const QString& name)
{
    if (!checkExists(name))
        return {};
    QSvgRenderer* renderer = rendererFor(name);
    return renderer ? renderer->defaultSize() : QSize();
}

QPixmap KitImages::pixmap(const QString& name, const QSize& size, qreal devicePixelRatio)
{
    if (!checkExists(name))
        return {};
    QSvgRenderer* renderer = rendererFor(name);
    if (!renderer)
        return {};
    const QSize logicalSize = size.isValid() ? size : renderer->defaultSize();
    if (logicalSize.isEmpty())
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;

    const QString key = u"corvella-kit/%1/%2x%3@%4"_s.arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(ratio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    QImage image((QSizeF(logicalSize) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    QPixmap result = QPixmap::fromImage(std::move(image));
    result.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, result);
    return result;
}

QIcon KitImages::icon(const QString& name)
{
    // Not kept in a static cache: pixmaps must not outlive the application object. Its pixmaps
    // come from the pixmap cache, so building it again is cheap.
    if (!checkExists(name))
        return {};
    const QSize own = defaultSize(name);
    if (own.isEmpty())
        return {};
    // Pixmaps at the common icon sizes (and the image's own size at 1x and 2x) keep small icons
    // sharp without relying on the SVG icon-engine plug-in being installed.
    QIcon result;
    const bool square = own.width() == own.height();
    const QList<QSize> sizes = square ? QList<QSize>{{16, 16}, {22, 22}, {24, 24},   {32, 32},
                                                     {48, 48}, {64, 64}, {128, 128}, {256, 256}}
                                      : QList<QSize>{own, own * 2};
    for (const QSize& size : sizes)
        result.addPixmap(pixmap(name, size));
    return result;
}

#include "kit/KitImages.h"

#include "kit/ColorScheme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QRegularExpression>
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

// Names the palette the artwork is drawn for: empty for a light one, which keeps the images'
// own colours.
QString schemeKey(const QPalette& palette)
{
    if (!ColorScheme::isDark(palette))
        return {};
    return palette.color(QPalette::Button).name() + palette.color(QPalette::WindowText).name();
}

// The image's source with its colours turned into the palette's (ColorScheme::artworkColor).
QByteArray recoloured(QByteArray source, const QPalette& palette)
{
    static const QRegularExpression colour(u"(fill|stroke)=\"(#[0-9A-Fa-f]{6})\""_s);
    QString text = QString::fromUtf8(source);
    // White over a saturated face (a glyph on a blue button) stays white.
    bool accent = false;
    for (const QRegularExpressionMatch& match : colour.globalMatch(text)) {
        const QColor hsl = QColor::fromString(match.capturedView(2)).toHsl();
        accent = accent || (match.capturedView(1) == u"fill" && hsl.hslSaturationF() > 0.4 &&
                            hsl.lightnessF() < 0.8);
    }
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : colour.globalMatch(text)) {
        const QColor mapped =
            ColorScheme::artworkColor(QColor::fromString(match.capturedView(2)), palette, accent);
        result += QStringView(text).sliced(last, match.capturedStart(2) - last);
        result += mapped.name();
        last = match.capturedEnd(2);
    }
    result += QStringView(text).sliced(last);
    return result.toUtf8();
}

// The application's logos keep their colours in every scheme.
bool isLogo(const QString& name)
{
    return name.startsWith(u"corvella"_s) || name.startsWith(u"top"_s) ||
           name.startsWith(u"com."_s);
}

QSvgRenderer* rendererFor(const QString& name)
{
    const QPalette palette = QApplication::palette();
    const QString scheme = isLogo(name) ? QString() : schemeKey(palette);
    const QString key = name + u'/' + scheme;
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto found = renderers.constFind(key);
    if (found != renderers.constEnd())
        return found->get();
    std::shared_ptr<QSvgRenderer> renderer;
    if (scheme.isEmpty()) {
        renderer = std::make_shared<QSvgRenderer>(KitImages::resourcePath(name));
    } else {
        QFile file(KitImages::resourcePath(name));
        const QByteArray source = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        renderer = std::make_shared<QSvgRenderer>(recoloured(source, palette));
    }
    if (!renderer->isValid()) {
        qWarning("Image \"%s\" could not be read as SVG", qUtf8Printable(name));
        return nullptr;
    }
    renderers.insert(key, renderer);
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

    const QString key = u"corvella-kit/%1/%2x%3@%4/%5"_s.arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(ratio)
                            .arg(schemeKey(QApplication::palette()));
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

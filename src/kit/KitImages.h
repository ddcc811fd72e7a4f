#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The application's artwork, looked up by name ("ic_task", "btn_sec_hover", ...). Every image is
// an SVG in the library's resources; pixmaps are rendered with QSvgRenderer at the size asked for
// and cached per name, size and device pixel ratio.
//
// A name that is not in the resources gives a null icon or pixmap and one warning per name; it
// never fails harder. The resources of the static library are registered on first use, so callers
// need no Q_INIT_RESOURCE of their own. GUI thread only (QPixmap, QPixmapCache).
class KitImages {
public:
    KitImages() = delete;

    static QIcon icon(const QString& name);
    // Renders the whole image stretched to `size` device-independent pixels; an invalid size
    // means the image's own size. An empty size gives a null pixmap.
    static QPixmap pixmap(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);
    static bool contains(const QString& name);
    // Every image name, sorted.
    static QStringList names();
    // The image's own size (its view box), or an invalid size for a missing name.
    static QSize defaultSize(const QString& name);
    // The resource path of an image (":/images/<name>.svg"), whether or not it exists.
    static QString resourcePath(const QString& name);
};

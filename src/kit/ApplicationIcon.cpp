#include "kit/ApplicationIcon.h"

#include "kit/KitImages.h"

#include <QFileInfo>

QIcon ApplicationIcon::of(const QString& image, const QIcon& fallback)
{
    QIcon icon;
    if (QFileInfo(image).isAbsolute())
        icon = QIcon(image);
    else if (!image.isEmpty())
        icon = QIcon::fromTheme(image);
    return icon.isNull() ? fallback : icon;
}

QIcon ApplicationIcon::of(const QString& image)
{
    QIcon icon = of(image, QIcon());
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("application-x-executable"),
                                KitImages::icon(QStringLiteral("ic_apps")));
    return icon;
}

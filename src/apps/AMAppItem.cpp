#include "apps/AMAppItem.h"

AMAppItem::AMAppItem() : date(QDateTime::currentDateTime()) {}

AMAppItem::AMAppItem(const QString& image, const QString& name, const QString& path,
                     const QString& bundleID, const QString& bundleVersion, const QDateTime& date,
                     const QString& isSystemAppStr, const QString& size)
    : image(image), name(name), path(path), bundleID(bundleID),
      isSystemApp(isSystemAppStr == u"YES"), bundleVersion(bundleVersion), date(date),
      isSystemAppStr(isSystemAppStr), size(size)
{}

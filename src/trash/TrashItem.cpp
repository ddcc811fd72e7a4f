#include "trash/TrashItem.h"

QString TrashItem::displayName() const
{
    const QByteArray& path = originalPath.isEmpty() ? name : originalPath;
    return QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
}

QString TrashItem::volume() const
{
    return topDirectory.isEmpty() ? QStringLiteral("Home") : QFile::decodeName(topDirectory);
}

#include "platform/NativePath.h"

#include <QList>

#include <unistd.h>

QByteArray NativePath::trimmed(const QByteArray& path)
{
    QByteArray result = path;
    while (result.size() > 1 && result.endsWith('/'))
        result.chop(1);
    return result;
}

bool NativePath::namesOneEntry(const QByteArray& path)
{
    const QByteArray trimmedPath = trimmed(path);
    const QByteArray last = fileName(trimmedPath);
    return !trimmedPath.isEmpty() && trimmedPath != "/" && last != "." && last != "..";
}

QByteArray NativePath::absolute(const QByteArray& path)
{
    QByteArray full = path;
    if (!full.startsWith('/')) {
        QByteArray folder(4096, '\0');
        while (::getcwd(folder.data(), std::size_t(folder.size())) == nullptr && errno == ERANGE)
            folder.resize(folder.size() * 2);
        full = QByteArray(folder.constData()) + '/' + path;
    }
    QList<QByteArray> parts;
    for (const QByteArray& part : full.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else {
            parts.append(part);
        }
    }
    return '/' + parts.join('/');
}

QByteArray NativePath::fileName(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray NativePath::parent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

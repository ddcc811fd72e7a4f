#include "downloads/SystemFolder.h"

#include "common/PropertyList.h"
#include "common/ShippedFiles.h"

#include <QMutex>
#include <QSet>
#include <QVariantMap>

#include <algorithm>

namespace {

QSet<QString> readList(const QString& file)
{
    QSet<QString> paths;
    const std::optional<QVariant> root = PropertyList::readFile(file);
    if (!root)
        return paths;
    const QVariantMap dictionary = root->toMap();
    // Keys run from "0" to count - 1; a missing key is no match.
    for (qsizetype index = 0; index < dictionary.size(); ++index) {
        const QVariant value = dictionary.value(QString::number(index));
        if (value.typeId() == QMetaType::QString)
            paths.insert(value.toString());
    }
    return paths;
}

} // namespace

bool SystemFolder::isSystemFileWithFilePath(const QString& path)
{
    return systemPaths().contains(path);
}

bool SystemFolder::holdsSystemFile(const QSet<QString>& paths, const QString& folder)
{
    const QString prefix = folder + u'/';
    return std::any_of(paths.cbegin(), paths.cend(),
                       [&prefix](const QString& path) { return path.startsWith(prefix); });
}

QSet<QString> SystemFolder::systemPaths()
{
    static QMutex mutex;
    static QString loadedFrom;
    static QSet<QString> paths;
    static bool loaded = false;

    QString file = qEnvironmentVariable("CORVELLA_SYSTEM_FILE_LIST");
    const QMutexLocker locker(&mutex);
    if (file.isEmpty() && !loaded)
        file = ShippedFiles::locate(QStringLiteral("SystemFile.plist"));
    else if (file.isEmpty())
        file = loadedFrom;
    if (!loaded || file != loadedFrom) {
        paths = readList(file);
        loadedFrom = file;
        loaded = true;
    }
    return paths;
}

#include "common/ShippedFiles.h"

#include "platform/xdg/XdgBaseFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// The folder of the running binary, read from /proc so that it works before (or without) a
// QCoreApplication.
QString executableFolder()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

} // namespace

QString ShippedFiles::locate(const QString& fileName)
{
    const QString folder = executableFolder();
    const QStringList candidates = {folder + u'/' + fileName,
                                    folder + QStringLiteral("/../share/corvella/") + fileName};
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).canonicalFilePath();
    }
    const XdgBaseFolders xdg;
    for (const QString& data : QStringList{xdg.dataHome()} + xdg.dataDirs()) {
        const QString candidate = data + QStringLiteral("/corvella/") + fileName;
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

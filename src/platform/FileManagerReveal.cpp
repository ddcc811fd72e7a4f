#include "platform/FileManagerReveal.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

QString FileManagerReveal::showItem(const QString& path, const QDBusConnection& bus)
{
    if (path.isEmpty())
        return QStringLiteral("There is no item to show.");
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    if (bus.isConnected() && bus.interface() &&
        (bus.interface()->isServiceRegistered(service).value() ||
         bus.interface()->activatableServiceNames().value().contains(service))) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                           service, QStringLiteral("ShowItems"));
        call << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
        if (bus.send(call))
            return {};
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {folder}))
        return QStringLiteral("Could not open the folder “%1”: xdg-open is not available.")
            .arg(folder);
    return {};
}

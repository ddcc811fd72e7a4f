#include "platform/desktop/FileManagerReveal.h"

#include "platform/desktop/DesktopOpener.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

QString FileManagerReveal::showItem(const QString& path, const QDBusConnection& bus,
                                    const QProcessEnvironment& environment)
{
    if (path.isEmpty())
        return QCoreApplication::translate("FileManagerReveal", "There is no item to show.");
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    QString managerError;
    if (bus.isConnected() && bus.interface() &&
        (bus.interface()->isServiceRegistered(service).value() ||
         bus.interface()->activatableServiceNames().value().contains(service))) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                           service, QStringLiteral("ShowItems"));
        call << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
        const QDBusMessage reply = bus.call(call, QDBus::Block, callTimeoutMs);
        if (reply.type() != QDBusMessage::ErrorMessage)
            return {};
        managerError = reply.errorMessage();
    }
    const QString folder = QFileInfo(path).absolutePath();
    const QString error = DesktopOpener::open(environment, folder);
    if (error.isEmpty())
        return {};
    if (managerError.isEmpty())
        return QCoreApplication::translate("FileManagerReveal",
                                           "“%1” could not be shown in the file manager. %2")
            .arg(path, error);
    return QCoreApplication::translate(
               "FileManagerReveal",
               "“%1” could not be shown in the file manager (it answered: %2). %3")
        .arg(path, managerError, error);
}

#include "platform/dbus/DesktopNotifier.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus) : m_bus(bus) {}

QString DesktopNotifier::notify(const QString& summary, const QString& body) const
{
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    if (!m_bus.isConnected()) {
        return QCoreApplication::translate(
                   "DesktopNotifier",
                   "No notification could be shown: there is no session bus (%1).")
            .arg(m_bus.lastError().message());
    }
    QDBusConnectionInterface* const bus = m_bus.interface();
    if (bus == nullptr || (!bus->isServiceRegistered(service).value() &&
                           !bus->activatableServiceNames().value().contains(service))) {
        return QCoreApplication::translate(
            "DesktopNotifier", "No notification could be shown: no notification service is running "
                               "on the session bus.");
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/Notifications"),
                                       service, QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the
    // server's default).
    call << QStringLiteral("Corvella") << 0u << QStringLiteral("com.brimwick.corvella") << summary
         << body << QStringList() << QVariantMap() << -1;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return QCoreApplication::translate(
                   "DesktopNotifier",
                   "No notification could be shown: the notification service answered "
                   "“%1”.")
            .arg(reply.errorMessage());
    }
    return {};
}

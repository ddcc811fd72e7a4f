#include "platform/dbus/SessionManagerPowerService.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusPendingCall>

namespace {

QString verb(PowerAction action)
{
    switch (action) {
    case PowerAction::PowerOff:
        return QCoreApplication::translate("SessionManagerPowerService", "shut down");
    case PowerAction::Reboot:
        return QCoreApplication::translate("SessionManagerPowerService", "restart");
    case PowerAction::LogOut:
        return QCoreApplication::translate("SessionManagerPowerService", "log out");
    case PowerAction::Suspend:
        break;
    }
    return QStringLiteral("sleep");
}

} // namespace

SessionManagerPowerService::SessionManagerPowerService(const QDBusConnection& bus, QObject* parent)
    : PowerService(parent), m_bus(bus)
{}

void SessionManagerPowerService::request(PowerAction action)
{
    const QString service = serviceName();
    if (action == PowerAction::Suspend) {
        QMetaObject::invokeMethod(
            this,
            [this, service] {
                Q_EMIT finished(
                    PowerAction::Suspend,
                    QCoreApplication::translate("SessionManagerPowerService",
                                                "The session manager (%1) does not put the "
                                                "computer to sleep.")
                        .arg(service));
            },
            Qt::QueuedConnection);
        return;
    }
    const auto describe = [service, action](const QDBusError& error) {
        const QString detail = error.message().isEmpty() ? error.name() : error.message();
        return QCoreApplication::translate("SessionManagerPowerService",
                                           "The desktop's session manager (%1) did not %2: %3")
            .arg(service, verb(action), detail);
    };
    watch(m_bus.asyncCall(callFor(action)), action, describe,
          [this, action](const QDBusMessage&) { Q_EMIT finished(action, QString()); });
}

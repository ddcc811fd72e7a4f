#include "platform/dbus/GnomeSessionPowerService.h"

namespace {

const QString serviceNameText = QStringLiteral("org.gnome.SessionManager");
const QString objectPath = QStringLiteral("/org/gnome/SessionManager");
const QString interfaceName = QStringLiteral("org.gnome.SessionManager");

} // namespace

QString GnomeSessionPowerService::serviceName() const
{
    return serviceNameText;
}

QDBusMessage GnomeSessionPowerService::callFor(PowerAction action) const
{
    switch (action) {
    case PowerAction::LogOut: {
        QDBusMessage call = QDBusMessage::createMethodCall(serviceNameText, objectPath,
                                                           interfaceName, QStringLiteral("Logout"));
        call << 0u; // normal: not forced, inhibitors count
        return call;
    }
    case PowerAction::Reboot:
        return QDBusMessage::createMethodCall(serviceNameText, objectPath, interfaceName,
                                              QStringLiteral("Reboot"));
    case PowerAction::PowerOff:
    case PowerAction::Suspend:
        break;
    }
    return QDBusMessage::createMethodCall(serviceNameText, objectPath, interfaceName,
                                          QStringLiteral("Shutdown"));
}

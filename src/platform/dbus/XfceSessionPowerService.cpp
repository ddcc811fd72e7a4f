#include "platform/dbus/XfceSessionPowerService.h"

namespace {

const QString serviceNameText = QStringLiteral("org.xfce.SessionManager");
const QString objectPath = QStringLiteral("/org/xfce/SessionManager");
const QString interfaceName = QStringLiteral("org.xfce.Session.Manager");

} // namespace

QString XfceSessionPowerService::serviceName() const
{
    return serviceNameText;
}

QDBusMessage XfceSessionPowerService::callFor(PowerAction action) const
{
    const bool allowSave = true;
    switch (action) {
    case PowerAction::LogOut: {
        const bool showDialog = true;
        QDBusMessage call = QDBusMessage::createMethodCall(serviceNameText, objectPath,
                                                           interfaceName, QStringLiteral("Logout"));
        call << showDialog << allowSave;
        return call;
    }
    case PowerAction::Reboot: {
        QDBusMessage call = QDBusMessage::createMethodCall(
            serviceNameText, objectPath, interfaceName, QStringLiteral("Restart"));
        call << allowSave;
        return call;
    }
    case PowerAction::PowerOff:
    case PowerAction::Suspend:
        break;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(serviceNameText, objectPath, interfaceName,
                                                       QStringLiteral("Shutdown"));
    call << allowSave;
    return call;
}

#include "platform/dbus/KsmServerPowerService.h"

namespace {

const QString serviceNameText = QStringLiteral("org.kde.ksmserver");
const QString objectPath = QStringLiteral("/KSMServer");
const QString interfaceName = QStringLiteral("org.kde.KSMServerInterface");

} // namespace

QString KsmServerPowerService::serviceName() const
{
    return serviceNameText;
}

QDBusMessage KsmServerPowerService::callFor(PowerAction action) const
{
    enum : int { confirmYes = 1, typeNone = 0, typeReboot = 1, typeHalt = 2, modeDefault = -1 };
    const int type = action == PowerAction::LogOut   ? typeNone
                     : action == PowerAction::Reboot ? typeReboot
                                                     : typeHalt;
    QDBusMessage call = QDBusMessage::createMethodCall(serviceNameText, objectPath, interfaceName,
                                                       QStringLiteral("logout"));
    call << int(confirmYes) << type << int(modeDefault);
    return call;
}

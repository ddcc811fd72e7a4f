#include "platform/dbus/KdeLogoutPromptPowerService.h"

namespace {

const QString serviceNameText = QStringLiteral("org.kde.LogoutPrompt");
const QString objectPath = QStringLiteral("/LogoutPrompt");
const QString interfaceName = QStringLiteral("org.kde.LogoutPrompt");

} // namespace

QString KdeLogoutPromptPowerService::serviceName() const
{
    return serviceNameText;
}

QDBusMessage KdeLogoutPromptPowerService::callFor(PowerAction action) const
{
    const QString member = action == PowerAction::LogOut   ? QStringLiteral("promptLogout")
                           : action == PowerAction::Reboot ? QStringLiteral("promptReboot")
                                                           : QStringLiteral("promptShutDown");
    return QDBusMessage::createMethodCall(serviceNameText, objectPath, interfaceName, member);
}

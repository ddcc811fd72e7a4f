#pragma once

#include "platform/dbus/SessionManagerPowerService.h"

// KDE's session server (ksmserver) of desktops without the logout greeter:
// logout(confirm, type, mode) with the confirmation shown and the mode left to the user's setting.
class KsmServerPowerService : public SessionManagerPowerService {
    Q_OBJECT
public:
    using SessionManagerPowerService::SessionManagerPowerService;

    QString serviceName() const override;

protected:
    QDBusMessage callFor(PowerAction action) const override;
};

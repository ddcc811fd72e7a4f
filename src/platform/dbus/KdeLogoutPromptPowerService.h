#pragma once

#include "platform/dbus/SessionManagerPowerService.h"

// Plasma's logout greeter: the same prompt as the desktop's own Leave menu; once the user
// confirms, ksmserver asks every application to save before the session ends.
class KdeLogoutPromptPowerService : public SessionManagerPowerService {
    Q_OBJECT
public:
    using SessionManagerPowerService::SessionManagerPowerService;

    QString serviceName() const override;

protected:
    QDBusMessage callFor(PowerAction action) const override;
};

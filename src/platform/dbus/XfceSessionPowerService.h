#pragma once

#include "platform/dbus/SessionManagerPowerService.h"

// Xfce's session manager (xfce4-session). Every call lets applications save (allow_save); logging
// out shows the desktop's own dialog.
class XfceSessionPowerService : public SessionManagerPowerService {
    Q_OBJECT
public:
    using SessionManagerPowerService::SessionManagerPowerService;

    QString serviceName() const override;

protected:
    QDBusMessage callFor(PowerAction action) const override;
};

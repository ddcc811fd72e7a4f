#pragma once

#include "platform/dbus/SessionManagerPowerService.h"

// GNOME's session manager (gnome-session, also MATE's). Logout mode 0 is the desktop's own
// "Log Out" (its dialog, applications may object); Shutdown and Reboot show the end-session
// dialog with the same rights for applications.
class GnomeSessionPowerService : public SessionManagerPowerService {
    Q_OBJECT
public:
    using SessionManagerPowerService::SessionManagerPowerService;

    QString serviceName() const override;

protected:
    QDBusMessage callFor(PowerAction action) const override;
};

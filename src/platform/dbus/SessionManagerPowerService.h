#pragma once

#include "platform/PowerService.h"

#include <QDBusConnection>
#include <QDBusMessage>

// PowerService through a desktop's session manager on the session bus. Logging out, shutting
// down and restarting go through it so that every application of the session is asked to save
// its work first, and the desktop may show its own confirmation. Putting the machine to sleep is
// not a session manager's business: request(Suspend) reports an error (DesktopPowerService sends
// it to logind).
//
// A refusal is reported as it is; nothing falls back to ending the session behind the desktop's
// back. Use from the thread that owns the object.
class SessionManagerPowerService : public PowerService {
    Q_OBJECT
public:
    explicit SessionManagerPowerService(const QDBusConnection& bus, QObject* parent = nullptr);

    // The well-known name the session manager owns on the session bus while it runs.
    virtual QString serviceName() const = 0;

    void request(PowerAction action) override;

protected:
    // The call that asks for `action`; never asked for Suspend.
    virtual QDBusMessage callFor(PowerAction action) const = 0;

private:
    QDBusConnection m_bus;
};

#pragma once

#include "platform/PowerService.h"

#include <QDBusConnection>
#include <QList>

class LogindPowerService;
class SessionManagerPowerService;

// The power actions as the running desktop performs them: logging out, shutting down and
// restarting go to the first session manager that runs on the session bus (GNOME, Plasma's
// logout greeter, ksmserver, Xfce, in that order), so that applications are asked to save their
// work; logind does them only where no session manager runs. Sleep always goes to logind.
//
// Which session manager runs is asked anew at every request, without blocking (NameHasOwner).
// Use from the thread that owns the object.
class DesktopPowerService : public PowerService {
    Q_OBJECT
public:
    explicit DesktopPowerService(const QDBusConnection& sessionBus = QDBusConnection::sessionBus(),
                                 const QDBusConnection& systemBus = QDBusConnection::systemBus(),
                                 QObject* parent = nullptr);

    void request(PowerAction action) override;

private:
    // Asks whether session manager `index` runs; sends `action` to it if so, else goes on.
    void probe(PowerAction action, qsizetype index);

    QDBusConnection m_sessionBus;
    QList<SessionManagerPowerService*> m_sessionManagers; // children, in order of preference
    LogindPowerService* m_logind = nullptr;               // child
};

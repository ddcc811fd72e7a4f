#pragma once

#include "platform/PowerService.h"

#include <QDBusConnection>
#include <QVariantList>

// PowerService through systemd-logind (org.freedesktop.login1 on the system bus). The actions
// are interactive: logind may ask polkit to authenticate the user instead of refusing.
//
// Logging out ends the caller's own session: the one named by XDG_SESSION_ID when it is set,
// otherwise the session logind finds for this process. Use from the thread that owns the object.
class LogindPowerService : public PowerService {
    Q_OBJECT
public:
    explicit LogindPowerService(const QDBusConnection& bus = QDBusConnection::systemBus(),
                                QObject* parent = nullptr);

    void request(PowerAction action) override;

private:
    void callManager(PowerAction action, const QString& method, const QVariantList& arguments);
    void terminateSessionAt(const QString& sessionPath);

    QDBusConnection m_bus;
};

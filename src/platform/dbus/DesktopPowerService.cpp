#include "platform/dbus/DesktopPowerService.h"

#include "platform/dbus/GnomeSessionPowerService.h"
#include "platform/dbus/KdeLogoutPromptPowerService.h"
#include "platform/dbus/KsmServerPowerService.h"
#include "platform/dbus/LogindPowerService.h"
#include "platform/dbus/XfceSessionPowerService.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

DesktopPowerService::DesktopPowerService(const QDBusConnection& sessionBus,
                                         const QDBusConnection& systemBus, QObject* parent)
    : PowerService(parent), m_sessionBus(sessionBus)
{
    m_sessionManagers = {new GnomeSessionPowerService(sessionBus, this),
                         new KdeLogoutPromptPowerService(sessionBus, this),
                         new KsmServerPowerService(sessionBus, this),
                         new XfceSessionPowerService(sessionBus, this)};
    m_logind = new LogindPowerService(systemBus, this);
    for (PowerService* service : std::as_const(m_sessionManagers))
        connect(service, &PowerService::finished, this, &PowerService::finished);
    connect(m_logind, &PowerService::finished, this, &PowerService::finished);
}

void DesktopPowerService::request(PowerAction action)
{
    if (action == PowerAction::Suspend || !m_sessionBus.isConnected()) {
        m_logind->request(action);
        return;
    }
    probe(action, 0);
}

void DesktopPowerService::probe(PowerAction action, qsizetype index)
{
    if (index >= m_sessionManagers.size()) {
        m_logind->request(action);
        return;
    }
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question << m_sessionManagers.at(index)->serviceName();
    auto* watcher = new QDBusPendingCallWatcher(m_sessionBus.asyncCall(question), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, action, index](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<bool> reply = *done;
                // A bus that cannot answer has no session manager to offer either.
                if (reply.isValid() && reply.value())
                    m_sessionManagers.at(index)->request(action);
                else
                    probe(action, index + 1);
            });
}

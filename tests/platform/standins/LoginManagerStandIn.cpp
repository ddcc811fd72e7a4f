#include "platform/standins/LoginManagerStandIn.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMutexLocker>

bool LoginManagerStandIn::handleMessage(const QDBusMessage& message,
                                        const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    const QMutexLocker locker(&m_mutex);
    m_calls.append({message.path(), message.interface(), message.member(), message.signature(),
                    message.arguments(), message.isInteractiveAuthorizationAllowed()});

    const QString member = message.member();
    const bool onManager =
        message.path() == path() && message.interface() == u"org.freedesktop.login1.Manager";
    const bool onSession =
        message.path() == sessionPath() && message.interface() == u"org.freedesktop.login1.Session";
    const QStringList answered{QStringLiteral("PowerOff"), QStringLiteral("Suspend"),
                               QStringLiteral("Reboot"), QStringLiteral("TerminateSession")};
    QDBusMessage reply;
    if (const auto refusal = m_refusals.constFind(member); refusal != m_refusals.cend()) {
        reply = message.createErrorReply(refusal->first, refusal->second);
    } else if (onManager && member == u"GetSessionByPID") {
        reply = message.createReply(QVariant::fromValue(QDBusObjectPath(sessionPath())));
    } else if ((onManager && answered.contains(member)) ||
               (onSession && (member == u"Terminate" || member == u"SetBrightness"))) {
        reply = message.createReply();
    } else {
        reply = message.createErrorReply(
            QDBusError::UnknownMethod,
            QStringLiteral("No such method “%1” on “%2”.").arg(member, message.path()));
    }
    connection.send(reply);
    return true;
}

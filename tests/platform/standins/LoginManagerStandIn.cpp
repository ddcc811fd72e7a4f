#include "platform/standins/LoginManagerStandIn.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMutexLocker>

void LoginManagerStandIn::refuse(const QString& member, const QString& errorName,
                                 const QString& errorMessage)
{
    const QMutexLocker locker(&m_mutex);
    m_refusals.insert(member, {errorName, errorMessage});
}

QList<LoginManagerStandIn::Call> LoginManagerStandIn::calls() const
{
    const QMutexLocker locker(&m_mutex);
    return m_calls;
}

QString LoginManagerStandIn::introspect(const QString&) const
{
    return {};
}

bool LoginManagerStandIn::handleMessage(const QDBusMessage& message,
                                        const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage) {
        return false;
    }
    const QMutexLocker locker(&m_mutex);
    m_calls.append({message.path(), message.interface(), message.member(), message.signature(),
                    message.arguments(), message.isInteractiveAuthorizationAllowed()});

    if (const auto refusal = m_refusals.constFind(message.member()); refusal != m_refusals.cend()) {
        connection.send(message.createErrorReply(refusal->first, refusal->second));
        return true;
    }

    const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
    const QString session = QStringLiteral("org.freedesktop.login1.Session");
    const QString member = message.member();
    if (message.path() == path() && message.interface() == manager) {
        if (member == u"GetSessionByPID") {
            connection.send(
                message.createReply(QVariant::fromValue(QDBusObjectPath(sessionPath()))));
            return true;
        }
        if (member == u"PowerOff" || member == u"Suspend" || member == u"Reboot" ||
            member == u"TerminateSession") {
            connection.send(message.createReply());
            return true;
        }
    }
    if (message.path() == sessionPath() && message.interface() == session &&
        member == u"Terminate") {
        connection.send(message.createReply());
        return true;
    }
    connection.send(message.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("No such method “%1” on “%2”.").arg(member, message.path())));
    return true;
}

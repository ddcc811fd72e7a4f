#include "platform/standins/SettingsPortalStandIn.h"

#include <QDBusVariant>
#include <QMutexLocker>

void SettingsPortalStandIn::releaseHeldReplies()
{
    const QMutexLocker locker(&m_mutex);
    for (const auto& [reply, connection] : std::as_const(m_heldReplies))
        connection.send(reply);
    m_heldReplies.clear();
}

void SettingsPortalStandIn::emitSettingChanged(const QDBusConnection& connection,
                                               const QString& settingNamespace, const QString& key,
                                               const QVariant& value)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(path(), interfaceName(), QStringLiteral("SettingChanged"));
    signal << settingNamespace << key << QVariant::fromValue(QDBusVariant(value));
    connection.send(signal);
}

bool SettingsPortalStandIn::handleMessage(const QDBusMessage& message,
                                          const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    const QMutexLocker locker(&m_mutex);
    m_members.append(message.member());
    const QDBusMessage reply = answer(message);
    if (m_holdingReplies)
        m_heldReplies.append({reply, connection});
    else
        connection.send(reply);
    return true;
}

QDBusMessage SettingsPortalStandIn::answer(const QDBusMessage& call) const
{
    const QString member = call.member();
    const bool known = call.interface() == interfaceName() &&
                       (member == u"Read" || (member == u"ReadOne" && !m_legacy));
    if (!known)
        return call.createErrorReply(QDBusError::UnknownMethod,
                                     QStringLiteral("No such method “%1”.").arg(member));
    const QVariantList arguments = call.arguments();
    const bool isColorScheme = arguments.size() == 2 &&
                               arguments.at(0).toString() == u"org.freedesktop.appearance" &&
                               arguments.at(1).toString() == u"color-scheme";
    if (!isColorScheme || !m_colorScheme)
        return call.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                                     QStringLiteral("Requested setting not found"));
    const QDBusVariant value(QVariant::fromValue(*m_colorScheme));
    if (member == u"Read")
        return call.createReply(QVariant::fromValue(QDBusVariant(QVariant::fromValue(value))));
    return call.createReply(QVariant::fromValue(value));
}

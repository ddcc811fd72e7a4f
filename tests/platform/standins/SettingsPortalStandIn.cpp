#include "platform/standins/SettingsPortalStandIn.h"

#include <QDBusVariant>
#include <QMutexLocker>

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
    connection.send(answer(message));
    return true;
}

QDBusMessage SettingsPortalStandIn::answer(const QDBusMessage& call) const
{
    const QString member = call.member();
    if (call.interface() != interfaceName() || member != u"ReadOne")
        return call.createErrorReply(QDBusError::UnknownMethod,
                                     QStringLiteral("No such method “%1”.").arg(member));
    const QVariantList arguments = call.arguments();
    const bool isColorScheme = arguments.size() == 2 &&
                               arguments.at(0).toString() == u"org.freedesktop.appearance" &&
                               arguments.at(1).toString() == u"color-scheme";
    if (!isColorScheme || !m_colorScheme)
        return call.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                                     QStringLiteral("Requested setting not found"));
    return call.createReply(QVariant::fromValue(QDBusVariant(QVariant::fromValue(*m_colorScheme))));
}

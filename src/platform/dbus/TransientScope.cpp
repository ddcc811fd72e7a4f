#include "platform/dbus/TransientScope.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QList>

namespace {

const QString managerService = QStringLiteral("org.freedesktop.systemd1");
const QString managerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString managerInterface = QStringLiteral("org.freedesktop.systemd1.Manager");
constexpr qsizetype unitNameLimit = 255;

// One (sv) of the unit's properties.
struct UnitProperty {
    QString name;
    QDBusVariant value;
};
// One (sa(sv)) auxiliary unit; none are sent, but the call's signature needs the type.
struct AuxiliaryUnit {
    QString name;
    QList<UnitProperty> properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const UnitProperty& property)
{
    argument.beginStructure();
    argument << property.name << property.value;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, UnitProperty& property)
{
    argument.beginStructure();
    argument >> property.name >> property.value;
    argument.endStructure();
    return argument;
}
QDBusArgument& operator<<(QDBusArgument& argument, const AuxiliaryUnit& unit)
{
    argument.beginStructure();
    argument << unit.name << unit.properties;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, AuxiliaryUnit& unit)
{
    argument.beginStructure();
    argument >> unit.name >> unit.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(UnitProperty)
Q_DECLARE_METATYPE(AuxiliaryUnit)

QString TransientScope::unitName(const QString& applicationId, qint64 processId)
{
    QString id = applicationId;
    if (id.endsWith(QStringLiteral(".desktop")))
        id.chop(8);
    const QString prefix = QStringLiteral("app-corvella-");
    const QString suffix = QStringLiteral("-%1.scope").arg(processId);
    QString escaped;
    for (const char byte : id.toUtf8()) {
        const auto code = static_cast<unsigned char>(byte);
        const bool plain = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') ||
                           (code >= '0' && code <= '9') || code == ':' || code == '_' ||
                           code == '.';
        const QString piece = plain ? QString(QLatin1Char(byte))
                                    : QStringLiteral("\\x%1").arg(uint(code), 2, 16, QChar(u'0'));
        if (prefix.size() + escaped.size() + piece.size() + suffix.size() > unitNameLimit)
            break;
        escaped += piece;
    }
    return prefix + escaped + suffix;
}

TransientScope::Result TransientScope::place(qint64 processId, const QString& applicationId,
                                             const QString& description, const QDBusConnection& bus)
{
    static const bool registered = [] {
        qDBusRegisterMetaType<UnitProperty>();
        qDBusRegisterMetaType<QList<UnitProperty>>();
        qDBusRegisterMetaType<AuxiliaryUnit>();
        qDBusRegisterMetaType<QList<AuxiliaryUnit>>();
        return true;
    }();
    Q_UNUSED(registered);
    Result result;
    if (processId <= 0 || !bus.isConnected() || !bus.interface())
        return result;
    // NameHasOwner, not a call to the manager: a missing manager must not be activated.
    if (!bus.interface()->isServiceRegistered(managerService).value())
        return result;

    const QList<UnitProperty> properties{
        {QStringLiteral("Description"), QDBusVariant(description)},
        {QStringLiteral("PIDs"), QDBusVariant(QVariant::fromValue(QList<uint>{uint(processId)}))},
        // The manager forgets a scope whose application failed instead of keeping it listed.
        {QStringLiteral("CollectMode"), QDBusVariant(QStringLiteral("inactive-or-failed"))},
    };
    QDBusMessage call = QDBusMessage::createMethodCall(
        managerService, managerPath, managerInterface, QStringLiteral("StartTransientUnit"));
    call << unitName(applicationId, processId) << QStringLiteral("fail")
         << QVariant::fromValue(properties) << QVariant::fromValue(QList<AuxiliaryUnit>{});
    const QDBusMessage reply = bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        result.error = QStringLiteral("The service manager did not make a scope for process %1: "
                                      "%2")
                           .arg(processId)
                           .arg(reply.errorMessage());
        return result;
    }
    result.placed = true;
    return result;
}

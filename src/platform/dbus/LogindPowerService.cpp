#include "platform/dbus/LogindPowerService.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

#include <unistd.h>

namespace {

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");

QString describe(const QDBusError& error)
{
    const QString detail = error.message().isEmpty() ? error.name() : error.message();
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
        return QCoreApplication::translate(
                   "LogindPowerService",
                   "The login manager (org.freedesktop.login1) is not running, so the "
                   "power request could not be sent: %1")
            .arg(detail);
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        return QCoreApplication::translate(
                   "LogindPowerService",
                   "The power request could not be sent because the system bus is not "
                   "reachable: %1")
            .arg(detail);
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return QCoreApplication::translate("LogindPowerService",
                                           "The login manager did not answer the power request: %1")
            .arg(detail);
    default:
        if (error.name().startsWith(u"org.freedesktop.DBus.Error.Spawn.")) {
            return QCoreApplication::translate(
                       "LogindPowerService",
                       "The login manager (org.freedesktop.login1) could not be "
                       "started, so the power request could not be sent: %1")
                .arg(detail);
        }
        return QCoreApplication::translate("LogindPowerService",
                                           "The power request was refused: %1")
            .arg(detail);
    }
}

} // namespace

LogindPowerService::LogindPowerService(const QDBusConnection& bus, QObject* parent)
    : PowerService(parent), m_bus(bus)
{}

void LogindPowerService::request(PowerAction action)
{
    switch (action) {
    case PowerAction::PowerOff:
        callManager(action, QStringLiteral("PowerOff"), {true});
        return;
    case PowerAction::Suspend:
        callManager(action, QStringLiteral("Suspend"), {true});
        return;
    case PowerAction::Reboot:
        callManager(action, QStringLiteral("Reboot"), {true});
        return;
    case PowerAction::LogOut:
        break;
    }

    const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
    if (!sessionId.isEmpty()) {
        callManager(action, QStringLiteral("TerminateSession"), {sessionId});
        return;
    }
    QDBusMessage lookup = QDBusMessage::createMethodCall(
        loginService, managerPath, managerInterface, QStringLiteral("GetSessionByPID"));
    lookup << static_cast<uint>(::getpid());
    watch(m_bus.asyncCall(lookup), action, describe, [this](const QDBusMessage& reply) {
        const QList<QVariant> arguments = reply.arguments();
        const QString path = arguments.isEmpty()
                                 ? QString()
                                 : qvariant_cast<QDBusObjectPath>(arguments.constFirst()).path();
        if (path.isEmpty()) {
            Q_EMIT finished(
                PowerAction::LogOut,
                QCoreApplication::translate("LogindPowerService",
                                            "The login manager named no session for this program, "
                                            "so there is no session to log out of."));
            return;
        }
        terminateSessionAt(path);
    });
}

void LogindPowerService::callManager(PowerAction action, const QString& method,
                                     const QVariantList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(loginService, managerPath, managerInterface, method);
    call.setArguments(arguments);
    call.setInteractiveAuthorizationAllowed(true);
    watch(m_bus.asyncCall(call), action, describe,
          [this, action](const QDBusMessage&) { Q_EMIT finished(action, QString()); });
}

void LogindPowerService::terminateSessionAt(const QString& sessionPath)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(
        loginService, sessionPath, sessionInterface, QStringLiteral("Terminate"));
    watch(m_bus.asyncCall(call), PowerAction::LogOut, describe,
          [this](const QDBusMessage&) { Q_EMIT finished(PowerAction::LogOut, QString()); });
}

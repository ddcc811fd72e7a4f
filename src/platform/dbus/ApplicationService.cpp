#include "platform/dbus/ApplicationService.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.Application");
const QString kActivate = QStringLiteral("Activate");
const QString kActivateAction = QStringLiteral("ActivateAction");
const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
const QString kNotSupported = QStringLiteral("org.freedesktop.DBus.Error.NotSupported");

} // namespace

ApplicationService::ApplicationService(QString applicationId, QDBusConnection bus, Handler handler,
                                       QObject* parent)
    : QObject(parent), m_applicationId(std::move(applicationId)), m_bus(std::move(bus)),
      m_handler(std::move(handler))
{}

ApplicationService::~ApplicationService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(m_applicationId);
    m_bus.unregisterObject(objectPath(m_applicationId));
}

QString ApplicationService::objectPath(const QString& applicationId)
{
    QString path = u'/' + applicationId;
    path.replace(u'.', u'/').replace(u'-', u'_');
    return path;
}

bool ApplicationService::registerService(QString* error)
{
    if (!m_bus.isConnected()) {
        *error = QStringLiteral("There is no session bus: %1").arg(m_bus.lastError().message());
        return false;
    }
    if (!m_bus.registerObject(objectPath(m_applicationId), this,
                              QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("Could not export %1 on the session bus.")
                     .arg(objectPath(m_applicationId));
        return false;
    }
    const auto reply = m_bus.interface()->registerService(
        m_applicationId, QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        m_bus.unregisterObject(objectPath(m_applicationId));
        *error = reply.isValid() ? QStringLiteral("Another process owns %1.").arg(m_applicationId)
                                 : reply.error().message();
        return false;
    }
    m_registered = true;
    return true;
}

bool ApplicationService::nameHasOtherOwner() const
{
    if (!m_bus.isConnected() || m_registered)
        return false;
    return m_bus.interface()->isServiceRegistered(m_applicationId).value();
}

QString ApplicationService::forward(const QDBusConnection& bus, const QString& applicationId,
                                    const ActivationRequest& request, int timeoutMs)
{
    const bool plain = request.action.isEmpty();
    QDBusMessage call = QDBusMessage::createMethodCall(
        applicationId, objectPath(applicationId), kInterface, plain ? kActivate : kActivateAction);
    if (plain) {
        call << request.platformData();
    } else {
        QVariantList parameter;
        if (!request.target.isEmpty())
            parameter.append(QVariant::fromValue(QDBusVariant(request.target)));
        call << request.action << parameter << request.platformData();
    }
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? QString() : reply.errorMessage();
}

void ApplicationService::Activate(const QVariantMap& platformData)
{
    ActivationRequest request;
    request.takeTokens(platformData);
    deliver(request);
}

void ApplicationService::ActivateAction(const QString& name, const QVariantList& parameter,
                                        const QVariantMap& platformData)
{
    ActivationRequest request;
    request.action = name;
    if (!parameter.isEmpty()) {
        // The elements of "av" may arrive wrapped or already unwrapped.
        const QVariant& first = parameter.first();
        request.target = first.canConvert<QDBusVariant>()
                             ? first.value<QDBusVariant>().variant().toString()
                             : first.toString();
    }
    request.takeTokens(platformData);
    deliver(request);
}

void ApplicationService::Open(const QStringList& uris, const QVariantMap& platformData)
{
    Q_UNUSED(platformData);
    sendErrorReply(kNotSupported,
                   QStringLiteral("Corvella opens no files or folders (asked to open %1); use "
                                  "Activate or ActivateAction.")
                       .arg(uris.join(QStringLiteral(", "))));
}

void ApplicationService::deliver(const ActivationRequest& request)
{
    const QString refusal = m_handler ? m_handler(request) : QString();
    if (!refusal.isEmpty() && calledFromDBus())
        sendErrorReply(kInvalidArgs, refusal);
}

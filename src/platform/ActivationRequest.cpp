#include "platform/ActivationRequest.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kActivationToken = QStringLiteral("activation-token");
const QString kStartupId = QStringLiteral("desktop-startup-id");
const QString kAction = QStringLiteral("action");
const QString kTarget = QStringLiteral("target");

} // namespace

ActivationRequest ActivationRequest::fromEnvironment(const QString& action, const QString& target)
{
    return {action, target, qEnvironmentVariable("XDG_ACTIVATION_TOKEN"),
            qEnvironmentVariable("DESKTOP_STARTUP_ID")};
}

QVariantMap ActivationRequest::platformData() const
{
    QVariantMap data;
    if (!activationToken.isEmpty())
        data.insert(kActivationToken, activationToken);
    if (!startupId.isEmpty())
        data.insert(kStartupId, startupId);
    return data;
}

void ActivationRequest::takeTokens(const QVariantMap& platformData)
{
    activationToken = platformData.value(kActivationToken).toString();
    startupId = platformData.value(kStartupId).toString();
}

QByteArray ActivationRequest::toLine() const
{
    QJsonObject object = QJsonObject::fromVariantMap(platformData());
    object.insert(kAction, action);
    object.insert(kTarget, target);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<ActivationRequest> ActivationRequest::fromLine(const QByteArray& line)
{
    if (line.trimmed() == "reopen")
        return ActivationRequest{};
    const QJsonDocument document = QJsonDocument::fromJson(line);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    ActivationRequest request;
    request.action = object.value(kAction).toString();
    request.target = object.value(kTarget).toString();
    request.takeTokens(object.toVariantMap());
    return request;
}

#include "update/VersionChecker.h"

#include "common/PropertyList.h"
#include "common/SettingsStore.h"

#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

VersionChecker::VersionChecker(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!m_reply)
            return;
        m_abortReason =
            tr("The update server did not answer within %1 seconds.").arg(timeoutMs / 1000);
        m_reply->abort();
    });
}

VersionChecker::~VersionChecker()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QString VersionChecker::refusal(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return tr("“%1” is not a web address.").arg(url.toString());
    if (url.scheme() == u"https")
        return {};
    if (url.scheme() == u"http") {
        const QString host = url.host();
        const QHostAddress address(host);
        if (host == u"localhost" || (!address.isNull() && address.isLoopback()))
            return {};
    }
    return tr("The version record is only fetched over https, and “%1” is not an "
              "https address.")
        .arg(url.toString());
}

QUrl VersionChecker::recordUrl()
{
    return QUrl(SettingsStore::standard().stringValue(QStringLiteral("IniURL")).trimmed());
}

QUrl VersionChecker::downloadUrl()
{
    return QUrl(SettingsStore::standard().stringValue(QStringLiteral("UpdateURL")).trimmed());
}

qint32 VersionChecker::shippedBuild()
{
    return VersionCheckResult::buildNumber(
        SettingsStore::standard().value(QStringLiteral("VersionCheck")));
}

QString VersionChecker::installedVersion()
{
    const QString version = SettingsStore::standard().stringValue(QStringLiteral("Version"));
    return version.isEmpty() ? QStringLiteral(CORVELLA_VERSION) : version;
}

void VersionChecker::getVersionChange()
{
    getVersionChange(recordUrl(), shippedBuild());
}

void VersionChecker::getVersionChange(const QUrl& url, qint32 shippedBuild)
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    ++m_generation;
    m_body.clear();
    m_abortReason.clear();
    m_shippedBuild = shippedBuild;
    if (url.isEmpty()) {
        finish(tr("No address is set for the version record (“IniURL” in the "
                  "settings file)."));
        return;
    }
    if (const QString refused = refusal(url); !refused.isEmpty()) {
        finish(refused);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    m_reply = m_network.get(request);
    QNetworkReply* reply = m_reply;
    // Without a bound, the network thread reads as fast as the server sends, however much that
    // is, before an abort reaches it.
    reply->setReadBufferSize(sizeLimit + 1);
    m_started.start();
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
        if (const QString refused = refusal(target); !refused.isEmpty()) {
            m_abortReason = tr("The update server sent the check elsewhere: %1").arg(refused);
            reply->abort();
            return;
        }
        Q_EMIT reply->redirectAllowed();
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > sizeLimit) {
            m_abortReason = tr("The version record is larger than %1 KiB, so it "
                               "was not read.")
                                .arg(sizeLimit / 1024);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        m_body += reply->read(sizeLimit + 1 - m_body.size());
        if (m_started.hasExpired(timeoutMs)) {
            // The timer may be late when data keeps coming; the limit holds all the same.
            m_abortReason =
                tr("The update server did not answer within %1 seconds.").arg(timeoutMs / 1000);
            reply->abort();
        } else if (m_body.size() > sizeLimit) {
            m_abortReason = tr("The version record is larger than %1 KiB, so it "
                               "was not read.")
                                .arg(sizeLimit / 1024);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &VersionChecker::settle);
    m_timer->start(timeoutMs);
}

void VersionChecker::settle()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_timer->stop();
    reply->disconnect(this);
    reply->deleteLater();
    m_reply = nullptr;
    if (!m_abortReason.isEmpty()) {
        finish(m_abortReason);
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        finish(tr("The version record could not be fetched from %1: %2")
                   .arg(reply->url().toString(), reply->errorString()));
        return;
    }
    if (reply->bytesAvailable() > 0)
        m_body += reply->read(sizeLimit + 1 - m_body.size());
    if (m_body.size() > sizeLimit) {
        finish(tr("The version record is larger than %1 KiB, so it was not read.")
                   .arg(sizeLimit / 1024));
        return;
    }
    QString problem;
    const std::optional<QVariant> record = PropertyList::parse(m_body, &problem);
    if (!record || record->typeId() != QMetaType::QVariantMap) {
        finish(tr("The version record from %1 could not be read: %2.")
                   .arg(reply->url().toString(),
                        record ? tr("it is not a property-list dictionary") : problem));
        return;
    }
    const VersionCheckResult result = VersionCheckResult::evaluate(record->toMap(), m_shippedBuild);
    if (result.outcome == VersionCheckResult::Outcome::Unreachable) {
        finish(result.reason);
        return;
    }
    Q_EMIT finished(result);
}

// Ends the check as Unreachable with the reason.
void VersionChecker::finish(const QString& reason)
{
    VersionCheckResult result;
    result.outcome = VersionCheckResult::Outcome::Unreachable;
    result.reason = reason;
    // Never from inside getVersionChange(): callers connect after starting.
    QMetaObject::invokeMethod(
        this,
        [this, result, generation = m_generation] {
            if (generation == m_generation)
                Q_EMIT finished(result);
        },
        Qt::QueuedConnection);
}

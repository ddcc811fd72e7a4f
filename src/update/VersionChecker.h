#pragma once

#include "update/VersionCheckResult.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkReply;
class QTimer;

// Fetches the published version record and compares it with the shipped build number.
//
// The record is fetched asynchronously by QNetworkAccessManager, so the calling thread's event
// loop keeps running; `finished` is emitted exactly once per check, on the thread that owns the
// checker. Only https addresses are fetched, and http ones on the loopback interface; redirects
// must follow the same rule. A check gives up after `timeoutMs` in all and refuses a record
// larger than `sizeLimit` bytes, whatever the server sends (no length, endless chunks, a slow
// drip), holding little more than that in memory. Either way, and when the record cannot be
// fetched or read or holds no build number, the outcome is Unreachable with a reason. A new
// check while one runs cancels the first, which then reports nothing.
class VersionChecker : public QObject {
    Q_OBJECT
public:
    static constexpr int timeoutMs = 5000;
    static constexpr qint64 sizeLimit = 64 * 1024;

    explicit VersionChecker(QObject* parent = nullptr);
    ~VersionChecker() override;

    // Starts a check of the record at `recordUrl` against `shippedBuild`.
    void getVersionChange(const QUrl& recordUrl, qint32 shippedBuild);
    // Starts a check with the settings file's "IniURL" and "VersionCheck".
    void getVersionChange();

    // Why an address may not be fetched, or empty when it may.
    static QString refusal(const QUrl& url);
    // The settings file's values.
    static QUrl recordUrl();
    static QUrl downloadUrl();
    static qint32 shippedBuild();
    static QString installedVersion();

Q_SIGNALS:
    void finished(const VersionCheckResult& result);

private:
    void finish(const QString& reason);
    void settle();

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_started;
    QByteArray m_body;
    QString m_abortReason;
    qint32 m_shippedBuild = 0;
    // Counts checks, so that an answer queued for a replaced check is dropped.
    quint64 m_generation = 0;
};

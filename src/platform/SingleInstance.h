#pragma once

#include "platform/ActivationRequest.h"

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user. The first copy listens on a local socket in the user's private
// folder (PrivateRuntimeFolder::path()); a later copy that finds it hands it its request (one
// line, ActivationRequest::toLine()) and should then exit. Where the session bus is there,
// ApplicationService meets first; this socket is the fallback.
//
// When that folder is refused (open to others, another user's, a link...), there is no safe place
// to meet: a socket or lock anywhere shared (/tmp, /, the abstract namespace) could be taken or
// answered by another user. Then nothing is created, the refusal is logged with the folder and the
// reason, and every copy runs as the only one, so two copies can run until the folder is mended.
//
// GUI thread (or any thread with an event loop) only.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: a stable identifier of the application, e.g. "com.brimwick.corvella".
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Whether another copy runs; if so it has been handed request. Otherwise this copy now
    // listens for later ones. A failure to listen, or a refused private folder, is logged, and
    // this copy runs on its own.
    bool anotherInstanceRuns(const ActivationRequest& request = ActivationRequest());

    // Empty when the private folder was refused.
    QString socketPath() const { return m_socketPath; }

Q_SIGNALS:
    // A later copy was started, with this request (a bare start: an empty action).
    void requestReceived(const ActivationRequest& request);

private:
    bool tellRunningInstance(const ActivationRequest& request);
    void listen();

    QString m_socketPath;
    QString m_refusal; // why there is no socket path
    QLocalServer* m_server = nullptr;
};

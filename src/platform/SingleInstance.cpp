#include "platform/SingleInstance.h"

#include "platform/PrivateRuntimeFolder.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

constexpr int kTimeoutMs = 2000;

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent)
{
    // The private per-user folder keeps other users from squatting on the name.
    const QString folder = PrivateRuntimeFolder::path(&m_refusal);
    if (!folder.isEmpty())
        m_socketPath = folder + u'/' + key + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherInstanceRuns(const ActivationRequest& request)
{
    if (m_socketPath.isEmpty()) {
        qWarning("Not looking for another running copy, nor listening for later ones: %s "
                 "This copy runs as the only copy.",
                 qUtf8Printable(m_refusal));
        return false;
    }
    // Two copies started together must not both decide they are first.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kTimeoutMs))
        qWarning("Could not lock %s; going on as the only copy", qUtf8Printable(lock.fileName()));
    if (tellRunningInstance(request))
        return true;
    listen();
    return false;
}

bool SingleInstance::tellRunningInstance(const ActivationRequest& request)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    socket.write(request.toLine());
    if (!socket.waitForBytesWritten(kTimeoutMs))
        return false;
    // Wait for the first copy to take the request before this one exits.
    socket.waitForReadyRead(kTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_socketPath); // a socket left by a copy that crashed
    if (!m_server->listen(m_socketPath)) {
        qWarning("Could not listen on %s: %s", qUtf8Printable(m_socketPath),
                 qUtf8Printable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (const auto request = ActivationRequest::fromLine(socket->readLine())) {
                    socket->write("ok\n");
                    Q_EMIT requestReceived(*request);
                }
            });
        }
    });
}

#pragma once

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// An HTTP server on 127.0.0.1, serving from the test thread's event loop: each path answers with
// its whole response as given, then closes; a path without one is accepted and never answered.
class LoopbackRecordServer : public QTcpServer {
public:
    LoopbackRecordServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray path = socket->readAll().split(' ').value(1);
                    if (!m_responses.contains(path))
                        return;
                    socket->write(m_responses.value(path));
                    socket->disconnectFromHost();
                });
            }
        });
    }
    void serve(const QByteArray& path, const QByteArray& response)
    {
        m_responses.insert(path, response);
    }
    QUrl url(const QByteArray& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort()) +
                    QString::fromLatin1(path));
    }

    // A 200 answer with this body and its length.
    static QByteArray ok(const QByteArray& body)
    {
        return "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    // A version record (build number, version and lines) as a property list.
    static QByteArray record(const QByteArray& entries)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
               entries + "</dict>\n</plist>\n";
    }

private:
    QHash<QByteArray, QByteArray> m_responses;
};

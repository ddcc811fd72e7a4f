#pragma once

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// An HTTP server on 127.0.0.1 for the version check: each path answers with its whole response
// (status line, headers and body, as given), then closes; a path without a response is accepted
// and never answered. Lives on the test's thread and serves from its event loop.
class LoopbackRecordServer : public QTcpServer {
public:
    LoopbackRecordServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->readAll();
                    const QByteArray path = request.split(' ').value(1);
                    if (!m_responses.contains(path))
                        return;
                    socket->write(m_responses.value(path));
                    socket->disconnectFromHost();
                });
            }
        });
    }

    // A 200 answer with this body; `declaredLength` adds a Content-Length header.
    void serve(const QByteArray& path, const QByteArray& body, bool declaredLength = true)
    {
        QByteArray head =
            "HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nConnection: close\r\n";
        if (declaredLength)
            head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        m_responses.insert(path, head + "\r\n" + body);
    }
    void serveRaw(const QByteArray& path, const QByteArray& response)
    {
        m_responses.insert(path, response);
    }
    QUrl url(const QByteArray& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort()) +
                    QString::fromLatin1(path));
    }

    // A version record: build number, version and lines, as a property list.
    static QByteArray record(const QByteArray& entries)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
               entries + "</dict>\n</plist>\n";
    }

private:
    QHash<QByteArray, QByteArray> m_responses;
};

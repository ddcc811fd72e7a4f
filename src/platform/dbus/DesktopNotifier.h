#pragma once

#include <QDBusConnection>
#include <QString>

// Shows desktop notifications through org.freedesktop.Notifications (the freedesktop.org Desktop
// Notifications service) as "Corvella" with the application's icon (com.brimwick.corvella),
// kept for the server's default time.
//
// notify() waits for the server's answer (at most callTimeoutMs), so it belongs on a worker
// thread or where a short wait does not matter. QDBusConnection is thread-safe, so any thread may
// call it.
class DesktopNotifier {
public:
    static constexpr int callTimeoutMs = 10000;

    explicit DesktopNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus());

    // Returns an error text, empty once the server accepted the notification. A server that is
    // not running is started by the bus when it is activatable.
    QString notify(const QString& summary, const QString& body) const;

private:
    QDBusConnection m_bus;
};

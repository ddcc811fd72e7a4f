#pragma once

#include <QDBusConnection>
#include <QString>

// Places a launched application in a transient systemd scope of its own,
// "app-corvella-<escaped application ID>-<PID>.scope", through the user's service manager
// (org.freedesktop.systemd1 on the session bus), as desktops do for what they launch. The
// application is then accounted, listed and ended apart from Corvella instead of inside
// Corvella's own unit. Where no service manager owns that name nothing is asked (and nothing is
// activated).
//
// place() waits for the manager's answer for at most callTimeoutMs: worker threads only.
// QDBusConnection is thread-safe, so any worker may call it.
class TransientScope {
public:
    static constexpr int callTimeoutMs = 5000;

    struct Result {
        bool placed = false; // the manager made the scope
        QString error;       // why a running manager refused; empty otherwise
    };

    TransientScope() = delete;

    // The unit name for a desktop-file ID ("org.example.Editor.desktop"; the suffix is dropped)
    // and the process: the ID's characters other than letters, digits, ':', '_' and '.' are
    // written as \xNN, and the name is kept within systemd's 255 characters.
    static QString unitName(const QString& applicationId, qint64 processId);

    static Result place(qint64 processId, const QString& applicationId, const QString& description,
                        const QDBusConnection& bus = QDBusConnection::sessionBus());
};

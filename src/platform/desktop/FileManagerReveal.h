#pragma once

#include <QDBusConnection>
#include <QProcessEnvironment>
#include <QString>

// Shows an item in the desktop's file manager: org.freedesktop.FileManager1.ShowItems on the
// session bus when a file manager owns that name or can be started for it, else (or when it
// answers with an error) opening the item's parent folder with xdg-open (DesktopOpener).
//
// Waits for the file manager's answer (at most callTimeoutMs) and watches xdg-open
// (DesktopOpener::watchMilliseconds): worker threads only.
class FileManagerReveal {
public:
    static constexpr int callTimeoutMs = 10000;

    FileManagerReveal() = delete;

    // Returns one sentence saying what failed and why, empty when the item is being shown.
    static QString
    showItem(const QString& path, const QDBusConnection& bus = QDBusConnection::sessionBus(),
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
};

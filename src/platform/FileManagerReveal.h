#pragma once

#include <QDBusConnection>
#include <QString>

// Shows an item in the desktop's file manager: org.freedesktop.FileManager1.ShowItems on the
// session bus, else opening the item's parent folder with xdg-open.
class FileManagerReveal {
public:
    FileManagerReveal() = delete;

    // Returns an error text, empty when a request went out.
    static QString showItem(const QString& path,
                            const QDBusConnection& bus = QDBusConnection::sessionBus());
};

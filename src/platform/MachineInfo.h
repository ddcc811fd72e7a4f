#pragma once

#include <QString>

// Facts about the machine read from the kernel's sysfs under a root folder ("/" on a running
// system, a fixture tree in tests). Every call reads the files anew; a missing or unreadable file
// gives the empty answer. Plain value type, safe on any thread.
class MachineInfo {
public:
    explicit MachineInfo(QString rootPath = QStringLiteral("/"));

    const QString& rootPath() const { return m_rootPath; }

    // The firmware's product name (sys/class/dmi/id/product_name), trimmed; empty when unknown.
    QString productName() const;

    // Whether the kernel offers a display backlight: some entry of sys/class/backlight has a
    // readable max_brightness above 0.
    bool hasBacklight() const;

private:
    QString m_rootPath;
};

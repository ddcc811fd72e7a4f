#pragma once

#include <QList>
#include <QMap>
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

    // One DMI attribute (sys/class/dmi/id/NAME: "sys_vendor", "product_version",
    // "product_serial", ...), trimmed; empty when missing or unreadable (the serial is root-only
    // on most systems).
    QString dmiAttribute(const QString& name) const;

    // The keys of etc/os-release (else usr/lib/os-release) with their values unquoted.
    QMap<QString, QString> osRelease() const;

    // The processor: the first "model name" of proc/cpuinfo, else the device-tree model
    // (proc/device-tree/model); empty when neither is known.
    QString processorName() const;
    // The first "cpu MHz" of proc/cpuinfo in hertz, 0 when unknown.
    quint64 processorFrequency() const;
    // The "processor" entries of proc/cpuinfo with their "apicid" (-1 when missing).
    QList<std::pair<int, int>> processorIdentifiers() const;

    // MemTotal of proc/meminfo in bytes, -1 when unknown.
    qint64 memoryTotal() const;

    // The display adapter of the first DRM card (sys/class/drm/cardN/device, name order): its
    // vendor and device named through the PCI ID database (usr/share/misc/pci.ids or
    // usr/share/hwdata/pci.ids under the root) where it lists them, else their numbers
    // ("0x8086 0x46a6"); empty without a card.
    QString graphicsAdapter() const;

    // Whether the kernel offers a display backlight: some entry of sys/class/backlight has a
    // readable max_brightness above 0.
    bool hasBacklight() const;

private:
    QString m_rootPath;
};

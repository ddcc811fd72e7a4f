#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The block devices the running system stands on, and the devices stacked on a block device
// (LVM and LUKS through the device mapper, md arrays). Read from sysfs and procfs under roots
// that tests point at fixture trees. Plain file reads: any thread.
class SystemBlockDevices {
public:
    struct Roots {
        QString sys = QStringLiteral("/sys");
        QString proc = QStringLiteral("/proc");
    };

    SystemBlockDevices() = delete;

    // Every device built on the block device with the kernel name `name` ("sdb1", "loop3") and,
    // in turn, every device built on those, as <sys>/class/block/NAME/holders lists them;
    // `name` itself is not listed.
    static QStringList holders(const QString& name,
                               const QString& sysRoot = QStringLiteral("/sys"));

    // The block devices beneath "/", the home folder and each active swap area, by kernel name,
    // each with what it carries ("/", "/home/ann", "swap /dev/dm-2"). A path's file system is
    // found by the device number the kernel gives its files, never by comparing path texts.
    static QHash<QString, QString> inUse(const QString& homePath, const Roots& roots);
};

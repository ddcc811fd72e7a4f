#pragma once

#include "disks/DVVolumeInfo.h"
#include "platform/devices/SystemBlockDevices.h"
#include "platform/devices/UDisksClient.h"

#include <QCoreApplication>
#include <QString>

// What may be done to a volume — rename, format, eject — each with the sentence that says why
// not. The one rule that the Disk Manager tab (its buttons), VolumesManager (its operations) and
// corvella-cli (`disks`, `disks rename|format|eject`) all ask, so that they never disagree.
//
// of() is a plain function of the record; readSystemFacts() reads udisks2's snapshot, sysfs and
// procfs, so it belongs on a worker thread. Any thread.
class VolumeCapabilities {
    Q_DECLARE_TR_FUNCTIONS(VolumeCapabilities)

public:
    struct Answer {
        bool allowed = false;
        QString reason; // why not, for the user; empty when allowed
    };

    Answer rename;
    Answer format;
    Answer eject;

    // The rule. Reads the record's kind, device, file system, mount point, eject flag and the
    // system facts it carries (a record without them is judged on its own fields); `homePath`
    // is the user's home folder when empty.
    static VolumeCapabilities of(const DVVolumeInfo& volume, const QString& homePath = QString());

    // Fills the record's system facts from udisks2's view of its disk: the mounts the system
    // needs on it and the stacked devices (LVM, LUKS, md) beneath "/", the home folder or swap.
    // Leaves them empty when udisks2 does not know the record's device.
    static void readSystemFacts(DVVolumeInfo* volume, const UDisksClient::Snapshot& snapshot,
                                const QString& homePath, const SystemBlockDevices::Roots& roots);

    // Why `block` (with its partitions) must not be erased because the running system stands
    // on it through stacked devices, or empty.
    static QString systemDependency(const UDisksClient::Block& block,
                                    const UDisksClient::Snapshot& snapshot, const QString& homePath,
                                    const SystemBlockDevices::Roots& roots);
};

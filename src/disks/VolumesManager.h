#pragma once

#include "disks/DVVolumeInfo.h"
#include "disks/VolumeCapabilities.h"
#include "platform/devices/MountHolders.h"
#include "platform/devices/SystemBlockDevices.h"
#include "platform/devices/UDisksClient.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// What an eject, rename or format came to: whether it was done, and the sentence for the user
// (what was done, or why not).
struct VolumeOperationOutcome {
    bool succeeded = false;
    QString message;
    QList<MountHolders::Holder> holders; // the processes that kept the volume busy, if any
};

// Ejects, renames and formats volumes through udisks2. Every operation waits for udisks2 (and
// possibly for the user's authentication), so it runs on a worker thread, never on the GUI thread.
// Names travel as D-Bus values: no shell ever sees them.
class VolumesManager {
    Q_DECLARE_TR_FUNCTIONS(VolumesManager)

public:
    // The format the confirmation dialog asked for, turned into what udisks2 is told.
    struct FormatRequest {
        QString type; // "exfat", "vfat" or "ext4"
        QString label;
        QString error; // why it cannot be done; the other fields are then empty
    };

    explicit VolumesManager(const UDisksClient& client = UDisksClient(),
                            const QString& homePath = QString(),
                            const SystemBlockDevices::Roots& roots = {});

    // Every operation first asks VolumeCapabilities and refuses with its reason.

    // Unmounts every mounted file system of the volume's drive, then ejects the medium, powers
    // the drive off where it can, or detaches a loop device.
    VolumeOperationOutcome ejectSingleVolume(const DVVolumeInfo& volume) const;

    // `guid` names the volume: a file-system UUID, a device node or a mount point. The name is
    // checked against the file system's limits first ("vfat" names are upper-cased); an empty
    // name changes nothing.
    VolumeOperationOutcome renameDiskWithGuid(const QString& guid, const QString& newName) const;

    // Erases the volume (mount point, device node or UUID) with a new file system of udisks2's
    // `type`, remounting it when it was mounted.
    VolumeOperationOutcome format(const QString& volume, const QString& type,
                                  const QString& label) const;

    // The dialog's choice ("ExFAT", "MS-DOS FAT32", "ext4", or empty for the volume's current
    // file system) for a volume whose file system is shown as `volumeType`: an NTFS volume is
    // always erased as "MS-DOS FAT32" named "NEW"; an empty name becomes "NEW"; an
    // "MS-DOS FAT32" name is upper-cased and cut to 11 characters.
    static FormatRequest formatRequest(const QString& volumeType, const QString& formatText,
                                       const QString& name);

    // VolumeCapabilities::systemDependency under this manager's home folder and roots.
    QString systemDependency(const UDisksClient::Block& block,
                             const UDisksClient::Snapshot& snapshot) const;
    // What may be done to `block` now, judged under this manager's home folder and roots.
    VolumeCapabilities capabilities(const UDisksClient::Block& block,
                                    const UDisksClient::Snapshot& snapshot) const;

private:
    VolumeOperationOutcome unmountWithoutService(const DVVolumeInfo& volume) const;
    VolumeOperationOutcome failure(const QString& action, const QString& name,
                                   const UDisksClient::Result& result,
                                   const QString& mountPoint) const;

    UDisksClient m_client;
    QString m_homePath;
    SystemBlockDevices::Roots m_roots;
};

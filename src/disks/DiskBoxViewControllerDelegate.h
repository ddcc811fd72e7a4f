#pragma once

#include "disks/DVVolumeInfo.h"

#include <QString>

// The listener of a disk box: the tab. Every report has an empty default.
class DiskBoxViewControllerDelegate {
public:
    virtual ~DiskBoxViewControllerDelegate() = default;
    // An eject ended; `reason` is the failure's explanation, empty on success.
    virtual void ejectButtonAction(const DVVolumeInfo& volume, bool isS, const QString& reason)
    {
        Q_UNUSED(volume)
        Q_UNUSED(isS)
        Q_UNUSED(reason)
    }
    virtual void renameButtonAction(const DVVolumeInfo& volume) { Q_UNUSED(volume) }
    virtual void formatButtonAction(const DVVolumeInfo& volume) { Q_UNUSED(volume) }
    // The box's dialogs are closed and nothing of it runs any more.
    virtual void boxBecameIdle() {}
};

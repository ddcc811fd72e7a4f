#pragma once

// The listener of the file-system choice popup: the confirmation dialog.
class FormatTypeVCDelegate {
public:
    virtual ~FormatTypeVCDelegate() = default;
    // The pointer left (true) or entered (false) the popup.
    virtual void mouseEixtView(bool exited) = 0;
    // A row was clicked: 0 "ExFAT", 1 "MS-DOS FAT32", 2 "ext4".
    virtual void selectFormatbyType(int type) = 0;
};

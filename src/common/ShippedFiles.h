#pragma once

#include <QString>

// Files shipped with the program (settings, lists): found next to the running binary in the
// build tree, in ../share/corvella beside it when installed, or in the XDG data folders
// ("corvella/<name>"). An empty string when none exists.
class ShippedFiles {
public:
    ShippedFiles() = delete;

    static QString locate(const QString& fileName);
};

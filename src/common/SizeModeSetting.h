#pragma once

#include "platform/fs/SizeMode.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>

// The size mode the user chose, shared by every window that shows sizes (the space finder's tree,
// the Trash window, the Empty Trash question and the "freed" figures), and its words.
//
// Stored in the settings under "SizeMode" as "apparent" or "disk-usage"; a missing or unknown
// value is Apparent. Any thread may call it.
class SizeModeSetting {
    Q_DECLARE_TR_FUNCTIONS(SizeModeSetting)
public:
    SizeModeSetting() = delete;

    static SizeMode load();
    // Returns false when the settings could not be written.
    static bool store(SizeMode mode);

    // "apparent" or "disk-usage": the settings value and the command line's JSON value.
    static QString key(SizeMode mode);
    // The switch's choices: "Apparent size", "Size on disk".
    static QString title(SizeMode mode);
    // A size that says which it is: "734.18 MB on disk", "734.18 MB apparent".
    static QString figure(std::int64_t bytes, SizeMode mode);
};

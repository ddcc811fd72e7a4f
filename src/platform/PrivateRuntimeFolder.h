#pragma once

#include <QString>

// The user's private folder for the program's run-time files (command output, the single-instance
// socket): $XDG_RUNTIME_DIR/corvella when XDG_RUNTIME_DIR names a folder owned by the user, else
// <temporary folder>/corvella-<uid>.
class PrivateRuntimeFolder {
public:
    // Created 0700 when missing. An existing one must be a real folder (not a link) owned by the
    // user with no permissions for group or others; otherwise it is refused: the answer is empty
    // and *error (when given) says why. Any thread.
    static QString path(QString* error = nullptr);
};

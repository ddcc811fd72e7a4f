#pragma once

#include <QByteArray>

// Paths as the kernel sees them: bytes, which need not be valid UTF-8. Code that changes files
// keeps paths in this form from the walk to the system call, so that decoding for display can
// never make it name another file.
class NativePath {
public:
    // The path without trailing slashes ("/" stays "/").
    static QByteArray trimmed(const QByteArray& path);
    // Whether the path, as given, names one entry: not empty, not "/", and its last component
    // is not "." or "..".
    static bool namesOneEntry(const QByteArray& path);
    // The path made absolute against the working folder and cleaned lexically ("//", "." and
    // ".." components folded, as QDir::cleanPath does for text).
    static QByteArray absolute(const QByteArray& path);
    // The last component of a trimmed path.
    static QByteArray fileName(const QByteArray& path);
    // The folder holding a trimmed absolute path ("/" for "/" and for entries of "/").
    static QByteArray parent(const QByteArray& path);
};

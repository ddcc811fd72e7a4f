#pragma once

#include <QByteArray>

// Paths as the kernel sees them: bytes, which need not be valid UTF-8. Code that changes files
// keeps paths in this form from the walk to the system call, so that decoding for display can
// never make it name another file.
//
// A path means what the kernel resolves, never what a text cleaning makes of it: with
// "link -> sub/inner", "link/../x" names "sub/x", not "./x". Nothing here folds ".." by text.
class NativePath {
public:
    // The path without trailing slashes ("/" stays "/").
    static QByteArray trimmed(const QByteArray& path);
    // Whether the path, as given, names one entry: not empty, not "/", and its last component
    // is not "." or "..".
    static bool namesOneEntry(const QByteArray& path);
    // Opens the folder holding the path's last component (O_PATH): the folder part is resolved
    // by the kernel, links and ".." included, so the descriptor is the folder the path names.
    // `name` gets the last component as given, never followed. -1 with errno on failure.
    // Works on the trimmed path; the caller closes the descriptor.
    static int openFolderPart(const QByteArray& path, QByteArray* name);
    // The absolute path of an open folder as the kernel knows it, or empty.
    static QByteArray folderPath(int descriptor);
    // The path made absolute as the kernel resolves it: the real path of its folder part, then
    // its last component as given (a link there stays the link). A path ending in "." or ".."
    // is the real path of the folder it names. Folders at the end of the folder part that do
    // not exist yet are kept as given; where the kernel cannot resolve the path at all, it is
    // the working folder and the path joined as they are, which the kernel reads alike.
    static QByteArray absolute(const QByteArray& path);
    // The last component of a trimmed path.
    static QByteArray fileName(const QByteArray& path);
    // The folder holding a trimmed absolute path ("/" for "/" and for entries of "/"), by text:
    // only for paths that hold no "." or ".." components.
    static QByteArray parent(const QByteArray& path);
    // folder + "/" + name, with one slash.
    static QByteArray child(const QByteArray& folder, const QByteArray& name);
};

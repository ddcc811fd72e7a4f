#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

// Small checks shared by the tree walks that remove or measure folders without following links.
class FolderAccess {
public:
    FolderAccess() = delete;

    // Whether two stat results describe the same file (device and inode).
    static bool sameFile(const struct stat& first, const struct stat& second);
    // Gives the owner read, write and search permission on the folder `name` in `parent`, as
    // examined in `status`. The mode is changed through an O_PATH descriptor checked against
    // status, so a folder swapped for a link or another folder in the meantime is left alone.
    static void grantOwnerAccess(int parent, const QByteArray& name, const struct stat& status);
    // Why the folder at `path` cannot be listed, as a sentence for the user; empty when it can
    // be opened for listing.
    static QString whyNotListable(const QString& path);
};

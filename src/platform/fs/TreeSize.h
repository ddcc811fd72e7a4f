#pragma once

#include <QByteArray>
#include <QSet>

#include <sys/types.h>
#include <utility>

class SizeMeter;

// Measures what erasing a tree would free, in logical sizes: the sum of st_size of everything in
// it that is not a folder (files, links, devices). The walk works on open folder descriptors with
// fstatat(AT_SYMLINK_NOFOLLOW), never follows a link, does not enter another file system mounted
// inside, and keeps a bounded number of folders open, so any depth works.
//
// Stateless; any thread may call it.
class TreeSize {
public:
    // (device, inode) of the hard-linked files counted so far. Passed from call to call, it makes
    // a file with several names count once.
    using CountedFiles = QSet<std::pair<dev_t, ino_t>>;

    TreeSize() = delete;

    // The logical size of the entry `name` of the open folder `folder`, the entry itself included.
    // What cannot be read counts as nothing; a missing entry is 0. With grantOwnerAccess, a folder
    // of the user's own that lacks read, write or search permission for the user is given them
    // (u+rwx) before it is entered, as TreeEraser does: for measuring what is about to be erased.
    static qint64 logicalSize(int folder, const QByteArray& name, CountedFiles* counted,
                              bool grantOwnerAccess = false);

    // The size of the entry `name` of `folder`, the entry itself and everything in it, as
    // `meter` measures (SizeMeter: file lengths, or blocks with hard links once per meter). The
    // same walk as logicalSize otherwise.
    static qint64 size(int folder, const QByteArray& name, SizeMeter& meter,
                       bool grantOwnerAccess = false);
};

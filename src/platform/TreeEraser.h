#pragma once

#include <QString>

#include <atomic>

// Erases files and folder trees for good, without the trash.
//
// The walk works on open folder descriptors (openat, fstatat, unlinkat) and never follows a link:
// a link inside the tree is removed, not what it points to, and a link given as the path is
// removed itself. It is iterative and keeps only a bounded number of folders open, so any depth
// works. It does not descend into another file system mounted inside the tree.
//
// Stateless; any thread may call it, for different trees at once.
class TreeEraser {
public:
    struct Result {
        // Entries that could not be removed; a folder left because something in it could not be
        // removed is not counted again. A stopped or abandoned walk counts one more.
        int failures = 0;
        // The first failure, as a sentence for the user naming the entry and the reason.
        QString firstError;
        // The walk ended early because the stop flag was set; part of the tree is left.
        bool stopped = false;
        bool succeeded() const { return failures == 0; }
    };

    // Removes the file, link or folder tree at path, going on past failures. A folder of the
    // user's own that lacks read, write or search permission for the user is given them (u+rwx)
    // before it is entered, since its owner chose to erase it. stop is read before each entry.
    static Result erase(const QString& path, const std::atomic<bool>* stop = nullptr);
};

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

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
        // Entries left in place because the listing did not name them (a folder counts once).
        int unlisted = 0;
        bool succeeded() const { return failures == 0; }
    };

    // The entries an erase may take, folder by folder: an erase given a listing removes only the
    // entries it names and keeps everything else, with the folders that then hold it. Used to
    // erase what a scan showed and nothing that arrived since. Called on the erasing thread.
    class Listing {
    public:
        virtual ~Listing() = default;
        // Whether the entry `name` of this folder is listed.
        virtual bool contains(const QByteArray& name) const = 0;
        // The listing of the listed folder `name`, about to be entered.
        virtual std::unique_ptr<Listing> folder(const QByteArray& name) const = 0;
        // The listed entry `name` is gone from the disk (a folder once it is removed itself).
        virtual void erased(const QByteArray& name) = 0;
    };

    // Removes the file, link or folder tree at path, going on past failures. A folder of the
    // user's own that lacks read, write or search permission for the user is given them (u+rwx)
    // before it is entered, since its owner chose to erase it. stop is read before each entry.
    // The path is taken as bytes, as the file system names it; with a listing (of the item's own
    // entries, when it is a folder) only what the listing names goes. removed, when given, is
    // called on the erasing thread for each entry gone (a folder once it is removed itself), so
    // a caller can show progress within one large item.
    static Result erase(const QByteArray& path, const std::atomic<bool>* stop = nullptr,
                        std::unique_ptr<Listing> listing = nullptr,
                        const std::function<void()>& removed = {});
    static Result erase(const QString& path, const std::atomic<bool>* stop = nullptr)
    {
        return erase(QFile::encodeName(path), stop);
    }
};

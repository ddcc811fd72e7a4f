#pragma once

#include "platform/fs/SizeMode.h"
#include "trash/TrashItem.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <atomic>
#include <sys/types.h>

// Empties every freedesktop.org trash of one user: the home trash, and on each mounted volume
// "$topdir/.Trash/$uid" (only when "$topdir/.Trash" is a real folder with the sticky bit) and
// "$topdir/.Trash-$uid". A volume's trash folder counts only when it is a real folder, not a
// link, owned by the user; the same folder reached through several mounts is emptied once.
//
// Emptying removes everything inside "files", "info" and "expunged" and the "directorysizes"
// file, and keeps the trash folder and those three folders. Nothing is ever followed through a
// link: a link in the trash is removed itself, and what it points to stays. The size freed is
// that of the trashed items removed, each measured whole in the cleaner's size mode before it is
// removed, as measure() and the Trash window measure them (records and caches do not count).
// Failures are counted and the work goes on.
//
// A value type without shared state: any thread may call it. emptyAll() blocks until done.
class TrashCleaner {
public:
    struct Result {
        qint64 bytesFreed = 0;
        // Trashed items (entries of "files") removed completely.
        int itemsRemoved = 0;
        // Entries that could not be removed, and folders of a trash that could not be emptied.
        int failures = 0;
        // The first failure, as a sentence for the user naming the entry and the reason.
        QString firstError;
        // Trash folders found.
        int trashFolders = 0;
        // The stop flag ended the work early.
        bool stopped = false;
        // What bytesFreed means.
        SizeMode sizeMode = SizeMode::Apparent;
    };

    // homeTrash: the home trash folder ($XDG_DATA_HOME/Trash); it is used when it is a folder,
    // also through a link the user made. mountInfoPath: a mount table in the format of
    // /proc/self/mountinfo. uid: whose trash folders on volumes are emptied.
    TrashCleaner(QString homeTrash, QString mountInfoPath, uid_t uid);
    // The current user's trashes: FreedesktopTrash::standardHomeTrash(), /proc/self/mountinfo and
    // the effective user id.
    static TrashCleaner forCurrentUser();

    // What the sizes mean (Apparent unless set); forCurrentUser() takes the user's choice.
    SizeMode sizeMode() const { return m_sizeMode; }
    void setSizeMode(SizeMode mode) { m_sizeMode = mode; }

    const QString& homeTrash() const { return m_homeTrash; }
    const QString& mountInfoPath() const { return m_mountInfoPath; }
    uid_t uid() const { return m_uid; }

    // The trash folders emptyAll() would empty: the home trash first, then the volumes' in the
    // order of the mount table. error, if given, receives why the mount table could not be read.
    QStringList trashFolders(QString* error = nullptr) const;

    // What emptyAll() would remove now, for the question asked first: the items in the trash
    // folders' "files" and their size in sizeMode(), each item measured whole. Only reads.
    struct Contents {
        int items = 0;
        qint64 bytes = 0;
        SizeMode sizeMode = SizeMode::Apparent; // what bytes means
    };
    Contents measure() const;

    // Empties every trash folder, going on past failures. stop is read before each entry; once
    // set, what is left stays and the result says so.
    Result emptyAll(const std::atomic<bool>* stop = nullptr) const;

    // Erases the chosen trashed items and their records for good, as emptyAll() erases each
    // entry, and drops their "directorysizes" entries; an item's record goes only once the item
    // is gone. Items of folders that are not among trashFolders() are refused.
    Result eraseItems(const TrashItems& items, const std::atomic<bool>* stop = nullptr) const;

private:
    QString m_homeTrash;
    QString m_mountInfoPath;
    uid_t m_uid;
    SizeMode m_sizeMode = SizeMode::Apparent;
};

Q_DECLARE_METATYPE(TrashCleaner::Result)

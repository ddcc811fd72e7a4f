#pragma once

#include "platform/fs/SizeMode.h"
#include "trash/TrashItem.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

// One trash folder of the user in the freedesktop.org Trash 1.0 layout: the home trash, or on a
// mounted volume "$topdir/.Trash/$uid" (only when "$topdir/.Trash" is a real folder with the
// sticky bit, not a link) or "$topdir/.Trash-$uid". A volume's trash folder counts only when it is
// a real folder owned by the user (TrashFolderCandidates, which moving to the trash follows too);
// the home trash may be a link the user made.
//
// Reads the items and keeps the trash's "directorysizes" cache: folder sizes are taken from it
// where its entry is current (its time equals the .trashinfo's modification time) and written
// back after measuring, through a temporary file renamed over it, as the freedesktop trash
// standard asks.
//
// A value type; any thread may call it. Nothing here follows a link inside the trash.
class TrashDirectory {
public:
    TrashDirectory() = default;
    TrashDirectory(QByteArray path, QByteArray topDirectory, const struct stat& status);

    // The user's trash folders: the home trash first, then the volumes' in the order of the mount
    // table (mountinfo format); the same folder reached through several mounts counts once.
    // error, if given, receives why the mount table could not be read.
    static QList<TrashDirectory> findAll(const QString& homeTrash, const QString& mountInfoPath,
                                         uid_t uid, QString* error = nullptr);
    // FreedesktopTrash::standardHomeTrash(), /proc/self/mountinfo, the effective user.
    static QList<TrashDirectory> forCurrentUser(QString* error = nullptr);

    const QByteArray& path() const { return m_path; }
    // Empty for the home trash.
    const QByteArray& topDirectory() const { return m_topDirectory; }
    bool isHome() const { return m_topDirectory.isEmpty(); }
    const struct stat& status() const { return m_status; }

    // What the items' sizes mean: DiskUsage (as "du -sB1", the default) or Apparent (lengths,
    // measured anew each time: "directorysizes" holds disk usage only).
    SizeMode sizeMode() const { return m_sizeMode; }
    void setSizeMode(SizeMode mode) { m_sizeMode = mode; }

    // Every item and orphan record, in no particular order. Folder sizes come from
    // "directorysizes" when current, else stay -1 for measureFolders(). error, if given,
    // receives why "files" or "info" could not be read (what could be read is still listed).
    TrashItems list(QString* error = nullptr) const;

    // Measures the folders among items (this trash's) whose size is -1 and records them in
    // "directorysizes", dropping entries of folders no longer in the trash. Returns false with
    // a reason when the cache could not be written (the sizes are measured all the same).
    bool measureFolders(TrashItems* items, QString* error = nullptr) const;

    // Removes the entries of these item names from "directorysizes"; a missing cache is fine.
    bool removeSizeEntries(const QList<QByteArray>& names, QString* error = nullptr) const;

    // The absolute path Path= stands for in this trash, or empty with the reason when it must
    // not be restored to: "..", empty, or (on a volume) outside the volume.
    QByteArray resolveRecordedPath(const QByteArray& recorded, QString* problem) const;

    // Disk usage of the entry `name` of the open folder, as "du -sB1" counts it: allocated
    // blocks of everything in it, each hard-linked file once, links not followed, other file
    // systems not entered.
    static qint64 diskUsage(int folder, const QByteArray& name);

private:
    struct CachedSize {
        qint64 size;
        qint64 time;
    };
    QHash<QByteArray, CachedSize> readSizeCache() const;
    bool writeSizeCache(const QHash<QByteArray, CachedSize>& entries, QString* error) const;

    QByteArray m_path;
    QByteArray m_topDirectory;
    struct stat m_status {};
    SizeMode m_sizeMode = SizeMode::DiskUsage;
};

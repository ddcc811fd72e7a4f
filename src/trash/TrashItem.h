#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QMetaType>
#include <QString>

// One entry of a freedesktop.org trash folder: an item in "files" with its ".trashinfo" record in
// "info", or one of the two alone (an orphan, which the listing shows as such).
//
// A plain value; paths are the file system's bytes, so names that are not valid UTF-8 survive.
struct TrashItem {
    enum class Kind { File, Folder, Link, Other, Missing };
    enum class State {
        Complete,      // item and record
        NoRecord,      // the item has no readable .trashinfo: its original path is unknown
        NoItem,        // the .trashinfo names an item that is not in "files"
        InvalidRecord, // the record exists but its Path cannot be restored (outside the volume,
                       // "..", empty): shown, never restored to it
    };

    QByteArray trashFolder;  // holds "files" and "info"
    QByteArray topDirectory; // the volume's top folder; empty for the home trash
    QByteArray name;         // the entry's name in "files" (and "<name>.trashinfo" in "info")
    QByteArray recordedPath; // Path= as recorded, percent-decoded (relative for volume trashes)
    QByteArray originalPath; // absolute; empty when unknown or refused
    QDateTime deletionDate;  // invalid when unknown
    qint64 size = -1;        // disk usage in bytes (as "du -B1"); -1 while not measured yet
    Kind kind = Kind::Missing;
    State state = State::Complete;
    QString problem;       // why the record is missing or refused, for the user
    qint64 recordTime = 0; // mtime of the .trashinfo, the directorysizes key

    QByteArray itemPath() const { return trashFolder + "/files/" + name; }
    QByteArray infoPath() const { return trashFolder + "/info/" + name + ".trashinfo"; }
    // The name the item had: the last part of its original path, else its name in the trash.
    QString displayName() const;
    QString originalLocation() const { return QFile::decodeName(originalPath); }
    // The volume the trash is on: "Home" for the home trash, else the volume's top folder.
    QString volume() const;
    bool isDirectory() const { return kind == Kind::Folder; }
    bool canRestore() const { return state == State::Complete && !originalPath.isEmpty(); }
};

using TrashItems = QList<TrashItem>;

Q_DECLARE_METATYPE(TrashItem)

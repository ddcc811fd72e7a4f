#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

// The folders a user's trash may be in on one mounted volume, in the order of the freedesktop.org
// Trash layout: "$topdir/.Trash/$uid", offered only while "$topdir/.Trash" exists, and usable only
// while that is a real folder (not a link) with the sticky bit; then "$topdir/.Trash-$uid". Every
// folder is judged with lstat, so no link is ever followed: it counts when it is a real folder
// owned by the user. A trash about to receive items must moreover be closed to other users.
//
// The one place these rules are written: TrashDirectory lists the usable candidates of every
// volume, FreedesktopTrash moves an item into the first one it can use, creating a missing one.
//
// Plain functions on the file system; any thread may call them.
class TrashFolderCandidates {
    Q_DECLARE_TR_FUNCTIONS(TrashFolderCandidates)

public:
    enum class Use {
        Listing,  // reading, restoring and purging what is in the trash
        Trashing, // moving items in: also refused when others may change the folder
    };
    enum class State {
        Usable,
        Missing, // absent, to be created with mode 0700 and judged again
        Refused, // never to be used; problem says why
    };
    struct Candidate {
        QByteArray path;
        State state = State::Refused;
        // Why it cannot be used as it is, for the user: empty when usable.
        QString problem;
        // lstat of the folder when usable.
        struct stat status {};
        bool usable() const { return state == State::Usable; }
    };

    // The candidates of the volume mounted at topDirectory for that user, in order of preference.
    static QList<Candidate> forVolume(const QByteArray& topDirectory, uid_t uid, Use use);

    // One folder judged by the rules above; also used for a trash's "files" and "info".
    static Candidate judge(const QByteArray& path, uid_t uid, Use use);
};

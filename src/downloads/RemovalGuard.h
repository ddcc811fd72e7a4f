#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Paths that a removal given by name must refuse, as rm does for "." and "..": a path that does
// not name one entry as typed (empty, "/", or ending in "." or ".."), and, decided on what the
// kernel resolves the path to (device and inode, never the text), the root folder and the folders
// in it, the home folder, any folder that holds the working folder or the home folder, and paths
// on the system list or folders holding one. A link is never refused for where it leads: it is
// removed itself, not what it points to.
class RemovalGuard {
    Q_DECLARE_TR_FUNCTIONS(RemovalGuard)

public:
    RemovalGuard() = delete;
    // The reason the path must not be removed, as a clause ("it is the home folder"), or an
    // empty string. A path that does not exist is not refused here.
    static QString refusal(const QByteArray& path);
    // The refusal as a sentence for the user naming the path, or an empty string. Moving to the
    // trash also refuses a trash folder of the user itself (Completely Erase empties it).
    static QString refusalSentence(const QByteArray& path, bool toTrash);
};

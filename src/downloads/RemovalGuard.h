#pragma once

#include <QByteArray>
#include <QString>

// Paths that a removal given by name must refuse, as rm does for "." and "..": a path that does
// not name one entry as typed (empty, "/", or ending in "." or ".."), the home folder, and any
// folder that holds the working folder or the home folder. A link is never refused: it is
// removed itself, not what it points to.
class RemovalGuard {
public:
    RemovalGuard() = delete;
    // The reason the path must not be removed, as a clause ("it is the home folder"), or an
    // empty string. A path that does not exist is not refused here.
    static QString refusal(const QByteArray& path);
};

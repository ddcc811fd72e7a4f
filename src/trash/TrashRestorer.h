#pragma once

#include "trash/TrashItem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Puts trashed items back where they were, with one rename on their own volume: nothing is ever
// copied, and nothing already at the destination is ever replaced.
//
// The item goes back first, its ".trashinfo" and "directorysizes" entry only after it is there,
// so a failure at any step loses nothing. A missing parent folder is made again; a parent that
// leads off the trash's volume through a link is refused. Links are moved as links.
//
// Stateless; any thread may call it.
class TrashRestorer {
    Q_DECLARE_TR_FUNCTIONS(TrashRestorer)

public:
    enum class Status {
        Restored,
        Occupied, // something is at the destination already: see suggestedPath
        Failed,
    };

    struct Result {
        Status status = Status::Failed;
        QByteArray restoredPath;  // where the item now is (Restored)
        QByteArray suggestedPath; // a free name next to it, "NAME (restored)" (Occupied)
        // Empty when restored cleanly; otherwise a sentence for the user naming the item. A
        // Restored result may carry one too: the item is back but its record stayed.
        QString message;
        bool succeeded() const { return status == Status::Restored; }
    };

    TrashRestorer() = delete;

    // Restores the item to its original path, or to destination when given (an absolute path
    // on the same volume, for "Restore as").
    static Result restore(const TrashItem& item, const QByteArray& destination = {});

    // "NAME (restored)", then "NAME (restored 2)", ... next to path: the first name not taken,
    // the extension kept ("photo (restored).jpg").
    static QByteArray freeNameBeside(const QByteArray& path);
};

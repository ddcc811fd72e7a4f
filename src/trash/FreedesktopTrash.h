#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

// Moves items into the desktop trash in the freedesktop.org Trash 1.0 layout (the item in "files",
// its ".trashinfo" record in "info"), where file managers list them and can put them back.
//
// An item on the file system of the home trash goes to the home trash; an item on another mounted
// volume goes to that volume's own trash, "$topdir/.Trash/$uid" when "$topdir/.Trash" is a real
// folder with the sticky bit, otherwise "$topdir/.Trash-$uid", by the same rules the trash is
// listed with (TrashFolderCandidates), a missing one created. Either way the item is moved by one
// rename, so trashing takes the same short time whatever the item's size; nothing is ever copied
// across file systems, and a volume without a usable trash folder fails the item, which then stays
// where it was.
//
// Plain value type without shared state: any thread may call it, and several threads may trash
// into the same trash at once (the names in the trash are claimed with O_EXCL). The trash's
// "directorysizes" cache is not written; readers of it fall back to measuring folders themselves.
class FreedesktopTrash {
    Q_DECLARE_TR_FUNCTIONS(FreedesktopTrash)

public:
    struct Result {
        // Empty on success, otherwise a sentence for the user naming the item and the reason.
        QString error;
        // moveToTrash: where the item now is ("<trash>/files/<name>").
        // trashFolderFor: the trash folder (the one holding "files" and "info").
        QString trashedPath;
        bool succeeded() const { return error.isEmpty(); }
    };

    // homeTrash: the home trash folder, normally $XDG_DATA_HOME/Trash. It and any missing folders
    // above it are created (mode 0700) when an item is first trashed into it.
    explicit FreedesktopTrash(QString homeTrash = standardHomeTrash());

    // $XDG_DATA_HOME/Trash, or ~/.local/share/Trash when XDG_DATA_HOME is unset, empty or relative.
    static QString standardHomeTrash();

    const QString& homeTrash() const { return m_homeTrash; }

    // Moves one file, folder or link (a link is moved itself, never followed) into the trash of
    // the file system it is on and records its original path and the deletion time in the trash's
    // "info" folder. On failure nothing is left behind: the item stays, no ".trashinfo" remains.
    // The path is taken as bytes, as the file system names it.
    Result moveToTrash(const QByteArray& path) const;
    Result moveToTrash(const QString& path) const { return moveToTrash(QFile::encodeName(path)); }

    // The trash folder moveToTrash would use for this path, creating it as moveToTrash would, or
    // the reason there is none.
    Result trashFolderFor(const QString& path) const;

private:
    QString m_homeTrash;
};

#pragma once

#include "support/Files.h"

#include <QDirIterator>
#include <QMap>

// Every entry under a folder by its relative path: a file's bytes, a link's target, or "folder".
// Links are never followed. Equal snapshots: nothing under the folder was added, removed or
// changed.
inline QMap<QString, QByteArray> treeSnapshot(const QByteArray& folder)
{
    QMap<QString, QByteArray> entries;
    const QDir root(QFile::decodeName(folder));
    QDirIterator it(root.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        entries.insert(root.relativeFilePath(entry.filePath()),
                       entry.isSymLink() ? "link " + QFile::encodeName(entry.symLinkTarget())
                       : entry.isDir()   ? QByteArray("folder")
                                         : readFile(entry.filePath()));
    }
    return entries;
}

// The snapshot without the entry at `relative` and everything under it.
inline QMap<QString, QByteArray> withoutEntry(QMap<QString, QByteArray> entries,
                                              const QString& relative)
{
    entries.removeIf([&relative](QMap<QString, QByteArray>::iterator entry) {
        return entry.key() == relative || entry.key().startsWith(relative + u'/');
    });
    return entries;
}

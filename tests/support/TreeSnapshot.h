#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QMap>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Every entry under a folder, by its path relative to the folder, with what it is: a file's
// checksum, a link's target, "folder" for a folder. Links are never followed. Two snapshots
// compare equal when nothing under the folder was added, removed or changed.
inline QMap<QByteArray, QByteArray> treeSnapshot(const QByteArray& folder,
                                                 const QByteArray& prefix = {})
{
    QMap<QByteArray, QByteArray> entries;
    DIR* const listing = ::opendir(folder.constData());
    if (listing == nullptr)
        return entries;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        const QByteArray relative = prefix.isEmpty() ? name : prefix + '/' + name;
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0)
            continue;
        if (S_ISDIR(status.st_mode)) {
            entries.insert(relative, "folder");
            entries.insert(treeSnapshot(path, relative));
        } else if (S_ISLNK(status.st_mode)) {
            char target[4096];
            const ssize_t length = ::readlink(path.constData(), target, sizeof target);
            entries.insert(relative, "link " + QByteArray(target, std::max<ssize_t>(length, 0)));
        } else {
            QCryptographicHash hash(QCryptographicHash::Sha256);
            const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
            char buffer[65536];
            for (ssize_t count; fd >= 0 && (count = ::read(fd, buffer, sizeof buffer)) > 0;)
                hash.addData(QByteArrayView(buffer, count));
            if (fd >= 0)
                ::close(fd);
            entries.insert(relative, "file " + hash.result().toHex());
        }
    }
    ::closedir(listing);
    return entries;
}

// The snapshot without the entry at `relative` and everything under it.
inline QMap<QByteArray, QByteArray> withoutEntry(QMap<QByteArray, QByteArray> entries,
                                                 const QByteArray& relative)
{
    const QByteArray below = relative + '/';
    for (auto it = entries.begin(); it != entries.end();) {
        if (it.key() == relative || it.key().startsWith(below))
            it = entries.erase(it);
        else
            ++it;
    }
    return entries;
}

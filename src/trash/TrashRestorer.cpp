#include "trash/TrashRestorer.h"

#include "platform/SystemError.h"
#include "platform/fs/FileDescriptor.h"
#include "platform/fs/NativePath.h"
#include "trash/TrashDirectory.h"

#include <QCoreApplication>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString shown(const QByteArray& path)
{
    return QFile::decodeName(path);
}

bool exists(const QByteArray& path)
{
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0;
}

// Opens the folder that is to hold `target` (a plain absolute path), making the folders of its
// path that are missing. Everything is checked before anything is made: on a volume every folder
// on the way is opened without following a link and must be on the trash's own device, so that
// nothing is ever made or restored outside the volume; in the home trash the user's own links
// are followed, but the last folder that exists must be on the trash's device. The missing
// folders are then made one by one with mkdirat relative to the verified folder above them
// (mode 0777 less the umask, as mkdir -p does) and opened without following a link.
// -1 with the reason on failure.
int openTargetFolder(const TrashItem& item, const QByteArray& target, dev_t device, QString* reason)
{
    const bool onVolume = !item.topDirectory.isEmpty();
    const QByteArray top = onVolume ? item.topDirectory : QByteArray("/");
    const QByteArray folder = NativePath::parent(target);
    if (onVolume && folder != top && !folder.startsWith(NativePath::child(top, {}))) {
        *reason = QCoreApplication::translate("TrashRestorer", "“%1” is outside the volume at %2.")
                      .arg(shown(target), shown(top));
        return -1;
    }
    const int flags = O_PATH | O_DIRECTORY | O_CLOEXEC | (onVolume ? O_NOFOLLOW : 0);
    FileDescriptor current(::open(top.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (current.get() < 0) {
        *reason =
            QCoreApplication::translate("TrashRestorer", "the folder “%1” cannot be opened (%2).")
                .arg(shown(top), SystemError::text(errno));
        return -1;
    }
    QList<QByteArray> parts;
    for (const QByteArray& part : folder.mid(top.size()).split('/')) {
        if (!part.isEmpty())
            parts.append(part);
    }
    QByteArray reached = top;
    const auto onDevice = [&](int descriptor) {
        struct stat status {};
        if (::fstat(descriptor, &status) == 0 && status.st_dev == device)
            return true;
        *reason =
            onVolume
                ? QCoreApplication::translate("TrashRestorer",
                                              "the folder “%1” leads outside the volume at %2.")
                      .arg(shown(reached), shown(top))
                : QCoreApplication::translate("TrashRestorer",
                                              "“%1” is on another volume than the trash, and the "
                                              "item is not copied there.")
                      .arg(shown(reached));
        return false;
    };
    if (onVolume && !onDevice(current.get()))
        return -1;
    qsizetype existing = 0;
    for (; existing < parts.size(); ++existing) {
        const QByteArray& part = parts[existing];
        const int next = ::openat(current.get(), part.constData(), flags);
        if (next < 0 && errno == ENOENT)
            break;
        reached = NativePath::child(reached, part);
        if (next < 0) {
            struct stat status {};
            const int error = errno;
            *reason =
                onVolume &&
                        ::fstatat(current.get(), part.constData(), &status, AT_SYMLINK_NOFOLLOW) ==
                            0 &&
                        S_ISLNK(status.st_mode)
                    ? QCoreApplication::translate(
                          "TrashRestorer", "the folder “%1” is a symbolic link, which may lead "
                                           "outside the volume at %2; it is not followed.")
                          .arg(shown(reached), shown(top))
                    : QCoreApplication::translate("TrashRestorer",
                                                  "the folder “%1” cannot be opened (%2).")
                          .arg(shown(reached), SystemError::text(error));
            return -1;
        }
        current.reset(next);
        if (onVolume && !onDevice(current.get()))
            return -1;
    }
    if (!onDevice(current.get()))
        return -1;
    for (qsizetype index = existing; index < parts.size(); ++index) {
        const QByteArray& part = parts[index];
        reached = NativePath::child(reached, part);
        if (::mkdirat(current.get(), part.constData(), 0777) != 0 && errno != EEXIST) {
            *reason =
                QCoreApplication::translate("TrashRestorer", "the folder “%1” cannot be made (%2).")
                    .arg(shown(reached), SystemError::text(errno));
            return -1;
        }
        const int next = ::openat(current.get(), part.constData(),
                                  O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            *reason = QCoreApplication::translate("TrashRestorer",
                                                  "the folder “%1” cannot be opened (%2).")
                          .arg(shown(reached), SystemError::text(errno));
            return -1;
        }
        current.reset(next);
    }
    return current.release();
}

TrashRestorer::Result failure(const TrashItem& item, const QString& reason)
{
    TrashRestorer::Result result;
    result.message = QCoreApplication::translate("TrashRestorer", "Cannot restore “%1”: %2")
                         .arg(item.displayName(), reason);
    return result;
}

} // namespace

QByteArray TrashRestorer::freeNameBeside(const QByteArray& path)
{
    const QByteArray folder = NativePath::parent(path);
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    // The extension is what follows the last dot, unless the name starts with it (".bashrc").
    const qsizetype dot = name.lastIndexOf('.');
    const QByteArray stem = dot > 0 ? name.left(dot) : name;
    const QByteArray extension = dot > 0 ? name.mid(dot) : QByteArray();
    const QByteArray prefix = folder == "/" ? folder : folder + '/';
    for (int attempt = 1;; ++attempt) {
        const QByteArray mark = attempt == 1 ? QByteArray(" (restored)")
                                             : " (restored " + QByteArray::number(attempt) + ')';
        const QByteArray candidate = prefix + stem + mark + extension;
        if (!exists(candidate))
            return candidate;
    }
}

TrashRestorer::Result TrashRestorer::restore(const TrashItem& item, const QByteArray& destination)
{
    if (item.state == TrashItem::State::NoItem)
        return failure(item, tr("it is no longer in the trash."));
    if (destination.isEmpty() && !item.canRestore())
        return failure(item, item.problem.isEmpty() ? tr("its original location is unknown.")
                                                    : item.problem);
    const QByteArray target = destination.isEmpty() ? item.originalPath : destination;
    if (!target.startsWith('/') || target.split('/').contains(".."))
        return failure(item, tr("“%1” is not a plain absolute path.").arg(shown(target)));

    struct stat trashed {};
    if (::lstat(item.itemPath().constData(), &trashed) != 0)
        return failure(item,
                       tr("it cannot be found in the trash (%1).").arg(SystemError::text(errno)));
    const QByteArray parent = NativePath::parent(target);
    QString reason;
    const int parentFolder = openTargetFolder(item, target, trashed.st_dev, &reason);
    if (parentFolder < 0)
        return failure(item, reason);
    const QByteArray name = NativePath::fileName(target);
    int moved = ::renameat2(AT_FDCWD, item.itemPath().constData(), parentFolder, name.constData(),
                            RENAME_NOREPLACE);
    if (moved != 0 && (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
        // No RENAME_NOREPLACE on this file system: a link() would not move folders, so check.
        struct stat there {};
        if (::fstatat(parentFolder, name.constData(), &there, AT_SYMLINK_NOFOLLOW) == 0)
            errno = EEXIST;
        else
            moved =
                ::renameat(AT_FDCWD, item.itemPath().constData(), parentFolder, name.constData());
    }
    const int error = errno;
    ::close(parentFolder);

    if (moved != 0) {
        if (error == EEXIST || error == ENOTEMPTY) {
            Result result;
            result.status = Status::Occupied;
            result.suggestedPath = freeNameBeside(target);
            result.message = tr("Cannot restore “%1”: “%2” is already there.")
                                 .arg(item.displayName(), shown(target));
            return result;
        }
        if (error == EXDEV)
            return failure(item, tr("“%1” is on another volume than the trash, and "
                                    "the item is not copied there.")
                                     .arg(shown(parent)));
        return failure(
            item,
            tr("it cannot be moved to “%1” (%2).").arg(shown(target), SystemError::text(error)));
    }

    Result result;
    result.status = Status::Restored;
    result.restoredPath = target;
    if (item.state != TrashItem::State::NoRecord && ::unlink(item.infoPath().constData()) != 0 &&
        errno != ENOENT) {
        result.message = tr("“%1” is back at “%2”, but its record “%3” could not be "
                            "removed (%4).")
                             .arg(item.displayName(), shown(target), shown(item.infoPath()),
                                  SystemError::text(errno));
    }
    struct stat trashStatus {};
    const TrashDirectory trash(item.trashFolder, item.topDirectory, trashStatus);
    if (item.kind == TrashItem::Kind::Folder)
        trash.removeSizeEntries({item.name});
    return result;
}

#include "platform/TrashRestorer.h"

#include "platform/NativePath.h"
#include "platform/SystemError.h"
#include "platform/TrashDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Makes the folder and the missing ones above it (mode 0777 less the umask, as mkdir -p does).
int makeFolders(const QByteArray& path)
{
    struct stat status {};
    if (::stat(path.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (const int error = makeFolders(NativePath::parent(path)); error != 0)
        return error;
    return ::mkdir(path.constData(), 0777) == 0 || errno == EEXIST ? 0 : errno;
}

QByteArray canonical(const QByteArray& path)
{
    char* const resolved = ::realpath(path.constData(), nullptr);
    const QByteArray result = resolved != nullptr ? QByteArray(resolved) : QByteArray();
    std::free(resolved);
    return result;
}

TrashRestorer::Result failure(const TrashItem& item, const QString& reason)
{
    TrashRestorer::Result result;
    result.message = QStringLiteral("Cannot restore “%1”: %2").arg(item.displayName(), reason);
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
        return failure(item, QStringLiteral("it is no longer in the trash."));
    if (destination.isEmpty() && !item.canRestore())
        return failure(item, item.problem.isEmpty()
                                 ? QStringLiteral("its original location is unknown.")
                                 : item.problem);
    const QByteArray target = destination.isEmpty() ? item.originalPath : destination;
    if (!target.startsWith('/') || target.split('/').contains(".."))
        return failure(item,
                       QStringLiteral("“%1” is not a plain absolute path.").arg(shown(target)));

    struct stat trashed {};
    if (::lstat(item.itemPath().constData(), &trashed) != 0)
        return failure(
            item,
            QStringLiteral("it cannot be found in the trash (%1).").arg(SystemError::text(errno)));
    const QByteArray parent = NativePath::parent(target);
    if (const int error = makeFolders(parent); error != 0)
        return failure(item, QStringLiteral("the folder “%1” cannot be made (%2).")
                                 .arg(shown(parent), SystemError::text(error)));
    // A link among the parents may lead somewhere else on the same device: the real folder must
    // still be inside the volume.
    const QByteArray realParent = canonical(parent);
    if (!item.topDirectory.isEmpty() && realParent != item.topDirectory &&
        !realParent.startsWith(QByteArray(item.topDirectory + '/')))
        return failure(item, QStringLiteral("the folder “%1” leads outside the volume at %2.")
                                 .arg(shown(parent), shown(item.topDirectory)));
    const QByteArray name = target.mid(target.lastIndexOf('/') + 1);
    const int parentFolder = ::open(parent.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (parentFolder < 0)
        return failure(item, QStringLiteral("the folder “%1” cannot be opened (%2).")
                                 .arg(shown(parent), SystemError::text(errno)));
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
            result.message = QStringLiteral("Cannot restore “%1”: “%2” is already there.")
                                 .arg(item.displayName(), shown(target));
            return result;
        }
        if (error == EXDEV)
            return failure(item, QStringLiteral("“%1” is on another volume than the trash, and "
                                                "the item is not copied there.")
                                     .arg(shown(parent)));
        return failure(item, QStringLiteral("it cannot be moved to “%1” (%2).")
                                 .arg(shown(target), SystemError::text(error)));
    }

    Result result;
    result.status = Status::Restored;
    result.restoredPath = target;
    if (item.state != TrashItem::State::NoRecord && ::unlink(item.infoPath().constData()) != 0 &&
        errno != ENOENT) {
        result.message = QStringLiteral("“%1” is back at “%2”, but its record “%3” could not be "
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

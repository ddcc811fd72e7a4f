#include "trash/FreedesktopTrash.h"

#include "platform/SystemError.h"
#include "platform/fs/FileDescriptor.h"
#include "platform/fs/MountTable.h"
#include "platform/fs/NativePath.h"
#include "platform/xdg/XdgBaseFolders.h"
#include "trash/TrashFolderCandidates.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr mode_t privateFolderMode = 0700;
// NAME_MAX of the file systems trashes live on; "<name>.trashinfo" must fit in it.
constexpr qsizetype nameMax = 255;
constexpr int collisionLimit = 100000;
const QByteArray infoSuffix = QByteArrayLiteral(".trashinfo");

QString shown(const QByteArray& path)
{
    return QFile::decodeName(path);
}

int openFolder(const QByteArray& path)
{
    return ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

std::optional<dev_t> deviceOfNearestFolder(QByteArray path)
{
    for (;;) {
        struct stat status {};
        if (::stat(path.constData(), &status) == 0) {
            return status.st_dev;
        }
        if (path == "/") {
            return std::nullopt;
        }
        path = NativePath::parent(path);
    }
}

// Creates the folder and any missing folders above it with mode 0700, as the XDG base directory
// rules ask for data folders. Empty, or the reason it failed.
QString makeFolders(const QByteArray& path)
{
    struct stat status {};
    if (::stat(path.constData(), &status) == 0) {
        return S_ISDIR(status.st_mode)
                   ? QString()
                   : QCoreApplication::translate("FreedesktopTrash", "“%1” is not a folder")
                         .arg(shown(path));
    }
    if (errno != ENOENT) {
        return QCoreApplication::translate("FreedesktopTrash", "“%1” cannot be examined: %2")
            .arg(shown(path), SystemError::text(errno));
    }
    if (const QString reason = makeFolders(NativePath::parent(path)); !reason.isEmpty()) {
        return reason;
    }
    if (::mkdir(path.constData(), privateFolderMode) != 0 && errno != EEXIST) {
        return QCoreApplication::translate("FreedesktopTrash", "“%1” cannot be created: %2")
            .arg(shown(path), SystemError::text(errno));
    }
    return {};
}

QString makeHomeTrash(const QByteArray& trash)
{
    QString reason = makeFolders(NativePath::child(trash, "files"));
    return reason.isEmpty() ? makeFolders(NativePath::child(trash, "info")) : reason;
}

QByteArray canonical(const QByteArray& path)
{
    char* const resolved = ::realpath(path.constData(), nullptr);
    const QByteArray result = resolved != nullptr ? QByteArray(resolved) : path;
    std::free(resolved);
    return result;
}

// A trash folder on a shared volume, and its "files" and "info", must be real folders of this
// user that others cannot change; a link or a planted folder would let another user read or
// redirect what is trashed. Missing ones are created.
QString makePrivateFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), privateFolderMode) != 0 && errno != EEXIST) {
        return QCoreApplication::translate("FreedesktopTrash", "“%1” cannot be created: %2")
            .arg(shown(path), SystemError::text(errno));
    }
    return TrashFolderCandidates::judge(path, ::geteuid(), TrashFolderCandidates::Use::Trashing)
        .problem;
}

// The first of the volume's trash folders that is usable or can be made so; empty when none can,
// with the reasons added to reasons.
QByteArray volumeTrash(const QByteArray& topDirectory, QStringList* reasons)
{
    for (const TrashFolderCandidates::Candidate& candidate : TrashFolderCandidates::forVolume(
             topDirectory, ::geteuid(), TrashFolderCandidates::Use::Trashing)) {
        QString reason = candidate.problem;
        if (candidate.state != TrashFolderCandidates::State::Refused) {
            reason.clear();
            for (const QByteArray& folder :
                 {candidate.path, NativePath::child(candidate.path, "files"),
                  NativePath::child(candidate.path, "info")}) {
                reason = makePrivateFolder(folder);
                if (!reason.isEmpty()) {
                    break;
                }
            }
        }
        if (reason.isEmpty()) {
            return candidate.path;
        }
        reasons->append(reason);
    }
    return {};
}

QSet<QByteArray> mountPoints()
{
    QSet<QByteArray> points;
    for (const MountTable::Mount& mount : MountTable::read(MountTable::standardPath()))
        points.insert(mount.mountPoint);
    return points;
}

// The top folder of the mount holding folder: the nearest mount point at or above it, or, should
// the mount table be unreadable, the highest folder above it still on the same device.
QByteArray topDirectory(QByteArray folder, dev_t device)
{
    const QSet<QByteArray> mounts = mountPoints();
    while (folder != "/" && !mounts.contains(folder)) {
        const QByteArray parent = NativePath::parent(folder);
        struct stat status {};
        if (::stat(parent.constData(), &status) != 0 || status.st_dev != device) {
            break;
        }
        folder = parent;
    }
    return folder;
}

QString cannotTrash(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("FreedesktopTrash", "Cannot move “%1” to the trash: %2")
        .arg(path, reason);
}

struct Location {
    QString error;
    FileDescriptor parent;
    QByteArray parentFolder; // canonical
    QByteArray name;
    QByteArray trashFolder;  // holds "files" and "info"
    QByteArray topDirectory; // of the volume; empty for the home trash
};

Location locate(const QByteArray& nativePath, const QByteArray& homeTrash)
{
    Location location;
    const QString path = shown(nativePath);
    if (nativePath.isEmpty()) {
        location.error = QCoreApplication::translate("FreedesktopTrash",
                                                     "No item was given to move to the trash.");
        return location;
    }
    if (!NativePath::namesOneEntry(nativePath)) {
        location.error =
            cannotTrash(path, QCoreApplication::translate("FreedesktopTrash",
                                                          "it does not name one file or folder."));
        return location;
    }
    // The folder part as the kernel resolves it (links and ".." included), the last component
    // as given: the item is moved relative to that folder and recorded under its real path, so
    // a restore puts it back where it really was.
    location.parent.reset(NativePath::openFolderPart(nativePath, &location.name));
    struct stat item {};
    if (location.parent.get() < 0 || ::fstatat(location.parent.get(), location.name.constData(),
                                               &item, AT_SYMLINK_NOFOLLOW) != 0) {
        location.error = cannotTrash(
            path,
            errno == ENOENT || errno == ENOTDIR
                ? QCoreApplication::translate("FreedesktopTrash", "it does not exist.")
                : QCoreApplication::translate("FreedesktopTrash", "it cannot be examined (%1).")
                      .arg(SystemError::text(errno)));
        return location;
    }
    location.parentFolder = NativePath::folderPath(location.parent.get());
    if (location.parentFolder.isEmpty()) {
        location.error =
            cannotTrash(path, QCoreApplication::translate(
                                  "FreedesktopTrash", "its folder's location cannot be read (%1).")
                                  .arg(SystemError::text(errno)));
        return location;
    }
    struct stat parentStatus {};
    if (S_ISDIR(item.st_mode) && ::fstat(location.parent.get(), &parentStatus) == 0 &&
        parentStatus.st_dev != item.st_dev) {
        location.error = cannotTrash(
            path, QCoreApplication::translate("FreedesktopTrash", "a volume is mounted there."));
        return location;
    }

    if (deviceOfNearestFolder(homeTrash) == item.st_dev) {
        if (const QString reason = makeHomeTrash(homeTrash); !reason.isEmpty()) {
            location.error = cannotTrash(
                path, QCoreApplication::translate("FreedesktopTrash",
                                                  "the trash folder cannot be made ready (%1).")
                          .arg(reason));
            return location;
        }
        // Unless the trash folder is a link to another file system, that is where the item goes.
        struct stat files {};
        if (::stat(NativePath::child(homeTrash, "files").constData(), &files) == 0 &&
            files.st_dev == item.st_dev) {
            location.trashFolder = canonical(homeTrash);
        }
    }
    if (location.trashFolder.isEmpty()) {
        location.topDirectory = topDirectory(location.parentFolder, item.st_dev);
        QStringList reasons;
        location.trashFolder = volumeTrash(location.topDirectory, &reasons);
        if (location.trashFolder.isEmpty()) {
            location.error = cannotTrash(
                path, QCoreApplication::translate(
                          "FreedesktopTrash", "the volume at %1 has no usable trash folder (%2).")
                          .arg(shown(location.topDirectory), reasons.join(QStringLiteral("; "))));
            return location;
        }
    }
    const QByteArray original = NativePath::child(location.parentFolder, location.name);
    if (location.trashFolder == original ||
        location.trashFolder.startsWith(NativePath::child(original, {}))) {
        location.error =
            cannotTrash(path, QCoreApplication::translate("FreedesktopTrash",
                                                          "it holds the trash folder itself."));
    }
    return location;
}

// The name in the trash for the given attempt: the item's own name, then "name.2", "name.3"…,
// shortened where needed (at a character boundary) so that "<name>.trashinfo" fits.
QByteArray trashName(const QByteArray& name, int attempt)
{
    const QByteArray suffix = attempt == 1 ? QByteArray() : '.' + QByteArray::number(attempt);
    qsizetype length = std::min(name.size(), nameMax - infoSuffix.size() - suffix.size());
    while (length > 0 && length < name.size() && (uchar(name.at(length)) & 0xC0) == 0x80) {
        --length;
    }
    return name.left(length) + suffix;
}

QByteArray trashInfo(const QByteArray& recordedPath)
{
    QByteArray info("[Trash Info]\nPath=");
    // Byte by byte, so a name that is not valid UTF-8 is recorded as it is.
    info.append(recordedPath.toPercentEncoding("/"));
    info.append("\nDeletionDate=");
    info.append(QDateTime::currentDateTime().toString(u"yyyy-MM-dd'T'hh:mm:ss").toLatin1());
    info.append('\n');
    return info;
}

bool writeAll(int descriptor, const QByteArray& data)
{
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t count =
            ::write(descriptor, data.constData() + written, data.size() - written);
        if (count < 0 && errno != EINTR) {
            return false;
        }
        written += std::max<ssize_t>(count, 0);
    }
    return true;
}

// rename that never replaces what is already at the destination. File systems without
// RENAME_NOREPLACE get a check first; the name there was claimed through its .trashinfo anyway.
int renameWithoutReplacing(int fromFolder, const QByteArray& from, int toFolder,
                           const QByteArray& to)
{
    if (::renameat2(fromFolder, from.constData(), toFolder, to.constData(), RENAME_NOREPLACE) ==
        0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return -1;
    }
    struct stat status {};
    if (::fstatat(toFolder, to.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromFolder, from.constData(), toFolder, to.constData());
}

} // namespace

FreedesktopTrash::FreedesktopTrash(QString homeTrash)
    : m_homeTrash(QFile::decodeName(NativePath::absolute(QFile::encodeName(homeTrash))))
{}

QString FreedesktopTrash::standardHomeTrash()
{
    // $XDG_DATA_HOME, else $HOME/.local/share, both as given (never folded by text).
    const QString base = XdgBaseFolders().dataHome();
    // Made absolute as the kernel resolves it, never cleaned by text: "data/link/../x" is where
    // "link" leads, as for every other program.
    const QByteArray trash = NativePath::absolute(QFile::encodeName(base));
    return QFile::decodeName(NativePath::child(trash, "Trash"));
}

FreedesktopTrash::Result FreedesktopTrash::trashFolderFor(const QString& path) const
{
    const Location location = locate(QFile::encodeName(path), QFile::encodeName(m_homeTrash));
    if (!location.error.isEmpty()) {
        return {location.error, {}};
    }
    return {{}, shown(location.trashFolder)};
}

FreedesktopTrash::Result FreedesktopTrash::moveToTrash(const QByteArray& nativePath) const
{
    const QString path = shown(nativePath);
    const Location location = locate(nativePath, QFile::encodeName(m_homeTrash));
    if (!location.error.isEmpty()) {
        return {location.error, {}};
    }
    const QByteArray filesFolder = NativePath::child(location.trashFolder, "files");
    const QByteArray infoFolder = NativePath::child(location.trashFolder, "info");
    const FileDescriptor files(openFolder(filesFolder));
    const FileDescriptor info(openFolder(infoFolder));
    if (files.get() < 0 || info.get() < 0) {
        return {cannotTrash(path, tr("the trash folder “%1” cannot be opened (%2).")
                                      .arg(shown(location.trashFolder), SystemError::text(errno))),
                {}};
    }
    const QByteArray original = NativePath::child(location.parentFolder, location.name);
    const QByteArray recordedPath =
        location.topDirectory.isEmpty()
            ? original
            : original.mid(NativePath::child(location.topDirectory, {}).size());
    const QByteArray content = trashInfo(recordedPath);

    for (int attempt = 1; attempt <= collisionLimit; ++attempt) {
        const QByteArray name = trashName(location.name, attempt);
        const QByteArray infoName = name + infoSuffix;
        const FileDescriptor infoFile(::openat(info.get(), infoName.constData(),
                                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                               0600));
        if (infoFile.get() < 0 && errno == EEXIST) {
            continue;
        }
        if (infoFile.get() < 0 || !writeAll(infoFile.get(), content)) {
            const int error = errno;
            if (infoFile.get() >= 0) {
                ::unlinkat(info.get(), infoName.constData(), 0);
            }
            return {cannotTrash(path, tr("its record in “%1” cannot be written (%2).")
                                          .arg(shown(infoFolder), SystemError::text(error))),
                    {}};
        }
        if (renameWithoutReplacing(location.parent.get(), location.name, files.get(), name) == 0) {
            return {{}, shown(NativePath::child(filesFolder, name))};
        }
        const int error = errno;
        ::unlinkat(info.get(), infoName.constData(), 0);
        if (error == EEXIST) {
            continue;
        }
        if (error == EXDEV) {
            return {cannotTrash(path, tr("it is on another file system than the trash "
                                         "folder “%1”, and it is not copied there.")
                                          .arg(shown(location.trashFolder))),
                    {}};
        }
        return {cannotTrash(path, tr("it cannot be moved into “%1” (%2).")
                                      .arg(shown(filesFolder), SystemError::text(error))),
                {}};
    }
    return {cannotTrash(
                path,
                tr("the trash already holds too many items named “%1”.").arg(shown(location.name))),
            {}};
}

#include "downloads/RemovalGuard.h"

#include "downloads/SystemFolder.h"
#include "platform/fs/FolderAccess.h"
#include "platform/fs/NativePath.h"
#include "trash/TrashDirectory.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether folder is `inner` or one of the folders above it, found by climbing "..".
bool holds(const struct stat& folder, const QByteArray& inner)
{
    int current = ::open(inner.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    bool found = false;
    while (current >= 0 && !found) {
        struct stat status {};
        if (::fstat(current, &status) != 0)
            break;
        found = FolderAccess::sameFile(status, folder);
        const int parent = ::openat(current, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        struct stat parentStatus {};
        ::close(current);
        current = parent;
        if (current >= 0 && ::fstat(current, &parentStatus) == 0 &&
            FolderAccess::sameFile(parentStatus, status)) {
            ::close(current); // the top: ".." of "/" is "/"
            current = -1;
        }
    }
    if (current >= 0)
        ::close(current);
    return found;
}

// Whether the entry, at its real path, is on the system list or a folder holding one of its paths.
QString systemListRefusal(const struct stat& item, const QByteArray& folderPath,
                          const QByteArray& name)
{
    if (folderPath.isEmpty())
        return {};
    const QString resolved = QFile::decodeName(NativePath::child(folderPath, name));
    const QSet<QString> systemPaths = SystemFolder::systemPaths();
    if (systemPaths.contains(resolved))
        return QCoreApplication::translate("RemovalGuard", "it is on the system list");
    if (S_ISDIR(item.st_mode) && SystemFolder::holdsSystemFile(systemPaths, resolved))
        return QCoreApplication::translate("RemovalGuard", "it holds a path on the system list");
    return {};
}

} // namespace

QString RemovalGuard::refusal(const QByteArray& path)
{
    if (!NativePath::namesOneEntry(path))
        return tr("it does not name one file or folder");
    // What the path names: its last component in the folder the kernel resolves its folder
    // part to ("link/../home" is "home" in the folder holding link's target).
    QByteArray name;
    const int folder = NativePath::openFolderPart(path, &name);
    if (folder < 0)
        return {};
    struct stat item {};
    const bool found = ::fstatat(folder, name.constData(), &item, AT_SYMLINK_NOFOLLOW) == 0;
    const QByteArray folderPath = NativePath::folderPath(folder);
    ::close(folder);
    if (!found)
        return {};
    if (!S_ISDIR(item.st_mode))
        return systemListRefusal(item, folderPath, name);
    struct stat root {};
    if (::stat("/", &root) == 0 && FolderAccess::sameFile(item, root))
        return tr("it is the root folder");
    // /usr, /etc, /home, /media and the other folders of the root folder hold the system and
    // everyone's files: a scan of "/" lists them, and never removes one.
    struct stat above {};
    if (!folderPath.isEmpty() && ::stat(folderPath.constData(), &above) == 0 &&
        FolderAccess::sameFile(above, root))
        return tr("it is a folder of the system");
    // $HOME as the kernel reads it; QDir::homePath() would fold its ".." by text.
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty())
        home = QFile::encodeName(QDir::homePath());
    struct stat homeStatus {};
    if (::stat(home.constData(), &homeStatus) == 0 && FolderAccess::sameFile(item, homeStatus))
        return tr("it is the home folder");
    if (holds(item, home))
        return tr("it holds the home folder");
    if (holds(item, "."))
        return tr("it is or holds the current folder");
    return systemListRefusal(item, folderPath, name);
}

QString RemovalGuard::refusalSentence(const QByteArray& path, bool toTrash)
{
    const QString shown = QFile::decodeName(path);
    if (const QString reason = refusal(path); !reason.isEmpty())
        return tr("“%1” was not removed: %2.").arg(shown, reason);
    if (!toTrash)
        return {};
    // Only folders named as trash folders are compared with the user's trash folders.
    const QByteArray name = NativePath::fileName(NativePath::trimmed(path));
    if (name != "Trash" && !name.startsWith(".Trash") &&
        !NativePath::parent(NativePath::trimmed(path)).endsWith("/.Trash"))
        return {};
    struct stat item {};
    if (::lstat(path.constData(), &item) != 0 || !S_ISDIR(item.st_mode))
        return {};
    for (const TrashDirectory& trash : TrashDirectory::forCurrentUser()) {
        if (FolderAccess::sameFile(trash.status(), item))
            return tr("“%1” is a trash folder: Completely Erase empties it.").arg(shown);
    }
    return {};
}

#include "downloads/RemovalGuard.h"

#include "platform/FolderAccess.h"
#include "platform/NativePath.h"

#include <QDir>
#include <QFile>

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

} // namespace

QString RemovalGuard::refusal(const QByteArray& path)
{
    if (!NativePath::namesOneEntry(path))
        return QStringLiteral("it does not name one file or folder");
    struct stat item {};
    if (::lstat(path.constData(), &item) != 0 || !S_ISDIR(item.st_mode))
        return {};
    const QByteArray home = QFile::encodeName(QDir::homePath());
    struct stat homeStatus {};
    if (::stat(home.constData(), &homeStatus) == 0 && FolderAccess::sameFile(item, homeStatus))
        return QStringLiteral("it is the home folder");
    if (holds(item, home))
        return QStringLiteral("it holds the home folder");
    if (holds(item, "."))
        return QStringLiteral("it is or holds the current folder");
    return {};
}

#include "platform/fs/FolderAccess.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

bool FolderAccess::sameFile(const struct stat& first, const struct stat& second)
{
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void FolderAccess::grantOwnerAccess(int parent, const QByteArray& name, const struct stat& status)
{
    const int handle =
        ::openat(parent, name.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (handle < 0)
        return;
    struct stat current {};
    if (::fstat(handle, &current) == 0 && sameFile(current, status)) {
        QByteArray handlePath("/proc/self/fd/");
        handlePath.append(QByteArray::number(handle));
        ::chmod(handlePath.constData(), (current.st_mode & 07777) | S_IRWXU);
    }
    ::close(handle);
}

QString FolderAccess::whyNotListable(const QString& path)
{
    const int handle =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::close(handle);
        return {};
    }
    const int error = errno;
    if (error == ENOENT)
        return QCoreApplication::translate("FolderAccess", "There is no folder “%1”.").arg(path);
    if (error == ENOTDIR)
        return QCoreApplication::translate("FolderAccess", "“%1” is not a folder.").arg(path);
    return QCoreApplication::translate("FolderAccess", "Cannot open the folder “%1”: %2.")
        .arg(path, QString::fromLocal8Bit(std::strerror(error)));
}

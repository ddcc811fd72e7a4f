#include "platform/proc/ProcFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

QByteArray ProcFile::read(const QString& path, int* error)
{
    return readAt(AT_FDCWD, QFile::encodeName(path).constData(), error);
}

QByteArray ProcFile::readAt(int folderFd, const char* name, int* error, qsizetype limit)
{
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (error)
            *error = errno;
        return {};
    }
    QByteArray text;
    char buffer[8192];
    while (text.size() < limit) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && error)
            *error = errno;
        if (count <= 0)
            break;
        text.append(buffer, count);
    }
    ::close(fd);
    return text;
}

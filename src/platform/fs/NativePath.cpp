#include "platform/fs/NativePath.h"

#include <QList>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray workingFolder()
{
    QByteArray folder(4096, '\0');
    while (::getcwd(folder.data(), std::size_t(folder.size())) == nullptr && errno == ERANGE)
        folder.resize(folder.size() * 2);
    return QByteArray(folder.constData());
}

int openFolder(const QByteArray& path)
{
    return ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// The real path of the folder the path names, through the kernel; empty with errno on failure.
QByteArray realFolder(const QByteArray& path)
{
    const int folder = openFolder(path);
    if (folder < 0)
        return {};
    const QByteArray real = NativePath::folderPath(folder);
    ::close(folder);
    return real;
}

bool isDotOrDotDot(const QByteArray& name)
{
    return name == "." || name == "..";
}

// The folder part of a trimmed path: "." for a bare name, "/" for an entry of "/".
QByteArray folderPartOf(const QByteArray& trimmedPath)
{
    const qsizetype slash = trimmedPath.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : trimmedPath.left(slash);
}

} // namespace

QByteArray NativePath::trimmed(const QByteArray& path)
{
    QByteArray result = path;
    while (result.size() > 1 && result.endsWith('/'))
        result.chop(1);
    return result;
}

bool NativePath::namesOneEntry(const QByteArray& path)
{
    const QByteArray trimmedPath = trimmed(path);
    const QByteArray last = fileName(trimmedPath);
    return !trimmedPath.isEmpty() && trimmedPath != "/" && !isDotOrDotDot(last);
}

int NativePath::openFolderPart(const QByteArray& path, QByteArray* name)
{
    const QByteArray trimmedPath = trimmed(path);
    if (trimmedPath.isEmpty()) {
        errno = ENOENT;
        return -1;
    }
    *name = fileName(trimmedPath);
    return openFolder(folderPartOf(trimmedPath));
}

QByteArray NativePath::folderPath(int descriptor)
{
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(descriptor);
    QByteArray target(PATH_MAX, '\0');
    for (;;) {
        const ssize_t length = ::readlink(link.constData(), target.data(), target.size());
        if (length < 0)
            break;
        if (length < target.size()) {
            target.truncate(length);
            return target.startsWith('/') ? target : QByteArray();
        }
        target.resize(target.size() * 2);
    }
    // Without /proc, the C library walks the same links through the descriptor's path.
    char* const resolved = ::realpath(link.constData(), nullptr);
    const QByteArray result = resolved != nullptr ? QByteArray(resolved) : QByteArray();
    std::free(resolved);
    return result;
}

QByteArray NativePath::absolute(const QByteArray& path)
{
    const QByteArray trimmedPath = trimmed(path);
    if (trimmedPath.isEmpty())
        return {};
    const QByteArray given =
        trimmedPath.startsWith('/') ? trimmedPath : child(workingFolder(), trimmedPath);
    if (trimmedPath == "/")
        return trimmedPath;
    const QByteArray name = fileName(trimmedPath);
    if (isDotOrDotDot(name)) {
        const QByteArray real = realFolder(trimmedPath);
        return real.isEmpty() ? given : real;
    }
    // The deepest folder of the folder part that exists, resolved by the kernel; the missing
    // ones below it are kept as given, as long as none of them is "." or "..", which the kernel
    // could not pass through a missing folder either.
    QByteArray folder = folderPartOf(trimmedPath);
    QList<QByteArray> missing{name};
    for (;;) {
        const QByteArray real = realFolder(folder);
        if (!real.isEmpty()) {
            QByteArray result = real;
            for (auto part = missing.crbegin(); part != missing.crend(); ++part)
                result = child(result, *part);
            return result;
        }
        const QByteArray trimmedFolder = trimmed(folder);
        const QByteArray last = fileName(trimmedFolder);
        if (errno != ENOENT || trimmedFolder == "/" || trimmedFolder == "." || isDotOrDotDot(last))
            return given;
        if (!last.isEmpty())
            missing.append(last);
        folder = folderPartOf(trimmedFolder);
    }
}

QByteArray NativePath::fileName(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray NativePath::parent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray NativePath::child(const QByteArray& folder, const QByteArray& name)
{
    QByteArray path = folder;
    if (!path.endsWith('/'))
        path.append('/');
    return path.append(name);
}

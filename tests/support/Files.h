#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

// File helpers shared by the GoogleTest and Qt Test binaries: they answer values, never assert,
// so either framework checks the outcome. Paths are QString (encoded with QFile::encodeName) or
// raw bytes, for names that are not valid UTF-8.
namespace files {

inline QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}
inline QByteArray native(const QByteArray& path)
{
    return path;
}

// Writes content, making the folders above it; answers whether every byte was written. The
// file itself is reached by its bytes, so its name need not be valid UTF-8.
template <typename Path> bool writeFile(const Path& path, const QByteArray& content = "content")
{
    const QByteArray name = native(path);
    if (!QDir().mkpath(QFile::decodeName(name.left(std::max<qsizetype>(name.lastIndexOf('/'), 1)))))
        return false;
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && ::write(fd, content.constData(), std::size_t(content.size())) == content.size();
    if (fd >= 0)
        ::close(fd);
    return written;
}

// The file's bytes, or "<unreadable>".
template <typename Path> QByteArray readFile(const Path& path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<unreadable>";
    QByteArray content;
    char buffer[65536];
    for (ssize_t count; (count = ::read(fd, buffer, sizeof buffer)) > 0;)
        content.append(buffer, count);
    ::close(fd);
    return content;
}

// lstat: a dangling link exists.
template <typename Path> bool exists(const Path& path)
{
    struct stat status {};
    return ::lstat(native(path).constData(), &status) == 0;
}

template <typename Path> mode_t modeOf(const Path& path)
{
    struct stat status {};
    return ::lstat(native(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

template <typename Path> ino_t inodeOf(const Path& path)
{
    struct stat status {};
    return ::lstat(native(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// The folder's entry names, sorted, hidden ones and dangling links included.
template <typename Path> QStringList entriesOf(const Path& path)
{
    return QDir(QFile::decodeName(native(path)))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

} // namespace files

using files::entriesOf, files::exists, files::inodeOf, files::modeOf, files::readFile,
    files::writeFile;

// GoogleTest prints a QString as text instead of as a byte dump.
inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

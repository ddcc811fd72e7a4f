#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <ostream>
#include <sys/stat.h>

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

// Writes content, making the folders above it; answers whether every byte was written.
template <typename Path> bool writeFile(const Path& path, const QByteArray& content = "content")
{
    QFile file(QFile::decodeName(native(path)));
    return QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

// The file's bytes, or "<unreadable>".
template <typename Path> QByteArray readFile(const Path& path)
{
    QFile file(QFile::decodeName(native(path)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
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

using files::entriesOf;
using files::exists;
using files::inodeOf;
using files::modeOf;
using files::readFile;
using files::writeFile;

// GoogleTest prints a QString as text instead of as a byte dump.
inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <fcntl.h>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

// Builds fixture trees in a folder: folders, sparse files of a given length, links. Names are
// raw bytes relative to the root (newlines or invalid UTF-8 allowed). A failed step is remembered,
// not asserted: check ok() (and failure()) once the tree is built.
class TreeBuilder {
public:
    explicit TreeBuilder(const QString& root) : m_root(QFile::encodeName(root)) {}

    QByteArray path(const QByteArray& relative) const { return m_root + '/' + relative; }
    QString qpath(const QByteArray& relative) const { return QFile::decodeName(path(relative)); }

    // Whether every step so far succeeded; failure() names the first that did not.
    bool ok() const { return m_failure.isEmpty(); }
    const char* failure() const { return m_failure.constData(); }

    void folder(const QByteArray& relative)
    {
        check(QDir().mkpath(qpath(relative)), "folder", relative);
    }

    // A file of `size` bytes with no data blocks (the length is all the scan looks at).
    void file(const QByteArray& relative, std::uint64_t size)
    {
        const int fd = ::open(path(relative).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        check(fd >= 0 && ::ftruncate(fd, off_t(size)) == 0, "file", relative);
        if (fd >= 0)
            ::close(fd);
    }

    void link(const QByteArray& target, const QByteArray& relative)
    {
        check(::symlink(target.constData(), path(relative).constData()) == 0, "link", relative);
    }

    // A tree from a compact description, one entry each: "path/" a folder, "path:size" a file
    // (its folders made first), "path>target" a link. Names here hold no ':' or '>'.
    void entries(std::initializer_list<QByteArray> described)
    {
        for (const QByteArray& entry : described) {
            const qsizetype arrow = entry.indexOf('>'), colon = entry.lastIndexOf(':');
            if (entry.endsWith('/'))
                folder(entry.chopped(1));
            else if (arrow > 0)
                link(entry.mid(arrow + 1), entry.left(arrow));
            else if (entry.lastIndexOf('/', colon) > 0)
                folder(entry.left(entry.lastIndexOf('/', colon)));
            if (!entry.endsWith('/') && arrow < 0)
                file(entry.left(colon), entry.mid(colon + 1).toULongLong());
        }
    }

    // A chain of `depth` nested folders named "d", with one file of `size` bytes at the bottom.
    // Returns the given relative path. Built with openat so no path gets too long.
    QByteArray chain(const QByteArray& relative, int depth, std::uint64_t size)
    {
        int fd = ::open(path(relative).constData(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; fd >= 0 && level < depth; ++level) {
            const int next =
                ::mkdirat(fd, "d", 0755) == 0 ? ::openat(fd, "d", O_RDONLY | O_DIRECTORY) : -1;
            ::close(fd);
            fd = next;
        }
        const int file = fd >= 0 ? ::openat(fd, "bottom", O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
        check(file >= 0 && ::ftruncate(file, off_t(size)) == 0, "chain", relative);
        if (file >= 0)
            ::close(file);
        if (fd >= 0)
            ::close(fd);
        return relative;
    }

private:
    void check(bool succeeded, const char* step, const QByteArray& relative)
    {
        if (!succeeded && m_failure.isEmpty())
            m_failure = QByteArray(step) + " failed: " + relative;
    }

    QByteArray m_root;
    QByteArray m_failure;
};

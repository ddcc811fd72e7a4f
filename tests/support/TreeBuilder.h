#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// Builds fixture trees in a folder: folders, sparse files of a given length, links. Names are
// raw bytes relative to the root, so they may hold newlines or invalid UTF-8.
class TreeBuilder {
public:
    explicit TreeBuilder(const QString& root) : m_root(QFile::encodeName(root)) {}

    QByteArray path(const QByteArray& relative) const { return m_root + '/' + relative; }
    QString qpath(const QByteArray& relative) const { return QFile::decodeName(path(relative)); }

    void folder(const QByteArray& relative) const
    {
        ASSERT_TRUE(QDir().mkpath(qpath(relative))) << relative.constData();
    }

    // A file of `size` bytes with no data blocks (the length is all the scan looks at).
    void file(const QByteArray& relative, std::uint64_t size) const
    {
        const int fd = ::open(path(relative).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << relative.constData();
        ASSERT_EQ(::ftruncate(fd, off_t(size)), 0);
        ::close(fd);
    }

    void link(const QByteArray& target, const QByteArray& relative) const
    {
        ASSERT_EQ(::symlink(target.constData(), path(relative).constData()), 0)
            << relative.constData();
    }

    // A chain of `depth` nested folders named "d", with one file of `size` bytes at the bottom.
    // Returns the bottom folder's relative path. Built with openat so no path gets too long.
    QByteArray chain(const QByteArray& relative, int depth, std::uint64_t size) const
    {
        int fd = ::open(path(relative).constData(), O_RDONLY | O_DIRECTORY);
        EXPECT_GE(fd, 0);
        for (int level = 0; level < depth; ++level) {
            EXPECT_EQ(::mkdirat(fd, "d", 0755), 0);
            const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
        }
        const int file = ::openat(fd, "bottom", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_EQ(::ftruncate(file, off_t(size)), 0);
        ::close(file);
        ::close(fd);
        return relative;
    }

private:
    QByteArray m_root;
};

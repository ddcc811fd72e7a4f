#pragma once

#include "platform/fs/SizeMode.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder whose two sizes differ widely: a sparse image (long, few blocks), many tiny files
// (short, a block each), a file with three names (two in one folder, one in another), a link, a
// name with a newline, nested folders. Answers values, never asserts.
namespace sizefixture {

inline bool put(const QByteArray& path, const QByteArray& content, off_t length = -1)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok =
        fd >= 0 && ::write(fd, content.constData(), std::size_t(content.size())) == content.size();
    if (ok && length >= 0)
        ok = ::ftruncate(fd, length) == 0;
    return fd >= 0 && ::close(fd) == 0 && ok;
}

inline bool make(const QString& folder, int tinyFiles)
{
    const auto at = [&folder](const char* relative) {
        return QByteArray(QFile::encodeName(folder) + '/' + relative);
    };
    const QByteArray top = QFile::encodeName(folder);
    bool ok = QDir().mkpath(folder + QStringLiteral("/tiny/deeper/deepest")) &&
              QDir().mkpath(folder + QStringLiteral("/other"));
    ok = ok && put(top + "/installer.img", "start", 734 * 1000 * 1000); // sparse
    ok = ok && put(top + "/tiny/deeper/deepest/shared", QByteArray(5000, 's'));
    ok = ok && ::link(at("tiny/deeper/deepest/shared").constData(),
                      at("tiny/deeper/deepest/again").constData()) == 0;
    ok = ok && ::link(at("tiny/deeper/deepest/shared").constData(),
                      at("other/shared elsewhere").constData()) == 0;
    ok = ok && ::symlink("../tiny/deeper", at("other/to tiny").constData()) == 0;
    ok = ok && put(top + "/other/new\nline", QByteArray(3, 'n'));
    for (int index = 0; ok && index < tinyFiles; ++index)
        ok = put(top + (index % 2 ? "/tiny/t" : "/tiny/deeper/t") + QByteArray::number(index),
                 QByteArray::number(index));
    return ok;
}

inline QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

// What du says `path` takes, whole. DiskUsage: "du -sB1". Apparent: the file lengths du counts
// with --apparent-size --count-links (every name of a hard link), less the folders' own lengths,
// which an apparent size leaves out. -1 when du or find fails.
inline qint64 du(const QString& path, SizeMode mode)
{
    if (mode == SizeMode::DiskUsage)
        return run(QStringLiteral("du"), {QStringLiteral("-sB1"), path})
            .split('\t')
            .first()
            .toLongLong();
    const QByteArray lengths =
        run(QStringLiteral("du"), {QStringLiteral("-sB1"), QStringLiteral("--apparent-size"),
                                   QStringLiteral("--count-links"), path});
    qint64 total = lengths.split('\t').first().toLongLong();
    const QByteArray folders =
        run(QStringLiteral("find"), {path, QStringLiteral("-type"), QStringLiteral("d"),
                                     QStringLiteral("-printf"), QStringLiteral("%s\\n")});
    for (const QByteArray& line : folders.split('\n'))
        total -= line.toLongLong();
    return lengths.isEmpty() || folders.isEmpty() ? -1 : total;
}

} // namespace sizefixture

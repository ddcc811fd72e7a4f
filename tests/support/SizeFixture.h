#pragma once

#include "platform/fs/SizeMode.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <unistd.h>

// A folder whose two sizes differ widely: a sparse image (long, few blocks), many tiny files
// (short, a block each), a file with three names (two in one folder, one in another), a link, a
// name with a newline, nested folders. Answers values, never asserts.
namespace sizefixture {

// Writes content, then stretches the file to `length` with a hole when one is given.
inline bool put(const QByteArray& path, const QByteArray& content, off_t length = -1)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool ok = fd >= 0 && ::write(fd, content.constData(), size_t(content.size())) > 0 &&
                    (length < 0 || ::ftruncate(fd, length) == 0);
    return fd >= 0 && ::close(fd) == 0 && ok;
}

inline bool make(const QString& folder, int tinyFiles)
{
    const auto at = [&folder](const char* relative) {
        return QByteArray(QFile::encodeName(folder) + '/' + relative);
    };
    bool ok = QDir().mkpath(folder + QStringLiteral("/tiny/deeper/deepest")) &&
              QDir().mkpath(folder + QStringLiteral("/other")) &&
              put(at("installer.img"), "start", 734'000'000) &&
              put(at("tiny/deeper/deepest/shared"), QByteArray(5000, 's')) &&
              ::link(at("tiny/deeper/deepest/shared"), at("tiny/deeper/deepest/again")) == 0 &&
              ::link(at("tiny/deeper/deepest/shared"), at("other/shared elsewhere")) == 0 &&
              ::symlink("../tiny/deeper", at("other/to tiny")) == 0 &&
              put(at("other/new\nline"), "new");
    for (int index = 0; ok && index < tinyFiles; ++index)
        ok = put(at(index % 2 ? "tiny/t" : "tiny/deeper/t") + QByteArray::number(index),
                 QByteArray::number(index));
    return ok;
}

// What du says `path` takes, whole, -1 when it fails. DiskUsage: "du -sB1". Apparent: the
// lengths du counts with --apparent-size --count-links (every name of a hard link), less the
// folders' own lengths, which an apparent size leaves out.
inline qint64 du(const QString& path, SizeMode mode)
{
    const QString script =
        mode == SizeMode::DiskUsage
            ? QStringLiteral("du -sB1 \"$0\" | cut -f1")
            : QStringLiteral(
                  "echo $(( $(du -sB1 --apparent-size -l \"$0\" | cut -f1) - "
                  "$(find \"$0\" -type d -printf '%s\\n' | awk '{s+=$1} END {print s+0}') ))");
    QProcess process;
    process.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, path});
    const bool ran = process.waitForFinished(120000) && process.exitCode() == 0;
    bool number = false;
    const qint64 size = process.readAllStandardOutput().trimmed().toLongLong(&number);
    return ran && number ? size : -1;
}

} // namespace sizefixture

#pragma once

#include <QByteArray>
#include <QString>

// Whole small files of procfs and sysfs. Those report no size, so each is read with one open and
// a few reads into a stack buffer: the cheapest way for readers that run every refresh over every
// process. Safe on any thread.
class ProcFile {
public:
    ProcFile() = delete;

    // The file's bytes; on failure an empty array and, when `error` is given, the errno.
    static QByteArray read(const QString& path, int* error = nullptr);
    // The same for `name` relative to the open folder `folderFd` (openat), up to `limit` bytes.
    static QByteArray readAt(int folderFd, const char* name, int* error = nullptr,
                             qsizetype limit = 1 << 20);
};

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The mounts listed in a mount table in the format of /proc/<pid>/mountinfo, in its order (the
// order they were mounted in). Plain functions over a file; any thread may call them.
class MountTable {
public:
    struct Mount {
        QByteArray mountPoint;     // with the table's "\ooo" escapes undone
        QByteArray root;           // the folder of the file system mounted there, "/" for all
        QByteArray fileSystemType; // "ext4", "tmpfs", "fuse.sshfs", ...
        QByteArray source;         // "/dev/sda1", "tmpfs", ...
    };

    MountTable() = delete;

    static QString standardPath() { return QStringLiteral("/proc/self/mountinfo"); }

    // The mounts in the table at path. When it cannot be read the list is empty and error, if
    // given, receives a sentence naming the file and the reason; lines that do not parse are
    // skipped.
    static QList<Mount> read(const QString& path, QString* error = nullptr);
    static QList<Mount> parse(const QByteArray& table);
};

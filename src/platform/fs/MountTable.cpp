#include "platform/fs/MountTable.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// Mount points and roots are written with spaces, tabs, newlines and backslashes as "\ooo".
QByteArray unescape(const QByteArray& field)
{
    QByteArray text;
    text.reserve(field.size());
    for (qsizetype index = 0; index < field.size(); ++index) {
        bool isOctal = false;
        if (field.at(index) == '\\' && index + 3 < field.size()) {
            const int code = field.mid(index + 1, 3).toInt(&isOctal, 8);
            if (isOctal) {
                text.append(char(code));
                index += 3;
            }
        }
        if (!isOctal) {
            text.append(field.at(index));
        }
    }
    return text;
}

} // namespace

QList<MountTable::Mount> MountTable::parse(const QByteArray& table)
{
    // "36 35 98:0 /root /mnt/point rw,noatime master:1 - ext3 /dev/root rw,errors=continue":
    // a variable number of optional fields ends with "-", then type, source, super options.
    QList<Mount> mounts;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf(QByteArrayLiteral("-"), 6);
        if (fields.size() < 7 || separator < 0 || separator + 2 >= fields.size()) {
            continue;
        }
        mounts.append({unescape(fields.at(4)), unescape(fields.at(3)), fields.at(separator + 1),
                       unescape(fields.at(separator + 2))});
    }
    return mounts;
}

QList<MountTable::Mount> MountTable::read(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr) {
            *error = QCoreApplication::translate(
                         "MountTable", "The list of mounted volumes “%1” cannot be read: %2.")
                         .arg(path, file.errorString());
        }
        return {};
    }
    return parse(file.readAll());
}

#include "platform/xdg/AutostartFolder.h"

#include "platform/SystemError.h"
#include "platform/fs/FileDescriptor.h"
#include "platform/fs/NativePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool isPlainName(const QString& fileName)
{
    return !fileName.isEmpty() && fileName != u"." && fileName != u".." &&
           !fileName.contains(u'/') && !fileName.contains(QChar(0));
}

// The kernel's own path of an open descriptor.
QByteArray pathOf(int descriptor)
{
    char buffer[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(descriptor);
    const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer);
    return length > 0 ? QByteArray(buffer, length) : QByteArray();
}

QByteArray resolved(const QString& path)
{
    char* real = ::realpath(QFile::encodeName(path).constData(), nullptr);
    const QByteArray result = real ? QByteArray(real) : QByteArray();
    std::free(real);
    return result;
}

bool writeAll(int descriptor, const QByteArray& content)
{
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t written =
            ::write(descriptor, content.constData() + done, size_t(content.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

AutostartFolder::AutostartFolder(QString path, QStringList systemFolders, QString home)
    : m_path(std::move(path)), m_systemFolders(std::move(systemFolders)), m_home(std::move(home))
{}

int AutostartFolder::open(bool create, QString* error) const
{
    const QByteArray native = NativePath::trimmed(QFile::encodeName(m_path));
    const QByteArray parent = NativePath::parent(native);
    const QByteArray name = NativePath::fileName(native);
    if (!NativePath::namesOneEntry(native) || !native.startsWith('/')) {
        *error =
            QCoreApplication::translate("AutostartFolder", "“%1” cannot be the autostart folder.")
                .arg(m_path);
        return -1;
    }
    // The configuration home may be a link of the user's choosing; it is followed.
    if (create && !QDir().mkpath(QFile::decodeName(parent))) {
        *error =
            QCoreApplication::translate(
                "AutostartFolder", "The autostart folder “%1” could not be created: its folder "
                                   "“%2” could not be made.")
                .arg(m_path, QFile::decodeName(parent));
        return -1;
    }
    const FileDescriptor parentFolder(
        ::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parentFolder.get() < 0) {
        *error = QCoreApplication::translate("AutostartFolder",
                                             "The folder “%1” could not be opened: %2.")
                     .arg(QFile::decodeName(parent), SystemError::text(errno));
        return -1;
    }
    FileDescriptor folder(::openat(parentFolder.get(), name.constData(),
                                   O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.get() < 0 && errno == ENOENT && create) {
        if (::mkdirat(parentFolder.get(), name.constData(), 0777) != 0 && errno != EEXIST) {
            *error = QCoreApplication::translate(
                         "AutostartFolder", "The autostart folder “%1” could not be created: %2.")
                         .arg(m_path, SystemError::text(errno));
            return -1;
        }
        folder = FileDescriptor(::openat(parentFolder.get(), name.constData(),
                                         O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    bool linked = false;
    if (folder.get() < 0 && (errno == ELOOP || errno == ENOTDIR)) {
        struct stat entry {};
        if (::fstatat(parentFolder.get(), name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(entry.st_mode)) {
            linked = true;
            folder = FileDescriptor(
                ::openat(parentFolder.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        } else {
            errno = ENOTDIR;
        }
    }
    if (folder.get() < 0) {
        *error = QCoreApplication::translate("AutostartFolder",
                                             "The autostart folder “%1” could not be opened: %2.")
                     .arg(m_path, SystemError::text(errno));
        return -1;
    }

    // Judged on the open folder, so a link swapped after the check changes nothing.
    struct stat opened {};
    if (::fstat(folder.get(), &opened) != 0) {
        *error = QCoreApplication::translate("AutostartFolder",
                                             "The autostart folder “%1” could not be read: %2.")
                     .arg(m_path, SystemError::text(errno));
        return -1;
    }
    const QByteArray where = pathOf(folder.get());
    for (const QString& system : m_systemFolders) {
        struct stat other {};
        if (::stat(QFile::encodeName(system).constData(), &other) == 0 &&
            other.st_dev == opened.st_dev && other.st_ino == opened.st_ino) {
            *error = QCoreApplication::translate(
                         "AutostartFolder", "The autostart folder “%1” is the system folder “%2”; "
                                            "login items are changed only in your own folder.")
                         .arg(m_path, QFile::decodeName(where));
            return -1;
        }
    }
    if (linked) {
        const QByteArray home = resolved(m_home);
        if (opened.st_uid != ::geteuid() || home.isEmpty() || home == "/" ||
            !where.startsWith(QByteArray(home + '/'))) {
            *error = QCoreApplication::translate(
                         "AutostartFolder",
                         "The autostart folder “%1” is a link to “%2”, which is not a "
                         "folder of yours inside your home folder, so login items are "
                         "not changed there.")
                         .arg(m_path, QFile::decodeName(where));
            return -1;
        }
    }
    return folder.release();
}

QString AutostartFolder::write(const QString& fileName, const QByteArray& content) const
{
    if (!isPlainName(fileName))
        return QCoreApplication::translate("AutostartFolder",
                                           "“%1” is not the name of a login item.")
            .arg(fileName);
    QString error;
    const FileDescriptor folder(open(true, &error));
    if (folder.get() < 0)
        return error;
    const QByteArray name = QFile::encodeName(fileName);

    struct stat existing {};
    const bool exists =
        ::fstatat(folder.get(), name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return QCoreApplication::translate(
                   "AutostartFolder",
                   "The login item “%1” could not be written: a folder of that name is "
                   "in “%2”.")
            .arg(fileName, m_path);

    // The new content goes to a fresh file beside the entry, then replaces the entry itself:
    // rename() replaces a link, never what it points to.
    QByteArray temporary;
    FileDescriptor file;
    for (int attempt = 0; attempt < 100 && file.get() < 0; ++attempt) {
        temporary = '.' + name + '.' +
                    QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        file = FileDescriptor(::openat(folder.get(), temporary.constData(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.get() < 0 && errno != EEXIST)
            break;
    }
    const auto failed = [&](int number) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return QCoreApplication::translate("AutostartFolder",
                                           "The login item “%1” could not be written to “%2”: %3.")
            .arg(fileName, m_path, SystemError::text(number));
    };
    if (file.get() < 0)
        return QCoreApplication::translate("AutostartFolder",
                                           "The login item “%1” could not be written to “%2”: %3.")
            .arg(fileName, m_path, SystemError::text(errno));
    if (exists && S_ISREG(existing.st_mode) && ::fchmod(file.get(), existing.st_mode & 07777) != 0)
        return failed(errno);
    if (!writeAll(file.get(), content) || ::fsync(file.get()) != 0)
        return failed(errno);
    if (::close(file.release()) != 0)
        return failed(errno);
    if (::renameat(folder.get(), temporary.constData(), folder.get(), name.constData()) != 0)
        return failed(errno);
    ::fsync(folder.get());
    return {};
}

QString AutostartFolder::remove(const QString& fileName) const
{
    if (!isPlainName(fileName))
        return QCoreApplication::translate("AutostartFolder",
                                           "“%1” is not the name of a login item.")
            .arg(fileName);
    QString error;
    const FileDescriptor folder(open(false, &error));
    if (folder.get() < 0) {
        struct stat entry {};
        const bool missing =
            ::lstat(QFile::encodeName(m_path).constData(), &entry) != 0 && errno == ENOENT;
        return missing ? QString() : error;
    }
    if (::unlinkat(folder.get(), QFile::encodeName(fileName).constData(), 0) != 0 &&
        errno != ENOENT)
        return QCoreApplication::translate("AutostartFolder",
                                           "The login item “%1” could not be removed: %2.")
            .arg(fileName, SystemError::text(errno));
    return {};
}

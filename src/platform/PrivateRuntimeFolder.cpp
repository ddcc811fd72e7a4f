#include "platform/PrivateRuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char outputFolderName[] = "corvella";

QString refuse(QString* error, const QString& text)
{
    qWarning("Command output folder refused: %s", qUtf8Printable(text));
    if (error)
        *error = text;
    return {};
}

QString permissionText(mode_t mode)
{
    return QStringLiteral("%1").arg(mode & 07777, 4, 8, QLatin1Char('0'));
}

// $XDG_RUNTIME_DIR counts only when it is an absolute path to a real folder of this user that
// nobody else may write into; anything else falls back to the temporary folder.
QString runtimeFolder()
{
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 022) != 0)
        return {};
    return path;
}

// Sets 0700 on a folder just made (the umask may have taken bits away) without following a link.
bool makePrivate(const QByteArray& folder)
{
    const int descriptor =
        ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool changed = ::fchmod(descriptor, 0700) == 0;
    const int savedErrno = errno;
    ::close(descriptor);
    errno = savedErrno;
    return changed;
}

} // namespace

QString PrivateRuntimeFolder::path(QString* error)
{
    QString folder = runtimeFolder();
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/corvella-%1").arg(::geteuid());
    else
        folder += QLatin1Char('/') + QLatin1String(outputFolderName);
    const QByteArray encoded = QFile::encodeName(folder);

    if (::mkdir(encoded.constData(), 0700) == 0) {
        if (!makePrivate(encoded))
            return refuse(
                error, QCoreApplication::translate("PrivateRuntimeFolder",
                                                   "Cannot make the folder for command output, %1, "
                                                   "private: %2.")
                           .arg(folder, qt_error_string(errno)));
        return folder;
    }
    if (errno != EEXIST)
        return refuse(error, QCoreApplication::translate(
                                 "PrivateRuntimeFolder",
                                 "Cannot create the folder for command output, %1: %2.")
                                 .arg(folder, qt_error_string(errno)));

    struct stat info {};
    if (::lstat(encoded.constData(), &info) != 0)
        return refuse(error, QCoreApplication::translate(
                                 "PrivateRuntimeFolder",
                                 "Cannot examine the folder for command output, %1: %2.")
                                 .arg(folder, qt_error_string(errno)));
    if (S_ISLNK(info.st_mode))
        return refuse(
            error, QCoreApplication::translate("PrivateRuntimeFolder",
                                               "The folder for command output, %1, is a symbolic "
                                               "link; it was not used. Remove the link.")
                       .arg(folder));
    if (!S_ISDIR(info.st_mode))
        return refuse(error, QCoreApplication::translate(
                                 "PrivateRuntimeFolder",
                                 "The folder for command output, %1, is not a folder; "
                                 "it was not used. Remove it.")
                                 .arg(folder));
    if (info.st_uid != ::geteuid())
        return refuse(error,
                      QCoreApplication::translate("PrivateRuntimeFolder",
                                                  "The folder for command output, %1, belongs to "
                                                  "another user; it was not used.")
                          .arg(folder));
    if ((info.st_mode & 077) != 0)
        return refuse(error, QCoreApplication::translate(
                                 "PrivateRuntimeFolder",
                                 "The folder for command output, %1, is open to other "
                                 "users (permissions %2); it was not used. Make it "
                                 "private with \"chmod 700\" or remove it.")
                                 .arg(folder, permissionText(info.st_mode)));
    return folder;
}

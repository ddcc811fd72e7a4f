#include "platform/LoginItems.h"

#include "platform/AutostartFolder.h"
#include "platform/XdgBaseFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

const QString desktopEntrySuffix = QStringLiteral(".desktop");
// Desktop entries are a few kilobytes; anything far larger is not one and is not read into memory.
constexpr qint64 desktopEntrySizeLimit = 1024 * 1024;

bool isPlainFileName(const QString& fileName)
{
    return !fileName.isEmpty() && fileName != u"." && fileName != u".." &&
           !fileName.contains(u'/') && !fileName.contains(QChar(0));
}

bool isEntryName(const QString& fileName)
{
    return isPlainFileName(fileName) && fileName.endsWith(desktopEntrySuffix);
}

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString homePath(const QProcessEnvironment& environment)
{
    const QString home = environment.value(QStringLiteral("HOME"));
    return QDir::isAbsolutePath(home) ? home : QDir::homePath();
}

// An XDG base folder variable: its value when it is an absolute path, otherwise the default.
QString baseFolder(const QProcessEnvironment& environment, const QString& name,
                   const QString& defaultBelowHome)
{
    const QString value = environment.value(name);
    return QDir::isAbsolutePath(value) ? value : homePath(environment) + defaultBelowHome;
}

LoginItems::Result failure(const QString& error)
{
    return LoginItems::Result{error};
}

// Refuses anything but a readable regular file of sensible size; on success holds its content.
LoginItems::Result readDesktopEntry(const QString& path, QByteArray* content)
{
    if (path.isEmpty()) {
        return failure(QStringLiteral("No desktop entry was given to add as a login item."));
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(nativePath(path), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return failure(QStringLiteral("The desktop entry “%1” does not exist.").arg(path));
    }
    if (error) {
        return failure(QStringLiteral("The desktop entry “%1” could not be read: %2.")
                           .arg(path, QString::fromLocal8Bit(error.message())));
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return failure(QStringLiteral("“%1” is a folder, not a desktop entry.").arg(path));
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return failure(
            QStringLiteral("“%1” is not a regular file, so it cannot be a desktop entry.")
                .arg(path));
    }
    if (!path.endsWith(desktopEntrySuffix)) {
        return failure(QStringLiteral("“%1” is not a desktop entry: its name does not end in "
                                      "“.desktop”.")
                           .arg(path));
    }
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        return failure(QStringLiteral("The desktop entry “%1” could not be read: %2.")
                           .arg(path, source.errorString()));
    }
    if (source.size() > desktopEntrySizeLimit) {
        return failure(QStringLiteral("“%1” is too large to be a desktop entry.").arg(path));
    }
    *content = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        return failure(QStringLiteral("The desktop entry “%1” could not be read: %2.")
                           .arg(path, source.errorString()));
    }
    return {};
}

} // namespace

LoginItems::LoginItems(QString autostartPath) : m_autostartPath(std::move(autostartPath)) {}

LoginItems LoginItems::standard()
{
    return LoginItems(standardPath(QProcessEnvironment::systemEnvironment()));
}

QString LoginItems::standardPath(const QProcessEnvironment& environment)
{
    return baseFolder(environment, QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("/.config")) +
           QStringLiteral("/autostart");
}

QString LoginItems::findInstalledDesktopEntry(const QString& fileName,
                                              const QProcessEnvironment& environment)
{
    if (!isPlainFileName(fileName)) {
        return {};
    }
    QStringList dataFolders{
        baseFolder(environment, QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/.local/share"))};
    const QString dataDirs = environment.value(QStringLiteral("XDG_DATA_DIRS"));
    if (dataDirs.isEmpty()) {
        dataFolders << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    } else {
        for (const QString& folder : dataDirs.split(u':', Qt::SkipEmptyParts)) {
            if (QDir::isAbsolutePath(folder)) {
                dataFolders << folder;
            }
        }
    }
    for (const QString& folder : std::as_const(dataFolders)) {
        const QString candidate = QDir(folder).filePath(QStringLiteral("applications/") + fileName);
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

QStringList LoginItems::entries() const
{
    return QDir(m_autostartPath)
        .entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Hidden, QDir::Name);
}

bool LoginItems::contains(const QString& fileName) const
{
    return isEntryName(fileName) && QFileInfo(QDir(m_autostartPath).filePath(fileName)).isFile();
}

LoginItems::Result LoginItems::add(const QString& desktopEntryPath) const
{
    QByteArray content;
    if (Result read = readDesktopEntry(desktopEntryPath, &content); !read.succeeded()) {
        return read;
    }

    const QString fileName = QFileInfo(desktopEntryPath).fileName();
    if (const QString error = folder().write(fileName, content); !error.isEmpty())
        return failure(error);
    return {};
}

LoginItems::Result LoginItems::remove(const QString& fileName) const
{
    if (!isEntryName(fileName)) {
        return failure(QStringLiteral("“%1” is not the name of a login item.").arg(fileName));
    }
    if (const QString error = folder().remove(fileName); !error.isEmpty())
        return failure(error);
    return {};
}

AutostartFolder LoginItems::folder() const
{
    const XdgBaseFolders folders;
    return AutostartFolder(m_autostartPath, folders.autostartPaths().mid(1), folders.home());
}

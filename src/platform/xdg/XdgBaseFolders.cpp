#include "platform/xdg/XdgBaseFolders.h"

#include "platform/fs/NativePath.h"

#include <QDir>
#include <QFile>

namespace {

// A folder as given, less its trailing slashes: ".." and links are left to the kernel to resolve.
QString kept(const QString& folder)
{
    return QFile::decodeName(NativePath::trimmed(QFile::encodeName(folder)));
}

QString folderOr(const QProcessEnvironment& environment, const char* name, const QString& fallback)
{
    const QString value = environment.value(QLatin1StringView(name));
    return QDir::isAbsolutePath(value) ? kept(value) : fallback;
}

QStringList foldersOr(const QProcessEnvironment& environment, const char* name,
                      const QStringList& fallback)
{
    QStringList folders;
    const QString value = environment.value(QLatin1StringView(name));
    for (const QString& folder : value.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(folder))
            folders.append(kept(folder));
    }
    return folders.isEmpty() ? fallback : folders;
}

QStringList below(const QStringList& folders, const QString& name)
{
    QStringList paths;
    for (const QString& folder : folders)
        paths.append(folder + u'/' + name);
    paths.removeDuplicates();
    return paths;
}

} // namespace

XdgBaseFolders::XdgBaseFolders(const QProcessEnvironment& environment)
{
    m_home = folderOr(environment, "HOME", QDir::homePath());
    m_dataHome = folderOr(environment, "XDG_DATA_HOME", m_home + QStringLiteral("/.local/share"));
    m_dataDirs = foldersOr(environment, "XDG_DATA_DIRS",
                           {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    m_configHome = folderOr(environment, "XDG_CONFIG_HOME", m_home + QStringLiteral("/.config"));
    m_configDirs = foldersOr(environment, "XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    m_cacheHome = folderOr(environment, "XDG_CACHE_HOME", m_home + QStringLiteral("/.cache"));
    m_currentDesktops =
        environment.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(u':', Qt::SkipEmptyParts);
}

QStringList XdgBaseFolders::applicationPaths() const
{
    return below(QStringList{m_dataHome} + m_dataDirs, QStringLiteral("applications"));
}

QStringList XdgBaseFolders::autostartPaths() const
{
    return below(QStringList{m_configHome} + m_configDirs, QStringLiteral("autostart"));
}

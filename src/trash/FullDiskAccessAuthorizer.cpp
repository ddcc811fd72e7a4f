#include "trash/FullDiskAccessAuthorizer.h"

#include "common/PublicUtilities.h"
#include "platform/fs/NativePath.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <dirent.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcFullDiskAccess, "corvella.fulldiskaccess")

namespace {

QString findProgram(const QProcessEnvironment& environment, const QString& name)
{
    const QStringList folders =
        environment.value(QStringLiteral("PATH")).split(u':', Qt::SkipEmptyParts);
    return folders.isEmpty() ? QString() : QStandardPaths::findExecutable(name, folders);
}

// The names in the folder, or nothing when it cannot be listed.
std::optional<QStringList> listing(const QString& path)
{
    DIR* const folder = ::opendir(QFile::encodeName(path).constData());
    if (folder == nullptr) {
        return std::nullopt;
    }
    QStringList names;
    while (const dirent* const entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.append(QFile::decodeName(name));
        }
    }
    ::closedir(folder);
    return names;
}

} // namespace

QString FullDiskAccessAuthorizer::userDatabaseHome()
{
    const passwd* const record = ::getpwuid(::getuid());
    return record != nullptr && record->pw_dir != nullptr ? QString::fromUtf8(record->pw_dir)
                                                          : QString();
}

FullDiskAccessAuthorizer::FullDiskAccessAuthorizer(QProcessEnvironment environment,
                                                   QString rootFolder,
                                                   std::function<QString()> userRecordHome)
    : m_environment(std::move(environment)), m_rootFolder(std::move(rootFolder)),
      m_userRecordHome(std::move(userRecordHome))
{}

FullDiskAccessAuthorizer* FullDiskAccessAuthorizer::sharedInstance()
{
    static FullDiskAccessAuthorizer* const instance = new FullDiskAccessAuthorizer();
    return instance;
}

QString FullDiskAccessAuthorizer::flatpakId() const
{
    const QString fromEnvironment = m_environment.value(QStringLiteral("FLATPAK_ID"));
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    const QString info = QDir(m_rootFolder).filePath(QStringLiteral(".flatpak-info"));
    if (!QFileInfo::exists(info)) {
        return {};
    }
    const QString name =
        QSettings(info, QSettings::IniFormat).value(QStringLiteral("Application/name")).toString();
    // Sandboxed all the same when the file does not name the application.
    return name.isEmpty() ? tr("<application id>") : name;
}

QString FullDiskAccessAuthorizer::sandboxName() const
{
    if (!flatpakId().isEmpty()) {
        return QStringLiteral("Flatpak");
    }
    if (!m_environment.value(QStringLiteral("SNAP")).isEmpty()) {
        return QStringLiteral("Snap");
    }
    return {};
}

QString FullDiskAccessAuthorizer::homePath() const
{
    if (isSandboxed()) {
        return m_userRecordHome ? m_userRecordHome() : QString();
    }
    const QString home = m_environment.value(QStringLiteral("HOME"));
    return home.isEmpty() ? QDir::homePath() : home;
}

QString FullDiskAccessAuthorizer::probePath() const
{
    const QString home = homePath();
    if (home.isEmpty()) {
        return {};
    }
    // Joined, never cleaned by text: the kernel resolves "..", as it does for the trash emptied.
    const auto trashIn = [](const QString& folder, const char* relative) {
        return QFile::decodeName(
            NativePath::child(NativePath::trimmed(QFile::encodeName(folder)), relative));
    };
    if (!isSandboxed()) {
        return trashIn(XdgBaseFolders(m_environment).dataHome(), "Trash");
    }
    return trashIn(home, ".local/share/Trash");
}

int FullDiskAccessAuthorizer::authorizationStatus() const
{
    qCDebug(lcFullDiskAccess, "isSandboxed : %d", isSandboxed() ? 1 : 0);
    const QString path = probePath();
    if (path.isEmpty()) {
        qCDebug(lcFullDiskAccess) << "the user's record cannot be read; the probe cannot be made";
        return NotDetermined;
    }
    qCDebug(lcFullDiskAccess).noquote()
        << QStringLiteral("userHomePath : %1, path : %2").arg(homePath(), path);
    const bool exists = QFileInfo::exists(path);
    const std::optional<QStringList> names = exists ? listing(path) : std::nullopt;
    qCDebug(lcFullDiskAccess) << "paths :" << names.value_or(QStringList());
    if (!exists) {
        return NotDetermined;
    }
    return names ? Authorized : Denied;
}

QStringList FullDiskAccessAuthorizer::settingsCommand() const
{
    const auto resolved = [this](const QString& program, const QStringList& arguments) {
        const QString path = findProgram(m_environment, program);
        return path.isEmpty() ? QStringList() : QStringList{path} + arguments;
    };
    const QStringList desktops = m_environment.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                                     .toLower()
                                     .split(u':', Qt::SkipEmptyParts);
    for (const QString& listed : desktops) {
        const QString desktop = listed.trimmed();
        QStringList command;
        if (desktop == u"gnome" || desktop == u"unity" || desktop == u"budgie") {
            command =
                resolved(QStringLiteral("gnome-control-center"), {QStringLiteral("applications")});
        } else if (desktop == u"kde") {
            command = resolved(QStringLiteral("systemsettings"), {QStringLiteral("kcm_flatpak")});
        }
        if (!command.isEmpty()) {
            return command;
        }
    }
    return {};
}

bool FullDiskAccessAuthorizer::requestAuthorization() const
{
    return requestAuthorization(PublicUtilities::getSystemVersion());
}

bool FullDiskAccessAuthorizer::requestAuthorization(int systemVersion) const
{
    if (systemVersion < accessCheckVersion) {
        return false;
    }
    QStringList command = settingsCommand();
    if (command.isEmpty()) {
        qCDebug(lcFullDiskAccess) << "this desktop has no known application-permissions settings";
        return false;
    }
    const QString program = command.takeFirst();
    if (!QProcess::startDetached(program, command)) {
        qWarning().noquote()
            << QStringLiteral("The application permissions could not be opened: “%1” could not "
                              "be started.")
                   .arg(program);
        return false;
    }
    return true;
}

QString FullDiskAccessAuthorizer::overrideCommand() const
{
    const QString id = flatpakId();
    return id.isEmpty() ? QString()
                        : QStringLiteral("flatpak override --user --filesystem=home %1").arg(id);
}

QString FullDiskAccessAuthorizer::accessAdvice() const
{
    const QString command = overrideCommand();
    if (!command.isEmpty()) {
        return tr("Give Corvella access to your home folder in a terminal, then "
                  "restart Corvella:\n%1")
            .arg(command);
    }
    if (sandboxName() == u"Snap") {
        return tr("A Snap package reaches the hidden folders of your home, where "
                  "the Trash is kept, only when it was built to. Install Corvella as "
                  "a Flatpak or from your distribution to empty the Trash.");
    }
    return tr("Corvella can reach your Trash folders; nothing needs to be granted.");
}

#include "common/SettingsStore.h"

#include "common/PropertyList.h"
#include "common/ShippedFiles.h"
#include "platform/xdg/XdgBaseFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace {

const QString kFileName = QStringLiteral("StringMessage.plist");
// Marks a user's file that holds only keys written on this machine; a file without it is a full
// copy of the shipped one, as earlier versions wrote it. Never part of what reads answer.
const QString kLayoutKey = QStringLiteral("SettingsLayout");
constexpr qlonglong kLayoutOwnKeysOnly = 2;
// A writer that holds the lock longer than this is waited out no further.
constexpr int kLockWaitMs = 10000;

bool isBuildKey(const QString& key)
{
    return key == u"Version" || key == u"VersionCheck";
}

std::optional<QVariantMap> readDictionary(const QString& path)
{
    const std::optional<QVariant> root = PropertyList::readFile(path);
    if (!root || root->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return root->toMap();
}

enum class UserState { Missing, Read, Unreadable, Damaged };

struct UserFile {
    UserState state = UserState::Missing;
    QVariantMap values;
    QString problem;       // a sentence when the file was not used, else empty
    bool migrated = false; // it was a full copy, and `values` is what remains of it
};

UserFile readUserFile(const QString& path)
{
    UserFile user;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists()) {
            user.state = UserState::Unreadable;
            user.problem = file.errorString();
        }
        return user;
    }
    const std::optional<QVariant> root = PropertyList::parse(file.readAll(), &user.problem);
    if (!root || root->typeId() != QMetaType::QVariantMap) {
        user.state = UserState::Damaged;
        if (root)
            user.problem =
                QCoreApplication::translate("SettingsStore", "it does not hold a dictionary");
        return user;
    }
    user.state = UserState::Read;
    user.values = root->toMap();
    return user;
}

// Moves the file to the first free name of ".corrupt", ".corrupt.2", ...; the new name, or empty.
// Called under the lock, so no other writer of ours takes the name meanwhile.
QString moveAside(const QString& path)
{
    for (int number = 1; number <= 1000; ++number) {
        const QString aside = path + QStringLiteral(".corrupt") +
                              (number == 1 ? QString() : u'.' + QString::number(number));
        if (QFileInfo(aside).exists() || QFileInfo(aside).isSymLink())
            continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
    return {};
}

bool writeUserFile(const QString& path, QVariantMap values)
{
    values.insert(kLayoutKey, kLayoutOwnKeysOnly);
    const QByteArray xml = PropertyList::toXml(values);
    if (xml.isEmpty()) {
        qWarning("Cannot write the settings file %s: a value is nested too deep",
                 qUtf8Printable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit()) {
        qWarning("Cannot write the settings file %s: %s", qUtf8Printable(path),
                 qUtf8Printable(file.errorString()));
        return false;
    }
    return true;
}

enum class Access {
    Look,  // change nothing
    Mend,  // under the lock: move a damaged file aside, rewrite a migrated one
    Write, // under the lock, before a write: move an unreadable file aside too
};

// The user's layer. A full copy keeps only what differs from the shipped values, and never the
// keys describing the installed build: no one but the copying ever wrote those there.
UserFile userLayer(const QString& path, const std::optional<QVariantMap>& shipped, Access access)
{
    UserFile user = readUserFile(path);
    if (user.state == UserState::Damaged || user.state == UserState::Unreadable) {
        const bool moves =
            access == Access::Write || (access == Access::Mend && user.state == UserState::Damaged);
        const QString aside = moves ? moveAside(path) : QString();
        user.problem =
            aside.isEmpty()
                ? QCoreApplication::translate(
                      "SettingsStore", "The settings file %1 could not be read: %2. The shipped "
                                       "settings are used.")
                      .arg(path, user.problem)
                : QCoreApplication::translate(
                      "SettingsStore",
                      "The settings file %1 could not be read: %2. It was moved to "
                      "%3, and the shipped settings are used.")
                      .arg(path, user.problem, aside);
        if (!aside.isEmpty())
            user.state = UserState::Missing;
        return user;
    }
    if (user.state == UserState::Read && shipped &&
        user.values.value(kLayoutKey).toLongLong() != kLayoutOwnKeysOnly) {
        for (auto it = user.values.begin(); it != user.values.end();) {
            const bool copied =
                isBuildKey(it.key()) || shipped->value(it.key(), QVariant()) == it.value();
            it = copied ? user.values.erase(it) : std::next(it);
        }
        user.migrated = true;
        if (access == Access::Mend)
            writeUserFile(path, user.values);
    }
    user.values.remove(kLayoutKey);
    return user;
}

} // namespace

SettingsStore::SettingsStore(QString shippedPath, QString writablePath)
    : m_shippedPath(std::move(shippedPath)), m_writablePath(std::move(writablePath))
{}

QString SettingsStore::findShippedFile()
{
    const QString overridden = qEnvironmentVariable("CORVELLA_SHIPPED_SETTINGS");
    return overridden.isEmpty() ? ShippedFiles::locate(kFileName) : overridden;
}

SettingsStore SettingsStore::standard()
{
    return SettingsStore(findShippedFile(),
                         XdgBaseFolders().configHome() + QStringLiteral("/corvella/") + kFileName);
}

SettingsStore::Reading SettingsStore::read() const
{
    const std::optional<QVariantMap> shipped = readDictionary(m_shippedPath);
    UserFile user = userLayer(m_writablePath, shipped, Access::Look);
    if (user.state == UserState::Damaged || user.migrated) {
        // Mended once, under the lock and from a fresh read: another process may have been first.
        QLockFile lock(m_writablePath + QStringLiteral(".lock"));
        if (lock.tryLock(kLockWaitMs))
            user = userLayer(m_writablePath, shipped, Access::Mend);
    }
    Reading reading{shipped.value_or(QVariantMap()), user.problem};
    for (auto it = user.values.cbegin(); it != user.values.cend(); ++it)
        reading.values.insert(it.key(), it.value());
    return reading;
}

QVariantMap SettingsStore::dictionary() const
{
    Reading reading = read();
    if (!reading.problem.isEmpty())
        qWarning("%s", qUtf8Printable(reading.problem));
    return std::move(reading.values);
}

QVariant SettingsStore::value(const QString& key) const
{
    return dictionary().value(key);
}

QString SettingsStore::stringValue(const QString& key) const
{
    return value(key).toString();
}

bool SettingsStore::setValue(const QString& key, const QVariant& value)
{
    if (key == kLayoutKey) {
        qWarning("The settings key %s is kept by the program", qUtf8Printable(key));
        return false;
    }
    if (!QDir().mkpath(QFileInfo(m_writablePath).absolutePath())) {
        qWarning("Cannot create the settings folder for %s", qUtf8Printable(m_writablePath));
        return false;
    }
    QLockFile lock(m_writablePath + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        qWarning("Cannot lock the settings file %s (%s); not writing",
                 qUtf8Printable(m_writablePath),
                 lock.error() == QLockFile::LockFailedError ? "another process holds it"
                                                            : "the lock file cannot be made");
        return false;
    }
    UserFile user = userLayer(m_writablePath, readDictionary(m_shippedPath), Access::Write);
    if (!user.problem.isEmpty())
        qWarning("%s", qUtf8Printable(user.problem));
    if (user.state == UserState::Damaged || user.state == UserState::Unreadable) {
        qWarning("Not writing the settings file %s: it could not be moved aside",
                 qUtf8Printable(m_writablePath));
        return false;
    }
    user.values.insert(key, value);
    return writeUserFile(m_writablePath, user.values);
}

#include "common/SettingsStore.h"

#include "common/PropertyList.h"
#include "common/ShippedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kFileName = QStringLiteral("StringMessage.plist");

std::optional<QVariantMap> readDictionary(const QString& path)
{
    const std::optional<QVariant> root = PropertyList::readFile(path);
    if (!root || root->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return root->toMap();
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
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return SettingsStore(findShippedFile(),
                         configFolder + QStringLiteral("/corvella/") + kFileName);
}

QVariantMap SettingsStore::dictionary() const
{
    if (std::optional<QVariantMap> writable = readDictionary(m_writablePath))
        return *writable;
    return readDictionary(m_shippedPath).value_or(QVariantMap());
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
    QVariantMap dictionary;
    if (std::optional<QVariantMap> writable = readDictionary(m_writablePath)) {
        dictionary = *writable;
    } else {
        if (QFileInfo::exists(m_writablePath)) {
            // Unreadable or corrupt: keep it for the user to inspect instead of overwriting it.
            const QString aside = m_writablePath + QStringLiteral(".corrupt");
            QFile::remove(aside);
            if (!QFile::rename(m_writablePath, aside)) {
                qWarning("Settings file %s cannot be read and cannot be moved aside; not writing",
                         qUtf8Printable(m_writablePath));
                return false;
            }
            qWarning("Settings file %s could not be read; moved it to %s and started from the "
                     "shipped settings",
                     qUtf8Printable(m_writablePath), qUtf8Printable(aside));
        }
        dictionary = readDictionary(m_shippedPath).value_or(QVariantMap());
    }
    dictionary.insert(key, value);

    if (!QDir().mkpath(QFileInfo(m_writablePath).absolutePath())) {
        qWarning("Cannot create the settings folder for %s", qUtf8Printable(m_writablePath));
        return false;
    }
    QSaveFile file(m_writablePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("Cannot write the settings file %s: %s", qUtf8Printable(m_writablePath),
                 qUtf8Printable(file.errorString()));
        return false;
    }
    file.write(PropertyList::toXml(dictionary));
    if (!file.commit()) {
        qWarning("Cannot write the settings file %s: %s", qUtf8Printable(m_writablePath),
                 qUtf8Printable(file.errorString()));
        return false;
    }
    return true;
}

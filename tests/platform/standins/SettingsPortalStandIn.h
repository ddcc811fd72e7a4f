#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMutexLocker>
#include <QString>

#include <optional>

// Plays the settings portal for tests, knowing one setting: "org.freedesktop.appearance"
// "color-scheme", through ReadOne(). Register it with registerVirtualObject(); QtDBus calls
// handleMessage() on its own thread, hence the mutex.
class SettingsPortalStandIn : public QDBusVirtualObject {
    Q_OBJECT
public:
    static QString serviceName() { return QStringLiteral("org.freedesktop.portal.Desktop"); }
    static QString path() { return QStringLiteral("/org/freedesktop/portal/desktop"); }
    static QString interfaceName() { return QStringLiteral("org.freedesktop.portal.Settings"); }

    // Empty: the setting is not known and reads fail with org.freedesktop.portal.Error.NotFound.
    void setColorScheme(std::optional<uint> colorScheme)
    {
        const QMutexLocker locker(&m_mutex);
        m_colorScheme = colorScheme;
    }
    // The members called so far, in order.
    QStringList members() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_members;
    }

    // Emits SettingChanged(settingNamespace, key, value) on `connection` from the portal's path.
    static void emitSettingChanged(const QDBusConnection& connection,
                                   const QString& settingNamespace, const QString& key,
                                   const QVariant& value);

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QDBusMessage answer(const QDBusMessage& call) const;

    mutable QMutex m_mutex;
    std::optional<uint> m_colorScheme;
    QStringList m_members;
};

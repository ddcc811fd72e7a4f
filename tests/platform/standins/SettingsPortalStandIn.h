#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMutexLocker>
#include <QString>

#include <atomic>
#include <optional>

// Plays the settings portal for tests, knowing one setting: "org.freedesktop.appearance"
// "color-scheme". A legacy portal offers only Read(), which wraps the value in a second variant.
// Replies can be held back to let a test order events. Register it with registerVirtualObject();
// QtDBus calls handleMessage() on its own thread, hence the mutex and atomics.
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
    void setLegacy(bool legacy) { m_legacy = legacy; }
    void setHoldingReplies(bool holding) { m_holdingReplies = holding; }
    void releaseHeldReplies();
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
    std::atomic<bool> m_legacy = false;
    std::atomic<bool> m_holdingReplies = false;
    QList<std::pair<QDBusMessage, QDBusConnection>> m_heldReplies;
    QStringList m_members;
};

#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QMutexLocker>
#include <QString>

#include <optional>

// Plays the freedesktop settings portal (org.freedesktop.portal.Settings at
// /org/freedesktop/portal/desktop) for tests. It knows one setting, the colour scheme of
// "org.freedesktop.appearance"; a legacy portal offers only Read(), which wraps the value in a
// second variant. Replies can be held back and released later to let a test order events.
// Register it with QDBusConnection::registerVirtualObject(path(), standIn).
//
// QtDBus calls handleMessage() on its own thread, so every member is guarded by a mutex.
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
    void setLegacy(bool legacy)
    {
        const QMutexLocker locker(&m_mutex);
        m_legacy = legacy;
    }
    void setHoldingReplies(bool holding)
    {
        const QMutexLocker locker(&m_mutex);
        m_holdingReplies = holding;
    }
    void releaseHeldReplies();
    // The members called so far (ReadOne and Read are answered, or held), in order.
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
    bool m_legacy = false;
    bool m_holdingReplies = false;
    QList<std::pair<QDBusMessage, QDBusConnection>> m_heldReplies;
    QStringList m_members;
};

#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>

#include <optional>

class QDBusPendingCallWatcher;

// Whether the desktop prefers a dark colour scheme, as the freedesktop settings portal
// (org.freedesktop.portal.Settings, "org.freedesktop.appearance" / "color-scheme") reports it.
//
// The first reading is asked for when the object is made and arrives later, so prefersDark() is
// empty until then; every change of the answer, the first one included, emits colorSchemeChanged().
// The portal is followed while the object lives: its SettingChanged signal, and the portal leaving
// the bus (the answer becomes empty) or arriving on it (it is read again).
//
// Use from the thread that owns the object.
class DesktopAppearance : public QObject {
    Q_OBJECT
public:
    explicit DesktopAppearance(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);

    // true: prefers dark; false: prefers light; empty: no portal, no answer yet, or no preference,
    // so the caller falls back to its own palette.
    std::optional<bool> prefersDark() const { return m_prefersDark; }

Q_SIGNALS:
    void colorSchemeChanged();

private Q_SLOTS:
    // Connected by signature: QtDBus delivers bus signals only to slots named this way.
    void onSettingChanged(const QString& settingNamespace, const QString& key,
                          const QDBusVariant& value);

private:
    void readColorScheme();
    void readWith(const QString& method);
    void onReadFinished(QDBusPendingCallWatcher* watcher, const QString& method);
    void setColorScheme(const QVariant& value);
    void setPrefersDark(std::optional<bool> prefersDark);

    QDBusConnection m_bus;
    std::optional<bool> m_prefersDark;
    // Counts readings so that an answer overtaken by a SettingChanged or a newer reading is
    // dropped.
    quint64 m_readGeneration = 0;
};

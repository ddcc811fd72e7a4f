#include "platform/dbus/DesktopAppearance.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// The older Read() wraps the value in a second variant; unwrap as many as there are.
QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = qvariant_cast<QDBusVariant>(value).variant();
    }
    return value;
}

} // namespace

DesktopAppearance::DesktopAppearance(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{
    // QtDBus finds the slot's parameter types by name, which knows only registered types.
    qRegisterMetaType<QDBusVariant>();
    if (!m_bus.connect(portalService, portalPath, settingsInterface,
                       QStringLiteral("SettingChanged"), this,
                       SLOT(onSettingChanged(QString, QString, QDBusVariant)))) {
        const QString reason = m_bus.isConnected()
                                   ? QStringLiteral("the bus refused the subscription")
                                   : QStringLiteral("there is no connection to the session bus");
        qWarning().noquote()
            << QStringLiteral("Changes of the desktop's colour scheme will not be followed: %1.")
                   .arg(reason);
    }

    auto* watcher = new QDBusServiceWatcher(portalService, m_bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty()) {
                    ++m_readGeneration;
                    setPrefersDark(std::nullopt);
                } else {
                    readColorScheme();
                }
            });

    readColorScheme();
}

void DesktopAppearance::onSettingChanged(const QString& settingNamespace, const QString& key,
                                         const QDBusVariant& value)
{
    if (settingNamespace != appearanceNamespace || key != colorSchemeKey) {
        return;
    }
    ++m_readGeneration;
    setColorScheme(value.variant());
}

void DesktopAppearance::readColorScheme()
{
    ++m_readGeneration;
    readWith(QStringLiteral("ReadOne"));
}

void DesktopAppearance::readWith(const QString& method)
{
    if (!m_bus.isConnected()) {
        setPrefersDark(std::nullopt);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, method);
    call << appearanceNamespace << colorSchemeKey;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    const quint64 generation = m_readGeneration;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method, generation](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                if (generation == m_readGeneration) {
                    onReadFinished(done, method);
                }
            });
}

void DesktopAppearance::onReadFinished(QDBusPendingCallWatcher* watcher, const QString& method)
{
    if (watcher->isError()) {
        // Portals before version 2 of the Settings interface only know Read().
        if (watcher->error().type() == QDBusError::UnknownMethod &&
            method != QStringLiteral("Read")) {
            readWith(QStringLiteral("Read"));
            return;
        }
        setPrefersDark(std::nullopt);
        return;
    }
    const QList<QVariant> arguments = watcher->reply().arguments();
    setColorScheme(arguments.isEmpty() ? QVariant() : arguments.constFirst());
}

void DesktopAppearance::setColorScheme(const QVariant& value)
{
    const QVariant scheme = unwrapped(value);
    const int type = scheme.metaType().id();
    if (type != QMetaType::UInt && type != QMetaType::Int) {
        setPrefersDark(std::nullopt);
        return;
    }
    switch (scheme.toUInt()) {
    case 1:
        setPrefersDark(true);
        return;
    case 2:
        setPrefersDark(false);
        return;
    default:
        setPrefersDark(std::nullopt);
        return;
    }
}

void DesktopAppearance::setPrefersDark(std::optional<bool> prefersDark)
{
    if (prefersDark == m_prefersDark) {
        return;
    }
    m_prefersDark = prefersDark;
    Q_EMIT colorSchemeChanged();
}

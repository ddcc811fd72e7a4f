#include "tasks/SessionHelperFilter.h"

namespace {

// Whole names: executables and desktop entry ids of the session's services.
const char* const ServiceNames[] = {
    "dbus-daemon",
    "dbus-broker",
    "dbus-broker-launch",
    "dbus-launch",
    "pulseaudio",
    "pipewire",
    "pipewire-pulse",
    "pipewire-media-session",
    "wireplumber",
    "gnome-keyring-daemon",
    "ssh-agent",
    "gpg-agent",
    "gnome-shell",
    "gnome-session",
    "gnome-session-binary",
    "plasmashell",
    "ksmserver",
    "kwin_x11",
    "kwin_wayland",
    "xfce4-session",
    "xfce4-panel",
    "xfsettingsd",
    "xfdesktop",
    "xfwm4",
    "lxpanel",
    "lxsession",
    "mate-panel",
    "mate-session",
    "openbox",
    "polkit-gnome-authentication-agent-1",
    "xdg-user-dirs-update",
    "xdg-user-dirs-gtk-update",
};

// Beginnings of names: families of services and the panels' plug-in hosts.
const char* const ServicePrefixes[] = {
    "xdg-desktop-portal",
    "xdg-document-portal",
    "xdg-permission-store",
    "org.freedesktop.portal.",
    "org.freedesktop.impl.portal.",
    "gvfs",
    "org.gtk.vfs.",
    "at-spi",
    "org.a11y.",
    "org.gnome.settingsdaemon.",
    "gsd-",
    "kded",
    "org.kde.kded",
    "xfce4-notifyd",
    "wrapper-1.0",
    "wrapper-2.0",
    "evolution-",
    "org.gnome.evolution-alarm-notify",
};

} // namespace

bool SessionHelperFilter::isAutostartUnit(const QByteArray& unit)
{
    return unit.startsWith("app-") && unit.endsWith("@autostart.service");
}

bool SessionHelperFilter::isSessionService(const QStringList& names)
{
    for (const QString& name : names) {
        if (name.isEmpty())
            continue;
        const QString lower = name.toLower();
        for (const char* service : ServiceNames) {
            if (lower == QLatin1StringView(service))
                return true;
        }
        for (const char* prefix : ServicePrefixes) {
            if (lower.startsWith(QLatin1StringView(prefix)))
                return true;
        }
    }
    return false;
}

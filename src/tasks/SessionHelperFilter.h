#pragma once

#include <QByteArray>
#include <QStringList>

// Tells the desktop session's own programs from the applications a user would choose to end.
// Ending a portal, the sound server, the session bus or the panel's helpers breaks the session
// rather than closing anything the user opened, so the application list leaves them out.
// Pure rules, safe on any thread.
class SessionHelperFilter {
public:
    SessionHelperFilter() = delete;

    // A unit the session started by itself at login from an autostart entry: systemd's
    // "app-<id>@autostart.service" (the XDG autostart generator's units).
    static bool isAutostartUnit(const QByteArray& unit);
    // Whether any of `names` (application ids of a unit or a desktop entry, window classes,
    // executable names; compared without case) is one of the session's own services: portals,
    // the session bus, the sound server, gvfs, the accessibility bus, the keyring, and the
    // desktop's shell, panel and settings helpers.
    static bool isSessionService(const QStringList& names);
};

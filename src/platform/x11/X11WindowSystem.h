#pragma once

#include "platform/x11/WindowSystem.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <cstdint>

struct xcb_connection_t;

// WindowSystem on X11, speaking ICCCM and EWMH to the window manager and KWin's blur protocol to
// the compositor, over the xcb connection of Qt's platform plugin (not owned).
//
// Hiding other applications needs a window manager: iconifying is the manager's job (ICCCM 4.1.4),
// so without one nothing is hidden and unavailableReason() says so. Other clients' windows are
// never unmapped directly.
class X11WindowSystem final : public WindowSystem {
public:
    // The connection must stay open as long as this object is used.
    explicit X11WindowSystem(xcb_connection_t* connection);

    // The system of the running QGuiApplication, or nullptr when it is not on the xcb platform.
    static std::unique_ptr<X11WindowSystem> fromApplication();

    bool isX11() const override { return true; }
    bool canHideOtherApplications() const override;
    QString unavailableReason() const override;
    QString hideOtherApplications(WId ownWindowToKeep) override;
    bool setBlurBehind(QWindow* window, bool enabled) override;
    bool nativeWindowExists(WId id) const override;
    bool activateForStartup(QWindow* window, const QByteArray& startupId) override;

private:
    using XWindow = std::uint32_t;
    using XAtom = std::uint32_t;

    XAtom atom(const char* name) const;
    XWindow rootWindow(WId near) const;
    QString reasonUnavailable(XWindow root) const;
    bool windowManagerRunning(XWindow root) const;
    QList<XWindow> clientWindows(XWindow root) const;
    XWindow clientBelow(XWindow window, int depth) const;
    bool belongsToThisProcess(XWindow window, WId ownWindowToKeep) const;
    bool shouldStayVisible(XWindow window) const;
    // The startup-notification message (freedesktop startup-notification: 20-byte pieces of
    // _NET_STARTUP_INFO_BEGIN, then _NET_STARTUP_INFO) from window to the root.
    void sendStartupMessage(XWindow window, XWindow root, const QByteArray& message) const;
    // The 32-bit items of a property (CARDINAL, WINDOW, ATOM), empty when it is missing.
    QList<std::uint32_t> property32(XWindow window, XAtom property, XAtom type) const;

    xcb_connection_t* m_connection;
    mutable QHash<QByteArray, XAtom> m_atoms;
};

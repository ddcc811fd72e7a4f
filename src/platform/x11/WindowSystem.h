#pragma once

#include <QString>
#include <QWindow>

#include <memory>

// The services of the desktop's window system that the popup windows and the main panel need:
// hiding the windows of the other applications and blurring what lies behind a translucent window.
//
// One implementation per window system: X11WindowSystem on X11 ("xcb" platform plugin) and an
// implementation that declines everything elsewhere (Wayland, offscreen). Every operation runs on
// the GUI thread only, because it uses the connection of the Qt platform plugin.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The implementation for the running Qt platform plugin. Needs a QGuiApplication.
    static std::unique_ptr<WindowSystem> create();
    // The shared instance, created by create() on first use and kept for the rest of the run.
    static WindowSystem& instance();

    // The one question for what only X11 allows: hiding other applications, listing and closing
    // their windows, placing a window at a point of the screen. Elsewhere (Wayland) the controls
    // that need it say so ("Needs an X11 session"), and the compositor places every window.
    virtual bool isX11() const = 0;

    // Whether hideOtherApplications() can work right now; when it cannot, unavailableReason()
    // tells the user why in one sentence.
    virtual bool canHideOtherApplications() const = 0;
    virtual QString unavailableReason() const = 0;

    // Asks the window manager to minimise every top-level window that belongs to another process.
    // Windows of this process, ownWindowToKeep among them, and docks or desktop windows stay.
    // Returns an empty string on success, otherwise a text for the user saying what failed.
    virtual QString hideOtherApplications(WId ownWindowToKeep) = 0;

    // Asks the compositor to blur what lies behind the whole window, or to stop doing so.
    // Creates the native window if needed. Returns false when the platform has no such request.
    virtual bool setBlurBehind(QWindow* window, bool enabled) = 0;

    // Whether the native window `id` still exists. Another client may destroy it behind Qt's
    // back, which Qt only sees as an unmap. True when the platform cannot tell.
    virtual bool nativeWindowExists(WId id) const = 0;

    // Brings a shown window to the front for a launch that handed its startup id to this
    // process (a later start, an activation over D-Bus). The id's "_TIME<n>" is the time of
    // the user's click, which a window manager's focus-stealing prevention weighs instead of
    // this process's last event; the launcher's startup feedback for the id is ended. False when
    // the platform has no such request or the id carries no time.
    virtual bool activateForStartup(QWindow* window, const QByteArray& startupId)
    {
        Q_UNUSED(window);
        Q_UNUSED(startupId);
        return false;
    }
};

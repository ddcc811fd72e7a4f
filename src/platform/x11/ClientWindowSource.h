#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>

// One top-level window of an application as the window manager lists it.
struct ClientWindow {
    std::uint32_t window = 0;
    // The process that owns the window, 0 when the window system cannot tell.
    int pid = 0;
    // WM_CLASS: the instance and class names ("navigator", "firefox-esr").
    QByteArray instanceName;
    QByteArray className;
    // _GTK_APPLICATION_ID, or the like, the desktop entry's identifier ("org.gnome.Terminal").
    QByteArray applicationId;
};

// The application windows of the desktop session, in the window manager's order. One
// implementation per window system; the application list reads it on its worker thread, so an
// implementation is used by one thread at a time and never touches the GUI's connection.
class ClientWindowSource {
public:
    // How a window was asked to close.
    enum class CloseRequest {
        // Neither way is open: the window system is gone, or the window neither has a manager
        // that closes windows nor takes the close protocol.
        None,
        // Through the window manager (_NET_CLOSE_WINDOW on X11), as its title bar's close button
        // does.
        WindowManager,
        // Straight to the application (WM_DELETE_WINDOW on X11), where no manager closes windows.
        Protocol,
    };

    virtual ~ClientWindowSource() = default;

    // The normal application windows, or nothing when there is no window manager to ask.
    virtual std::optional<QList<ClientWindow>> clientWindows() = 0;
    // A descriptor that becomes readable when the list of windows may have changed, or -1 when
    // changes cannot be watched. After it turns readable, call takeClientListChange().
    virtual int changeDescriptor() { return -1; }
    // Consumes the pending notices; true when the list of windows changed since the last call.
    virtual bool takeClientListChange() { return false; }
    // Asks the application of `window` to close it the way the desktop's close button does, so
    // that the application may ask about unsaved work first. Sends and returns at once; the
    // answer is the application's (it may quit, ask, or refuse).
    virtual CloseRequest requestClose(std::uint32_t /*window*/) { return CloseRequest::None; }
};

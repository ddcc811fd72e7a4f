#pragma once

#include "platform/x11/ClientWindowSource.h"

#include <QHash>

class XcbLibrary;
struct xcb_connection_t;

// ClientWindowSource on X11: the root window's _NET_CLIENT_LIST of an EWMH window manager, each
// window's process from the X-Resource extension's client ids (the server's word), or from
// _NET_WM_PID on servers without that extension. Windows of remote clients get no process.
//
// Opens a connection of its own to $DISPLAY (never the GUI's), so it may live on a worker thread;
// use it from one thread at a time. Without a display, without libxcb (opened on first use, see
// XcbLibrary), or without a window manager that keeps a client list, clientWindows() gives nothing.
class X11ClientWindows final : public ClientWindowSource {
public:
    X11ClientWindows();
    ~X11ClientWindows() override;
    X11ClientWindows(const X11ClientWindows&) = delete;
    X11ClientWindows& operator=(const X11ClientWindows&) = delete;

    bool isConnected() const;
    // Why the X library could not be opened; empty when it was (a missing display is no error).
    QString errorString() const;

    std::optional<QList<ClientWindow>> clientWindows() override;
    // Watches the root window's properties; readable on any change, filtered by
    // takeClientListChange().
    int changeDescriptor() override;
    bool takeClientListChange() override;
    // _NET_CLOSE_WINDOW to the root window when a running EWMH manager supports it, else
    // WM_DELETE_WINDOW when the window lists it in WM_PROTOCOLS.
    CloseRequest requestClose(std::uint32_t window) override;

private:
    // Whether an EWMH window manager runs (its check window names itself) and lists `feature` in
    // _NET_SUPPORTED; a manager that has gone leaves its properties behind.
    bool managerSupports(std::uint32_t feature);
    QList<std::uint32_t> atomsOf(std::uint32_t window, const char* property, std::uint32_t type);

    std::uint32_t atom(const char* name);
    // The local process of each window's client, keyed by the client's resource base; nothing
    // when the server has no X-Resource extension.
    std::optional<QHash<std::uint32_t, int>>
    pidsFromResourceExtension(const QList<std::uint32_t>& windows);

    const XcbLibrary& m_xcb;
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    bool m_watching = false;
    QHash<QByteArray, std::uint32_t> m_atoms;
};

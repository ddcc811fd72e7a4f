#pragma once

#include <QString>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

// libxcb, opened with dlopen() on first use rather than linked: with its own dependencies (Xau,
// Xdmcp, bsd, md) it would be loaded at the start of every corvella-cli command, while only the
// window list of the running applications talks to the X server.
//
// instance() opens the library once for the whole process (thread-safe) and never closes it
// (connections may outlive any one user). The members are the library's functions of the same
// name. Call them only when isLoaded(): with the library or one of these functions missing,
// errorString() says why, in the dynamic loader's words.
class XcbLibrary {
public:
    static const XcbLibrary& instance();

    bool isLoaded() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    decltype(&::xcb_change_window_attributes) xcb_change_window_attributes = nullptr;
    decltype(&::xcb_connect) xcb_connect = nullptr;
    decltype(&::xcb_connection_has_error) xcb_connection_has_error = nullptr;
    decltype(&::xcb_disconnect) xcb_disconnect = nullptr;
    decltype(&::xcb_flush) xcb_flush = nullptr;
    decltype(&::xcb_get_extension_data) xcb_get_extension_data = nullptr;
    decltype(&::xcb_get_file_descriptor) xcb_get_file_descriptor = nullptr;
    decltype(&::xcb_get_property) xcb_get_property = nullptr;
    decltype(&::xcb_get_property_reply) xcb_get_property_reply = nullptr;
    decltype(&::xcb_get_property_value) xcb_get_property_value = nullptr;
    decltype(&::xcb_get_property_value_length) xcb_get_property_value_length = nullptr;
    decltype(&::xcb_get_setup) xcb_get_setup = nullptr;
    decltype(&::xcb_intern_atom) xcb_intern_atom = nullptr;
    decltype(&::xcb_intern_atom_reply) xcb_intern_atom_reply = nullptr;
    decltype(&::xcb_poll_for_event) xcb_poll_for_event = nullptr;
    decltype(&::xcb_screen_next) xcb_screen_next = nullptr;
    decltype(&::xcb_send_event) xcb_send_event = nullptr;
    decltype(&::xcb_send_request) xcb_send_request = nullptr;
    decltype(&::xcb_setup_roots_iterator) xcb_setup_roots_iterator = nullptr;
    decltype(&::xcb_wait_for_reply) xcb_wait_for_reply = nullptr;

    // Opens `fileName` (a soname such as "libxcb.so.1", or a path) for instance() and tests.
    explicit XcbLibrary(const char* fileName);
    XcbLibrary(const XcbLibrary&) = delete;
    XcbLibrary& operator=(const XcbLibrary&) = delete;

private:
    QString m_error;
};

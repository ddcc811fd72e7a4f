#include "platform/x11/XcbLibrary.h"

#include "platform/SharedLibrary.h"

const XcbLibrary& XcbLibrary::instance()
{
    static const XcbLibrary library("libxcb.so.1");
    return library;
}

XcbLibrary::XcbLibrary(const char* fileName)
{
    // Never closed: connections, and the extension ids it keeps, live as long as the process.
    SharedLibrary library(fileName, "the X library");
    if (!library.isOpen()) {
        m_error = library.errorString();
        return;
    }
#define CORVELLA_RESOLVE(name) library.resolve(#name, name)
    if (CORVELLA_RESOLVE(xcb_change_window_attributes) && CORVELLA_RESOLVE(xcb_connect) &&
        CORVELLA_RESOLVE(xcb_connection_has_error) && CORVELLA_RESOLVE(xcb_disconnect) &&
        CORVELLA_RESOLVE(xcb_flush) && CORVELLA_RESOLVE(xcb_get_extension_data) &&
        CORVELLA_RESOLVE(xcb_get_file_descriptor) && CORVELLA_RESOLVE(xcb_get_property) &&
        CORVELLA_RESOLVE(xcb_get_property_reply) && CORVELLA_RESOLVE(xcb_get_property_value) &&
        CORVELLA_RESOLVE(xcb_get_property_value_length) && CORVELLA_RESOLVE(xcb_get_setup) &&
        CORVELLA_RESOLVE(xcb_intern_atom) && CORVELLA_RESOLVE(xcb_intern_atom_reply) &&
        CORVELLA_RESOLVE(xcb_poll_for_event) && CORVELLA_RESOLVE(xcb_screen_next) &&
        CORVELLA_RESOLVE(xcb_send_event) && CORVELLA_RESOLVE(xcb_send_request) &&
        CORVELLA_RESOLVE(xcb_setup_roots_iterator) && CORVELLA_RESOLVE(xcb_wait_for_reply))
        return;
#undef CORVELLA_RESOLVE
    // A function is missing, so isLoaded() is false and none is called. The library stays open
    // all the same: no member points into unmapped code.
    m_error = library.errorString();
}

#include "platform/XcbLibrary.h"

#include <dlfcn.h>

namespace {

// Stores the address of `name` in `function`; false with the loader's reason when it is missing.
template <typename Function>
bool resolve(void* handle, const char* name, Function& function, QString& error)
{
    dlerror();
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function)
        return true;
    const char* reason = dlerror();
    error = reason ? QString::fromLocal8Bit(reason)
                   : QStringLiteral("%1 is null in the X library").arg(QLatin1StringView(name));
    return false;
}

} // namespace

const XcbLibrary& XcbLibrary::instance()
{
    static const XcbLibrary library("libxcb.so.1");
    return library;
}

XcbLibrary::XcbLibrary(const char* fileName)
{
    // Never closed: connections, and the extension ids it keeps, live as long as the process.
    void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        m_error = reason
                      ? QString::fromLocal8Bit(reason)
                      : QStringLiteral("%1 cannot be opened").arg(QString::fromLocal8Bit(fileName));
        return;
    }
#define CORVELLA_RESOLVE(name) resolve(handle, #name, name, m_error)
    if (CORVELLA_RESOLVE(xcb_change_window_attributes) && CORVELLA_RESOLVE(xcb_connect) &&
        CORVELLA_RESOLVE(xcb_connection_has_error) && CORVELLA_RESOLVE(xcb_disconnect) &&
        CORVELLA_RESOLVE(xcb_flush) && CORVELLA_RESOLVE(xcb_get_extension_data) &&
        CORVELLA_RESOLVE(xcb_get_file_descriptor) && CORVELLA_RESOLVE(xcb_get_property) &&
        CORVELLA_RESOLVE(xcb_get_property_reply) && CORVELLA_RESOLVE(xcb_get_property_value) &&
        CORVELLA_RESOLVE(xcb_get_property_value_length) && CORVELLA_RESOLVE(xcb_get_setup) &&
        CORVELLA_RESOLVE(xcb_intern_atom) && CORVELLA_RESOLVE(xcb_intern_atom_reply) &&
        CORVELLA_RESOLVE(xcb_poll_for_event) && CORVELLA_RESOLVE(xcb_screen_next) &&
        CORVELLA_RESOLVE(xcb_send_request) && CORVELLA_RESOLVE(xcb_setup_roots_iterator) &&
        CORVELLA_RESOLVE(xcb_wait_for_reply))
        return;
#undef CORVELLA_RESOLVE
    // A function is missing (m_error names it), so isLoaded() is false and none is called. The
    // library stays open all the same: no member points into unmapped code.
}

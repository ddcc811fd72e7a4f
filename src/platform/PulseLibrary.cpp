#include "platform/PulseLibrary.h"

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
                   : QStringLiteral("%1 is null in the sound library").arg(QLatin1StringView(name));
    return false;
}

} // namespace

const PulseLibrary& PulseLibrary::instance()
{
    static const PulseLibrary library("libpulse.so.0");
    return library;
}

PulseLibrary::PulseLibrary(const char* fileName)
{
    // Never closed: the threads and callbacks of its main loops run in it.
    void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        m_error = reason
                      ? QString::fromLocal8Bit(reason)
                      : QStringLiteral("%1 cannot be opened").arg(QString::fromLocal8Bit(fileName));
        return;
    }
#define CORVELLA_RESOLVE(name) resolve(handle, #name, name, m_error)
    if (CORVELLA_RESOLVE(pa_context_connect) && CORVELLA_RESOLVE(pa_context_disconnect) &&
        CORVELLA_RESOLVE(pa_context_errno) && CORVELLA_RESOLVE(pa_context_get_sink_info_by_name) &&
        CORVELLA_RESOLVE(pa_context_get_state) && CORVELLA_RESOLVE(pa_context_new) &&
        CORVELLA_RESOLVE(pa_context_set_sink_mute_by_index) &&
        CORVELLA_RESOLVE(pa_context_set_sink_volume_by_index) &&
        CORVELLA_RESOLVE(pa_context_set_state_callback) &&
        CORVELLA_RESOLVE(pa_context_set_subscribe_callback) &&
        CORVELLA_RESOLVE(pa_context_subscribe) && CORVELLA_RESOLVE(pa_context_unref) &&
        CORVELLA_RESOLVE(pa_cvolume_max) && CORVELLA_RESOLVE(pa_cvolume_scale) &&
        CORVELLA_RESOLVE(pa_cvolume_set) && CORVELLA_RESOLVE(pa_cvolume_valid) &&
        CORVELLA_RESOLVE(pa_operation_unref) && CORVELLA_RESOLVE(pa_strerror) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_free) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_get_api) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_lock) && CORVELLA_RESOLVE(pa_threaded_mainloop_new) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_set_name) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_start) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_stop) &&
        CORVELLA_RESOLVE(pa_threaded_mainloop_unlock))
        return;
#undef CORVELLA_RESOLVE
    // A function is missing (m_error names it), so isLoaded() is false and none is called. The
    // library stays open all the same: no member points into unmapped code.
}

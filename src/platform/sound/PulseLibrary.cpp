#include "platform/sound/PulseLibrary.h"

#include "platform/SharedLibrary.h"

const PulseLibrary& PulseLibrary::instance()
{
    static const PulseLibrary library("libpulse.so.0");
    return library;
}

PulseLibrary::PulseLibrary(const char* fileName)
{
    // Never closed: the threads and callbacks of its main loops run in it.
    SharedLibrary library(fileName, "the sound library");
    if (!library.isOpen()) {
        m_error = library.errorString();
        return;
    }
#define CORVELLA_RESOLVE(name) library.resolve(#name, name)
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
    // A function is missing, so isLoaded() is false and none is called. The library stays open
    // all the same: no member points into unmapped code.
    m_error = library.errorString();
}

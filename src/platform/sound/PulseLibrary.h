#pragma once

#include <QString>

#include <pulse/pulseaudio.h>

// libpulse, opened with dlopen() on first use rather than linked: it pulls some twenty libraries
// (codecs, X11, xcb) into every Corvella process, and their loading dominates the start of
// corvella-cli, while only the sound volume needs them.
//
// instance() opens the library once for the whole process (thread-safe) and never closes it
// (its threads and callbacks may outlive any one user). The members are the library's functions
// of the same name. Call them only when isLoaded(): with the library or one of these functions
// missing, errorString() says why, in the dynamic loader's words.
class PulseLibrary {
public:
    static const PulseLibrary& instance();

    bool isLoaded() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    decltype(&::pa_context_connect) pa_context_connect = nullptr;
    decltype(&::pa_context_disconnect) pa_context_disconnect = nullptr;
    decltype(&::pa_context_errno) pa_context_errno = nullptr;
    decltype(&::pa_context_get_sink_info_by_name) pa_context_get_sink_info_by_name = nullptr;
    decltype(&::pa_context_get_state) pa_context_get_state = nullptr;
    decltype(&::pa_context_new) pa_context_new = nullptr;
    decltype(&::pa_context_set_sink_mute_by_index) pa_context_set_sink_mute_by_index = nullptr;
    decltype(&::pa_context_set_sink_volume_by_index) pa_context_set_sink_volume_by_index = nullptr;
    decltype(&::pa_context_set_state_callback) pa_context_set_state_callback = nullptr;
    decltype(&::pa_context_set_subscribe_callback) pa_context_set_subscribe_callback = nullptr;
    decltype(&::pa_context_subscribe) pa_context_subscribe = nullptr;
    decltype(&::pa_context_unref) pa_context_unref = nullptr;
    decltype(&::pa_cvolume_max) pa_cvolume_max = nullptr;
    decltype(&::pa_cvolume_scale) pa_cvolume_scale = nullptr;
    decltype(&::pa_cvolume_set) pa_cvolume_set = nullptr;
    decltype(&::pa_cvolume_valid) pa_cvolume_valid = nullptr;
    decltype(&::pa_operation_unref) pa_operation_unref = nullptr;
    decltype(&::pa_strerror) pa_strerror = nullptr;
    decltype(&::pa_threaded_mainloop_free) pa_threaded_mainloop_free = nullptr;
    decltype(&::pa_threaded_mainloop_get_api) pa_threaded_mainloop_get_api = nullptr;
    decltype(&::pa_threaded_mainloop_lock) pa_threaded_mainloop_lock = nullptr;
    decltype(&::pa_threaded_mainloop_new) pa_threaded_mainloop_new = nullptr;
    decltype(&::pa_threaded_mainloop_set_name) pa_threaded_mainloop_set_name = nullptr;
    decltype(&::pa_threaded_mainloop_start) pa_threaded_mainloop_start = nullptr;
    decltype(&::pa_threaded_mainloop_stop) pa_threaded_mainloop_stop = nullptr;
    decltype(&::pa_threaded_mainloop_unlock) pa_threaded_mainloop_unlock = nullptr;

    // Opens `fileName` (a soname such as "libpulse.so.0", or a path) for instance() and tests.
    explicit PulseLibrary(const char* fileName);
    PulseLibrary(const PulseLibrary&) = delete;
    PulseLibrary& operator=(const PulseLibrary&) = delete;

private:
    QString m_error;
};

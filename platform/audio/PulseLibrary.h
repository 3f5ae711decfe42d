#pragma once

#include "platform/system/SystemLibrary.h"

#include <pulse/pulseaudio.h>

namespace platform {

// The calls made into the PulseAudio client library, which is loaded on first use rather than
// with the application: it brings a dozen libraries of its own (codecs among them) that the
// start-up then does not pay for.
#define DURIDOVE_PULSE_CALLS(CALL)                                                                             \
    CALL(pa_context_connect) CALL(pa_context_disconnect) CALL(pa_context_errno) CALL(pa_context_get_server_info) \
    CALL(pa_context_get_sink_info_by_index) CALL(pa_context_get_sink_info_by_name) CALL(pa_context_get_state)     \
    CALL(pa_context_new) CALL(pa_context_set_sink_mute_by_index) CALL(pa_context_set_sink_volume_by_index)        \
    CALL(pa_context_set_state_callback) CALL(pa_context_unref) CALL(pa_cvolume_max) CALL(pa_cvolume_scale)        \
    CALL(pa_cvolume_valid) CALL(pa_gettimeofday) CALL(pa_operation_cancel) CALL(pa_operation_get_state)          \
    CALL(pa_operation_unref) CALL(pa_strerror) CALL(pa_threaded_mainloop_free) CALL(pa_threaded_mainloop_get_api) \
    CALL(pa_threaded_mainloop_lock) CALL(pa_threaded_mainloop_new) CALL(pa_threaded_mainloop_signal)             \
    CALL(pa_threaded_mainloop_start) CALL(pa_threaded_mainloop_stop) CALL(pa_threaded_mainloop_unlock)           \
    CALL(pa_threaded_mainloop_wait) CALL(pa_timeval_add)

struct PulseLibrary {
    DURIDOVE_PULSE_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const PulseLibrary* loaded();
};

}  // namespace platform

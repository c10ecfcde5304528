#pragma once

// libpulse, loaded at the first cry rather than when the program starts: the library
// and the codecs it brings along cost the start a few milliseconds, and a pet that
// never cries never needs them. Each function keeps its libpulse name.

#include <pulse/channelmap.h>
#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/proplist.h>
#include <pulse/scache.h>
#include <pulse/stream.h>

namespace gribo::sound {

#define GRIBO_PULSE_FUNCTIONS(X)            \
    X(pa_mainloop_new)                      \
    X(pa_mainloop_free)                     \
    X(pa_mainloop_prepare)                  \
    X(pa_mainloop_poll)                     \
    X(pa_mainloop_dispatch)                 \
    X(pa_mainloop_get_api)                  \
    X(pa_mainloop_set_poll_func)            \
    X(pa_proplist_new)                      \
    X(pa_proplist_sets)                     \
    X(pa_proplist_free)                     \
    X(pa_context_new_with_proplist)         \
    X(pa_context_set_state_callback)        \
    X(pa_context_connect)                   \
    X(pa_context_disconnect)                \
    X(pa_context_unref)                     \
    X(pa_context_get_state)                 \
    X(pa_context_errno)                     \
    X(pa_context_play_sample_with_proplist) \
    X(pa_channel_map_init_extend)           \
    X(pa_stream_new_with_proplist)          \
    X(pa_stream_set_state_callback)         \
    X(pa_stream_connect_upload)             \
    X(pa_stream_get_state)                  \
    X(pa_stream_write)                      \
    X(pa_stream_finish_upload)              \
    X(pa_stream_disconnect)                 \
    X(pa_stream_unref)                      \
    X(pa_operation_unref)

struct PulseLibrary {
#define GRIBO_PULSE_POINTER(name) decltype(&::name) name = nullptr;
    GRIBO_PULSE_FUNCTIONS(GRIBO_PULSE_POINTER)
#undef GRIBO_PULSE_POINTER

    // The library, loaded at the first call and kept to the program's end; null when it
    // cannot be loaded whole (then the game is silent, as with no server).
    static const PulseLibrary* get();
};

}  // namespace gribo::sound

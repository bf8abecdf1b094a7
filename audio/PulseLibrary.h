// SPDX-License-Identifier: MIT
// The sound server's client library (PulseAudio's protocol, which PipeWire speaks too), loaded
// when the first piece of music needs it: on a desktop the music plays through it directly, and
// SDL, with the two dozen libraries it brings, is not loaded for the music at all.
#pragma once

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

struct PulseLibrary {
    decltype(&pa_threaded_mainloop_new) mainloopNew;
    decltype(&pa_threaded_mainloop_free) mainloopFree;
    decltype(&pa_threaded_mainloop_start) mainloopStart;
    decltype(&pa_threaded_mainloop_stop) mainloopStop;
    decltype(&pa_threaded_mainloop_lock) mainloopLock;
    decltype(&pa_threaded_mainloop_unlock) mainloopUnlock;
    decltype(&pa_threaded_mainloop_wait) mainloopWait;
    decltype(&pa_threaded_mainloop_signal) mainloopSignal;
    decltype(&pa_threaded_mainloop_get_api) mainloopApi;
    decltype(&pa_proplist_new) proplistNew;
    decltype(&pa_proplist_sets) proplistSets;
    decltype(&pa_proplist_free) proplistFree;
    decltype(&pa_context_new_with_proplist) contextNew;
    decltype(&pa_context_set_state_callback) contextSetStateCallback;
    decltype(&pa_context_connect) contextConnect;
    decltype(&pa_context_get_state) contextState;
    decltype(&pa_context_errno) contextErrno;
    decltype(&pa_context_disconnect) contextDisconnect;
    decltype(&pa_context_unref) contextUnref;
    decltype(&pa_stream_new_with_proplist) streamNew;
    decltype(&pa_stream_set_state_callback) streamSetStateCallback;
    decltype(&pa_stream_set_write_callback) streamSetWriteCallback;
    decltype(&pa_stream_connect_playback) streamConnectPlayback;
    decltype(&pa_stream_get_state) streamState;
    decltype(&pa_stream_begin_write) streamBeginWrite;
    decltype(&pa_stream_write) streamWrite;
    decltype(&pa_stream_disconnect) streamDisconnect;
    decltype(&pa_stream_unref) streamUnref;
    decltype(&pa_strerror) strerror;
};

// Loads the library on the first call, from any thread; null when it is missing or incomplete
// (then the music goes through SDL).
const PulseLibrary* pulseLibrary();

// SPDX-License-Identifier: MIT
// The sound server's client calls, opened by their versioned name and never unloaded.
#include "audio/PulseLibrary.h"

#include "audio/SharedLibrary.h"

namespace {

const PulseLibrary* load() {
    void* pulse = openSharedLibrary("libpulse.so.0");
    if (!pulse) return nullptr;
    static PulseLibrary library;
    PulseLibrary& l = library;
    const bool complete =
        findSymbol(pulse, l.mainloopNew, "pa_threaded_mainloop_new") &&
        findSymbol(pulse, l.mainloopFree, "pa_threaded_mainloop_free") &&
        findSymbol(pulse, l.mainloopStart, "pa_threaded_mainloop_start") &&
        findSymbol(pulse, l.mainloopStop, "pa_threaded_mainloop_stop") &&
        findSymbol(pulse, l.mainloopLock, "pa_threaded_mainloop_lock") &&
        findSymbol(pulse, l.mainloopUnlock, "pa_threaded_mainloop_unlock") &&
        findSymbol(pulse, l.mainloopWait, "pa_threaded_mainloop_wait") &&
        findSymbol(pulse, l.mainloopSignal, "pa_threaded_mainloop_signal") &&
        findSymbol(pulse, l.mainloopApi, "pa_threaded_mainloop_get_api") &&
        findSymbol(pulse, l.proplistNew, "pa_proplist_new") &&
        findSymbol(pulse, l.proplistSets, "pa_proplist_sets") &&
        findSymbol(pulse, l.proplistFree, "pa_proplist_free") &&
        findSymbol(pulse, l.contextNew, "pa_context_new_with_proplist") &&
        findSymbol(pulse, l.contextSetStateCallback, "pa_context_set_state_callback") &&
        findSymbol(pulse, l.contextConnect, "pa_context_connect") &&
        findSymbol(pulse, l.contextState, "pa_context_get_state") &&
        findSymbol(pulse, l.contextErrno, "pa_context_errno") &&
        findSymbol(pulse, l.contextDisconnect, "pa_context_disconnect") &&
        findSymbol(pulse, l.contextUnref, "pa_context_unref") &&
        findSymbol(pulse, l.streamNew, "pa_stream_new_with_proplist") &&
        findSymbol(pulse, l.streamSetStateCallback, "pa_stream_set_state_callback") &&
        findSymbol(pulse, l.streamSetWriteCallback, "pa_stream_set_write_callback") &&
        findSymbol(pulse, l.streamConnectPlayback, "pa_stream_connect_playback") &&
        findSymbol(pulse, l.streamState, "pa_stream_get_state") &&
        findSymbol(pulse, l.streamBeginWrite, "pa_stream_begin_write") &&
        findSymbol(pulse, l.streamWrite, "pa_stream_write") &&
        findSymbol(pulse, l.streamDisconnect, "pa_stream_disconnect") &&
        findSymbol(pulse, l.streamUnref, "pa_stream_unref") &&
        findSymbol(pulse, l.strerror, "pa_strerror");
    return complete ? &library : nullptr;
}

} // namespace

const PulseLibrary* pulseLibrary() {
    static const PulseLibrary* const library = load();
    return library;
}

#include "platform/mci/CaptureSource.h"

#include <pulse/pulseaudio.h>

namespace sondex::mci {

namespace {

// Waits, with the mainloop locked, until the operation has run or was
// cancelled (a lost server cancels it), or the caller has given up.
void waitFor(pa_threaded_mainloop* mainloop, pa_operation* operation, const bool& givenUp) {
    if (!operation) return;
    pa_operation_set_state_callback(
        operation,
        [](pa_operation*, void* loop) {
            pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
        },
        mainloop);
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING && !givenUp)
        pa_threaded_mainloop_wait(mainloop);
    pa_operation_set_state_callback(operation, nullptr, nullptr);
    // Its answer must not arrive after the caller's variables are gone.
    if (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) pa_operation_cancel(operation);
    pa_operation_unref(operation);
}

}  // namespace

CaptureSource CaptureSource::chosenBy(const EngineOptions& options) {
    if (!options.recordOwnPlayback || !options.playbackStreams) return {};
    const std::optional<PlaybackStreams::Stream> stream = options.playbackStreams->current();
    if (!stream) return {};
    return {stream->sinkInputIndex};
}

QByteArray monitorSourceOf(pa_threaded_mainloop* mainloop, pa_context* context,
                           quint32 sinkInputIndex, const bool& givenUp) {
    quint32 sink = PA_INVALID_INDEX;
    waitFor(mainloop,
            pa_context_get_sink_input_info(
                context, sinkInputIndex,
                [](pa_context*, const pa_sink_input_info* info, int, void* found) {
                    if (info) *static_cast<quint32*>(found) = info->sink;
                },
                &sink),
            givenUp);
    if (sink == PA_INVALID_INDEX) return {};
    QByteArray monitor;
    waitFor(mainloop,
            pa_context_get_sink_info_by_index(
                context, sink,
                [](pa_context*, const pa_sink_info* info, int, void* found) {
                    if (info && info->monitor_source_name)
                        *static_cast<QByteArray*>(found) = info->monitor_source_name;
                },
                &monitor),
            givenUp);
    return monitor;
}

}  // namespace sondex::mci

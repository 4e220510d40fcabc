#include "platform/mci/PulseCapture.h"

#include "platform/mci/RecordingFile.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

namespace sondex::mci {

namespace {

// Short fragments keep the end of a recording close to the moment of "stop";
// at this size the capture thread still wakes only 40 times a second.
constexpr int kFragmentMilliseconds = 25;
constexpr pa_usec_t kConnectTimeout = 5 * PA_USEC_PER_SEC;

pa_sample_spec sampleSpecFor(const PcmFormat& format) {
    pa_sample_spec spec{};
    spec.format = format.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    spec.rate = uint32_t(format.sampleRate);
    spec.channels = uint8_t(format.channels);
    return spec;
}

}  // namespace

PulseCapture::PulseCapture(RecordingFile& file, int bufferSeconds, EndHandler onEnd)
    : file_(file), bufferSeconds_(bufferSeconds), onEnd_(std::move(onEnd)) {}

PulseCapture::~PulseCapture() { stop(); }

Error PulseCapture::start() {
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_) return Error::SoundServerUnavailable;
    pa_threaded_mainloop_set_name(mainloop_, kCaptureThreadName);
    if (pa_threaded_mainloop_start(mainloop_) < 0) {
        pa_threaded_mainloop_free(mainloop_);
        mainloop_ = nullptr;
        return Error::SoundServerUnavailable;
    }
    pa_threaded_mainloop_lock(mainloop_);
    context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "SONDEX");
    bool ready = false;
    if (context_) {
        pa_context_set_state_callback(context_, &PulseCapture::onContextState, this);
        // The recorder never starts a sound server of its own.
        ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
                waitUntilReady() && connectStream();
    }
    running_ = ready;
    pa_threaded_mainloop_unlock(mainloop_);
    if (ready) return Error::None;
    stop();
    return Error::SoundServerUnavailable;
}

bool PulseCapture::waitUntilReady() {
    timeout_ = pa_context_rttime_new(
        context_, pa_rtclock_now() + kConnectTimeout,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* capture = static_cast<PulseCapture*>(self);
            capture->timedOut_ = true;
            pa_threaded_mainloop_signal(capture->mainloop_, 0);
        },
        this);
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) return true;
        if (!PA_CONTEXT_IS_GOOD(state) || timedOut_) return false;
        pa_threaded_mainloop_wait(mainloop_);
    }
}

bool PulseCapture::connectStream() {
    const PcmFormat& format = file_.format();
    const pa_sample_spec spec = sampleSpecFor(format);
    stream_ = pa_stream_new(context_, "録音", &spec, nullptr);
    if (!stream_) return false;
    pa_stream_set_state_callback(stream_, &PulseCapture::onStreamState, this);
    pa_stream_set_read_callback(stream_, &PulseCapture::onReadable, this);
    const qint64 frame = format.blockAlign();
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(bufferSeconds_ * format.bytesPerSecond());
    attr.fragsize = uint32_t(qMax<qint64>(1, format.sampleRate * kFragmentMilliseconds / 1000) * frame);
    attr.tlength = attr.prebuf = attr.minreq = uint32_t(-1);
    if (pa_stream_connect_record(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY) < 0) return false;
    for (;;) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY) break;
        if (!PA_STREAM_IS_GOOD(state) || timedOut_) return false;
        pa_threaded_mainloop_wait(mainloop_);
    }
    pa_threaded_mainloop_get_api(mainloop_)->time_free(timeout_);
    timeout_ = nullptr;
    return true;
}

void PulseCapture::stop() {
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {
        if (running_ && pa_stream_get_state(stream_) == PA_STREAM_READY) takeDeliveredSamples();
        pa_stream_set_read_callback(stream_, nullptr, nullptr);
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        if (timeout_) pa_threaded_mainloop_get_api(mainloop_)->time_free(timeout_);
        timeout_ = nullptr;
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    running_ = false;
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

void PulseCapture::onContextState(pa_context* context, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    if (capture->running_ && !PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
        capture->reportEnd(End::Failed);
    pa_threaded_mainloop_signal(capture->mainloop_, 0);
}

void PulseCapture::onStreamState(pa_stream* stream, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    if (capture->running_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        capture->reportEnd(End::Failed);
    pa_threaded_mainloop_signal(capture->mainloop_, 0);
}

void PulseCapture::onReadable(pa_stream*, size_t, void* self) {
    static_cast<PulseCapture*>(self)->takeDeliveredSamples();
}

void PulseCapture::takeDeliveredSamples() {
    while (pa_stream_readable_size(stream_) > 0) {
        const void* data = nullptr;
        size_t bytes = 0;
        if (pa_stream_peek(stream_, &data, &bytes) < 0) {
            reportEnd(End::Failed);
            return;
        }
        if (bytes == 0) return;
        RecordingFile::Append result = RecordingFile::Append::Written;
        if (!ended_) {
            // No data with a length is a gap the server reports: keep the timing with silence.
            result = data ? file_.append(static_cast<const char*>(data), qint64(bytes))
                          : file_.appendSilence(qint64(bytes));
        }
        pa_stream_drop(stream_);
        if (result == RecordingFile::Append::LimitReached) reportEnd(End::LimitReached);
        if (result == RecordingFile::Append::Failed) reportEnd(End::Failed);
    }
}

void PulseCapture::reportEnd(End end) {
    if (!ended_.exchange(true)) onEnd_(end);
}

}  // namespace sondex::mci

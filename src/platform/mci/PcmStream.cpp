#include "platform/mci/PcmStream.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

namespace sondex::mci {

namespace {

constexpr pa_usec_t kConnectTimeout = 5 * PA_USEC_PER_SEC;
constexpr pa_usec_t kTargetLatency = kPcmStreamLatencyMilliseconds * PA_USEC_PER_MSEC;
// Playing starts with the first tenth of a second, whatever length the server grants.
constexpr qint64 kPrebufMilliseconds = 100;

}  // namespace

pa_sample_spec StreamFormat::sampleSpec() const {
    return {isFloat ? PA_SAMPLE_FLOAT32LE : PA_SAMPLE_S16LE, uint32_t(rate), uint8_t(channels)};
}

PcmStream::PcmStream(PcmStreamName name, StreamFormat format)
    : name_(std::move(name)), format_(format), spec_(format.sampleSpec()) {}

PcmStream::~PcmStream() {
    disconnect();
}

void PcmStream::lock() const {
    if (mainloop_) pa_threaded_mainloop_lock(mainloop_);
}

void PcmStream::unlock() const {
    if (mainloop_) pa_threaded_mainloop_unlock(mainloop_);
}

Error PcmStream::connect() {
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_) return Error::SoundOutputUnavailable;
    pa_threaded_mainloop_set_name(mainloop_, name_.threadName);
    if (pa_threaded_mainloop_start(mainloop_) < 0) {
        pa_threaded_mainloop_free(mainloop_);
        mainloop_ = nullptr;
        return Error::SoundOutputUnavailable;
    }
    lock();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "SONDEX");
    bool ready = false;
    if (context_) {
        pa_context_set_state_callback(context_, &PcmStream::onContextState, this);
        // The recorder never starts a sound server of its own.
        ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
                waitForStream();
    }
    failed_ = !ready;
    unlock();
    if (ready) return Error::None;
    disconnect();
    return Error::SoundOutputUnavailable;
}

bool PcmStream::waitForStream() {
    pa_time_event* timeout = pa_context_rttime_new(
        context_, pa_rtclock_now() + kConnectTimeout,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* stream = static_cast<PcmStream*>(self);
            stream->timedOut_ = true;
            pa_threaded_mainloop_signal(stream->mainloop_, 0);
        },
        this);
    auto finish = [&](bool ok) {
        pa_threaded_mainloop_get_api(mainloop_)->time_free(timeout);
        return ok;
    };
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) break;
        if (!PA_CONTEXT_IS_GOOD(state) || timedOut_) return finish(false);
        pa_threaded_mainloop_wait(mainloop_);
    }
    pa_proplist* properties = pa_proplist_new();
    // The server remembers the volume of each kind of playback under this id.
    pa_proplist_sets(properties, "module-stream-restore.id", name_.restoreId.constData());
    stream_ = pa_stream_new_with_proplist(context_, name_.name.toUtf8().constData(), &spec_,
                                          nullptr, properties);
    pa_proplist_free(properties);
    if (!stream_) return finish(false);
    pa_stream_set_state_callback(stream_, &PcmStream::onStreamState, this);
    pa_buffer_attr attr{};
    attr.maxlength = attr.minreq = attr.fragsize = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(kTargetLatency, &spec_));
    attr.prebuf = uint32_t(format_.bytesFor(kPrebufMilliseconds));
    const auto flags = pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_AUTO_TIMING_UPDATE |
                                         PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0)
        return finish(false);
    for (;;) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY) break;
        if (!PA_STREAM_IS_GOOD(state) || timedOut_) return finish(false);
        pa_threaded_mainloop_wait(mainloop_);
    }
    sinkInputIndex_ = pa_stream_get_index(stream_);
    if (const char* sink = pa_stream_get_device_name(stream_)) sinkName_ = QString::fromUtf8(sink);
    return finish(true);
}

void PcmStream::disconnect() {
    if (!mainloop_) return;
    lock();
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    unlock();
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

bool PcmStream::isUsable() const {
    if (!mainloop_) return false;
    lock();
    const bool usable = !failed_ && stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY;
    unlock();
    return usable;
}

void PcmStream::cork(bool corked) {
    if (pa_operation* operation = pa_stream_cork(stream_, corked ? 1 : 0, nullptr, nullptr))
        pa_operation_unref(operation);
}

void PcmStream::onContextState(pa_context* context, void* self) {
    auto* stream = static_cast<PcmStream*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) && stream->stream_)
        stream->failed_ = true;
    pa_threaded_mainloop_signal(stream->mainloop_, 0);
}

void PcmStream::onStreamState(pa_stream* stream, void* self) {
    auto* owner = static_cast<PcmStream*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) owner->failed_ = true;
    pa_threaded_mainloop_signal(owner->mainloop_, 0);
}

}  // namespace sondex::mci

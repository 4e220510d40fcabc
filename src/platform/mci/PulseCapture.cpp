#include "platform/mci/PulseCapture.h"

#include "platform/mci/RecordingFile.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include <cmath>
#include <ctime>

namespace sondex::mci {

namespace {

// The end of a take does not depend on the fragment, since endTake() waits
// for the frames captured before it.
constexpr int kFragmentMilliseconds = kCaptureFragmentMilliseconds;
constexpr pa_usec_t kConnectTimeout = 5 * PA_USEC_PER_SEC;
// No data for this long during a take counts as a stall of the source.
constexpr pa_usec_t kStallUsec = PA_USEC_PER_SEC;
// How long endTake() waits for the frames captured before its moment.
constexpr double kTailWaitUsec = kFragmentMilliseconds * 1000.0 + 250e3;

pa_sample_spec sampleSpecFor(const PcmFormat& format) {
    pa_sample_spec spec{};
    spec.format = format.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    spec.rate = uint32_t(format.sampleRate);
    spec.channels = uint8_t(format.channels);
    return spec;
}

}  // namespace

PulseCapture::PulseCapture(const PcmFormat& format, int bufferSeconds, EndHandler onEnd)
    : format_(format), bufferSeconds_(bufferSeconds), onEnd_(std::move(onEnd)) {}

PulseCapture::~PulseCapture() {
    if (!mainloop_) return;
    endTake();
    disconnect();
}

Error PulseCapture::connect(const CaptureSource& source) {
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
        armTimeout();
        ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
                waitUntilReady() && connectStream(source);
        disarmTimeout();
    }
    failed_ = !ready;
    pa_threaded_mainloop_unlock(mainloop_);
    if (ready) return Error::None;
    disconnect();
    return Error::SoundServerUnavailable;
}

bool PulseCapture::isUsable() const {
    if (!mainloop_) return false;
    pa_threaded_mainloop_lock(mainloop_);
    const bool usable = !failed_ && stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY;
    pa_threaded_mainloop_unlock(mainloop_);
    return usable;
}

void PulseCapture::armTimeout() {
    timedOut_ = false;
    timeout_ = pa_context_rttime_new(
        context_, pa_rtclock_now() + kConnectTimeout,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* capture = static_cast<PulseCapture*>(self);
            capture->timedOut_ = true;
            pa_threaded_mainloop_signal(capture->mainloop_, 0);
        },
        this);
}

void PulseCapture::disarmTimeout() {
    if (timeout_) pa_threaded_mainloop_get_api(mainloop_)->time_free(timeout_);
    timeout_ = nullptr;
}

bool PulseCapture::waitUntilReady() {
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) return true;
        if (!PA_CONTEXT_IS_GOOD(state) || timedOut_) return false;
        pa_threaded_mainloop_wait(mainloop_);
    }
}

bool PulseCapture::connectStream(const CaptureSource& source) {
    requested_ = source;
    if (source.sinkInputIndex) {
        const quint32 input = *source.sinkInputIndex;
        const QByteArray monitor = monitorSourceOf(mainloop_, context_, input, timedOut_);
        if (monitor.isEmpty())
            qWarning("sondex: playback stream %u is not on the server; recording the default source", input);
        else if (openStream(monitor.constData(), input))
            return true;
        else
            qWarning("sondex: the server cannot record playback stream %u alone; recording the default source", input);
        if (timedOut_ || !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) return false;
    }
    return openStream(nullptr, std::nullopt);
}

bool PulseCapture::openStream(const char* sourceName, std::optional<quint32> monitoredInput) {
    releaseStream();
    readFrames_ = 0;
    anchored_ = false;
    timingAsked_ = false;
    monitoring_ = monitoredInput.has_value();
    sourceGone_ = false;
    // The take's own format: at the sink's rate and full volume a single
    // stream's samples arrive unchanged.
    const pa_sample_spec spec = sampleSpecFor(format_);
    stream_ = pa_stream_new(context_, "録音", &spec, nullptr);
    if (!stream_) return false;
    pa_stream_set_state_callback(stream_, &PulseCapture::onStreamState, this);
    pa_stream_set_read_callback(stream_, &PulseCapture::onReadable, this);
    pa_stream_set_suspended_callback(stream_, &PulseCapture::onSuspended, this);
    pa_stream_set_overflow_callback(stream_, &PulseCapture::onOverflow, this);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(bufferSeconds_ * format_.bytesPerSecond());
    attr.fragsize = uint32_t(qMax<qint64>(1, format_.sampleRate * kFragmentMilliseconds / 1000) *
                             format_.blockAlign());
    attr.tlength = attr.prebuf = attr.minreq = uint32_t(-1);
    // Fails on a server too old to record a single stream.
    if (monitoredInput && pa_stream_set_monitor_stream(stream_, *monitoredInput) < 0) return false;
    if (pa_stream_connect_record(stream_, sourceName, &attr, PA_STREAM_ADJUST_LATENCY) < 0) return false;
    for (;;) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY) break;
        if (!PA_STREAM_IS_GOOD(state) || timedOut_) return false;
        pa_threaded_mainloop_wait(mainloop_);
    }
    lastDataUsec_ = pa_rtclock_now();
    return true;
}

void PulseCapture::releaseStream() {
    if (!stream_) return;
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_suspended_callback(stream_, nullptr, nullptr);
    pa_stream_set_overflow_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

void PulseCapture::disconnect() {
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(mainloop_);
    if (watchdog_) api->time_free(watchdog_);
    watchdog_ = nullptr;
    releaseStream();
    if (context_) {
        disarmTimeout();
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

quint64 PulseCapture::startTake(RecordingFile& file, const CaptureSource& source) {
    pa_threaded_mainloop_lock(mainloop_);
    const double start = double(pa_rtclock_now());
    if (!failed_ && source != requested_) {
        armTimeout();
        if (!connectStream(source)) failed_ = true;
        disarmTimeout();
    }
    file_ = &file;
    ended_ = false;
    resync_ = true;
    atTakeStart_ = true;
    // Measured afresh for each take: the first data after this moment places it.
    anchored_ = false;
    nextUsec_ = start;
    stopUsec_ = 0;
    tailDone_ = false;
    takeFrames_ = 0;
    const quint64 take = ++take_;
    if (!watchdog_) watchdog_ = pa_context_rttime_new(context_, watchdogDue(), &PulseCapture::onWatchdog, this);
    if (failed_) reportEnd(End::Failed);
    pa_threaded_mainloop_unlock(mainloop_);
    return take;
}

void PulseCapture::endTake() {
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    if (file_) {
        const double now = double(pa_rtclock_now());
        stopUsec_ = now;
        // Also before the first data of a take: a loaded machine may not have
        // read what the source captured since "record".
        const bool flowing = !failed_ && !sourceGone_ && stream_ && (!resync_ || atTakeStart_) && !ended_;
        if (flowing) {
            // Frames captured before this moment may still be on their way.
            if (nextUsec_ >= stopUsec_) tailDone_ = true;
            takeDeliveredSamples();
            while (!tailDone_ && !ended_ && !failed_ && double(pa_rtclock_now()) < now + kTailWaitUsec) {
                pa_threaded_mainloop_unlock(mainloop_);
                struct timespec pause{0, 5 * 1000 * 1000};
                nanosleep(&pause, nullptr);
                pa_threaded_mainloop_lock(mainloop_);
            }
        }
        if (!tailDone_ && !ended_) fillUpTo(stopUsec_);
        // A monitor delivers ahead of its sink: what lies after the stop is not part of the take.
        const qint64 beyond = qMin(takeFrames_, framesIn(nextUsec_ - stopUsec_));
        if (!ended_ && beyond > 0) {
            file_->dropLast(beyond * format_.blockAlign());
            figures_.delivered -= beyond;
        }
        finishTake();
    }
    pa_threaded_mainloop_unlock(mainloop_);
}

void PulseCapture::finishTake() {
    file_ = nullptr;
    resync_ = false;
    if (watchdog_) pa_threaded_mainloop_get_api(mainloop_)->time_free(watchdog_);
    watchdog_ = nullptr;
}

qint64 PulseCapture::openGapFrames() const {
    if (!mainloop_) return 0;
    pa_threaded_mainloop_lock(mainloop_);
    const qint64 frames = file_ && resync_ && !ended_ ? framesIn(double(pa_rtclock_now()) - nextUsec_) : 0;
    pa_threaded_mainloop_unlock(mainloop_);
    return qMax<qint64>(0, frames);
}

PulseCapture::Figures PulseCapture::figures() const {
    if (!mainloop_) return figures_;
    pa_threaded_mainloop_lock(mainloop_);
    const Figures figures = figures_;
    pa_threaded_mainloop_unlock(mainloop_);
    return figures;
}

void PulseCapture::onContextState(pa_context* context, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) && capture->stream_) {
        capture->failed_ = true;
        if (capture->file_) capture->reportEnd(End::Failed);
    }
    pa_threaded_mainloop_signal(capture->mainloop_, 0);
}

void PulseCapture::onStreamState(pa_stream* stream, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        // A lost server fails the context first; with the context alive, the
        // recorded playback stream (or its sink) has gone.
        if (capture->monitoring_ && PA_CONTEXT_IS_GOOD(pa_context_get_state(capture->context_))) {
            capture->endMonitoredStream();
        } else {
            capture->failed_ = true;
            if (capture->file_) capture->reportEnd(End::Failed);
        }
    }
    pa_threaded_mainloop_signal(capture->mainloop_, 0);
}

void PulseCapture::endMonitoredStream() {
    sourceGone_ = true;
    markStall();
}

void PulseCapture::onReadable(pa_stream*, size_t, void* self) {
    static_cast<PulseCapture*>(self)->takeDeliveredSamples();
}

void PulseCapture::onSuspended(pa_stream* stream, void* self) {
    if (pa_stream_is_suspended(stream) == 1) static_cast<PulseCapture*>(self)->markStall();
}

void PulseCapture::onOverflow(pa_stream*, void* self) { static_cast<PulseCapture*>(self)->markStall(); }

void PulseCapture::onWatchdog(pa_mainloop_api*, pa_time_event* event, const timeval*, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    const pa_usec_t now = pa_rtclock_now();
    if (capture->file_ && !capture->ended_ && (capture->sourceGone_ || now >= capture->lastDataUsec_ + kStallUsec)) {
        capture->markStall();
        // Keep the take's length growing while the source is silent, short of
        // what data arriving late could still cover; a stream that has gone sends none.
        capture->fillUpTo(double(capture->sourceGone_ ? now : now - kStallUsec));
    }
    pa_context_rttime_restart(capture->context_, event, capture->watchdogDue());
}

pa_usec_t PulseCapture::watchdogDue() const {
    // Due a stall's length after the last data, so that while data flows the
    // timer wakes the thread about once a second; during a stall once a second too.
    const pa_usec_t now = pa_rtclock_now();
    const pa_usec_t afterData = lastDataUsec_ + kStallUsec;
    return afterData > now ? afterData : now + kStallUsec;
}

void PulseCapture::markStall() {
    anchored_ = false;
    if (file_) resync_ = true;
}

double PulseCapture::usecOfFrame(qint64 frame) const {
    return anchorUsec_ + double(frame - anchorFrame_) * 1e6 / format_.sampleRate;
}

qint64 PulseCapture::framesIn(double usec) const {
    return qint64(std::llround(usec * format_.sampleRate / 1e6));
}

void PulseCapture::askTiming() {
    pa_operation* operation = pa_stream_update_timing_info(stream_, &PulseCapture::onTiming, this);
    if (!operation) {
        anchorAtArrival();
        return;
    }
    timingAsked_ = true;
    pa_operation_unref(operation);
}

void PulseCapture::onTiming(pa_stream* stream, int success, void* self) {
    auto* capture = static_cast<PulseCapture*>(self);
    capture->timingAsked_ = false;
    // The answer may be for a stream replaced since.
    if (capture->anchored_ || stream != capture->stream_) return;
    pa_usec_t latency = 0;
    int negative = 0;
    if (success && pa_stream_get_latency(stream, &latency, &negative) == 0) {
        // The server's latency places the next frame to read: a microphone's
        // lies in the past, a monitor's in the future, since a sink renders ahead.
        capture->anchorFrame_ = capture->readFrames_;
        capture->anchorUsec_ = double(pa_rtclock_now()) + (negative ? double(latency) : -double(latency));
        capture->anchored_ = true;
    } else {
        capture->anchorAtArrival();
    }
    capture->takeDeliveredSamples();
}

void PulseCapture::anchorAtArrival() {
    // The newest frame was captured about now: the data waiting here comes before it.
    const size_t readable = pa_stream_readable_size(stream_);
    const qint64 waiting = readable == size_t(-1) ? 0 : qint64(readable) / format_.blockAlign();
    anchorFrame_ = readFrames_;
    anchorUsec_ = double(pa_rtclock_now()) - double(waiting) * 1e6 / format_.sampleRate;
    anchored_ = true;
}

void PulseCapture::takeDeliveredSamples() {
    if (!stream_ || sourceGone_) return;
    if (!anchored_) {
        const size_t readable = pa_stream_readable_size(stream_);
        if (readable == size_t(-1) || readable == 0) return;
        lastDataUsec_ = pa_rtclock_now();
        // The data waits for the server's timing, asked once per anchor.
        if (!timingAsked_) askTiming();
        if (!anchored_) return;
    }
    const qint64 frameBytes = format_.blockAlign();
    // Each call into libpulse costs a system call (its fork check), so the
    // loop only peeks and drops: an empty peek ends it.
    for (;;) {
        const void* data = nullptr;
        size_t bytes = 0;
        if (pa_stream_peek(stream_, &data, &bytes) < 0) {
            failed_ = true;
            if (file_) reportEnd(End::Failed);
            return;
        }
        if (bytes == 0) return;
        lastDataUsec_ = pa_rtclock_now();
        const qint64 frames = qint64(bytes) / frameBytes;
        // No data with a length is a hole the server reports: it keeps the timing with silence.
        keep(static_cast<const char*>(data), frames, usecOfFrame(readFrames_));
        readFrames_ += frames;
        pa_stream_drop(stream_);
    }
}

void PulseCapture::keep(const char* data, qint64 frames, double firstUsec) {
    if (!file_ || ended_ || tailDone_) return;
    qint64 skip = 0;
    if (resync_) {
        const qint64 gap = framesIn(firstUsec - nextUsec_);
        if (gap > 0) fillUpTo(firstUsec);
        // Frames captured before "record" are not part of the take.
        else if (atTakeStart_) skip = qMin(frames, -gap);
        if (skip < frames) resync_ = false;
    }
    qint64 count = frames - skip;
    if (stopUsec_ > 0) {
        const qint64 beforeStop = qMax<qint64>(0, framesIn(stopUsec_ - usecOfFrame(readFrames_ + skip)));
        if (beforeStop <= count) {
            count = beforeStop;
            tailDone_ = true;
        }
    }
    if (count <= 0) return;
    atTakeStart_ = false;
    const qint64 frameBytes = format_.blockAlign();
    const RecordingFile::Append result =
        data ? file_->append(data + skip * frameBytes, count * frameBytes) : file_->appendSilence(count * frameBytes);
    (data ? figures_.delivered : figures_.filled) += count;
    takeFrames_ += count;
    nextUsec_ = usecOfFrame(readFrames_ + skip + count);
    if (result == RecordingFile::Append::LimitReached) reportEnd(End::LimitReached);
    if (result == RecordingFile::Append::Failed) reportEnd(End::Failed);
}

void PulseCapture::fillUpTo(double usec) {
    const qint64 frames = framesIn(usec - nextUsec_);
    if (!file_ || ended_ || frames <= 0) return;
    const RecordingFile::Append result = file_->appendSilence(frames * format_.blockAlign());
    figures_.filled += frames;
    takeFrames_ += frames;
    nextUsec_ += double(frames) * 1e6 / format_.sampleRate;
    atTakeStart_ = false;
    if (result == RecordingFile::Append::LimitReached) reportEnd(End::LimitReached);
    if (result == RecordingFile::Append::Failed) reportEnd(End::Failed);
}

void PulseCapture::reportEnd(End end) {
    if (ended_) return;
    ended_ = true;
    onEnd_(end, take_);
}

}  // namespace sondex::mci

#include "platform/mci/CdPlayback.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include <QThread>

#include <pthread.h>

#include <vector>

namespace sondex::mci {

namespace {

constexpr pa_usec_t kConnectTimeout = 5 * PA_USEC_PER_SEC;
// Sectors read at a time: a tenth of a second and a bit.
constexpr int kChunkSectors = 10;
// Once a second of sectors the drive is asked whether the disc is still in
// (an image file deleted while it plays still reads from the open file).
constexpr qint64 kStateCheckSectors = cd::kFramesPerSecond;
// What the server buffers ahead of the sink.
constexpr pa_usec_t kTargetLatency = 500 * PA_USEC_PER_MSEC;
// The reader keeps this much written but not yet played, looking every few
// milliseconds. It paces itself by the server's clock rather than by the
// server's write requests, which a flush can leave owing.
constexpr qint64 kAheadBytes = 44100 * 4 / 2;
constexpr unsigned long kPaceMilliseconds = 20;
// How often the reader asks for the server's read index and sink latency.
constexpr pa_usec_t kTimingInterval = 50 * PA_USEC_PER_MSEC;

constexpr pa_sample_spec kCdSpec{PA_SAMPLE_S16LE, 44100, 2};

}  // namespace

CdPlayback::CdPlayback(QChar unitLetter, EndHandler onEnd)
    : streamName_(QStringLiteral("SONDEX CD %1:").arg(unitLetter)),
      restoreId_("sondex-cd-" + QString(unitLetter).toUtf8()),
      onEnd_(std::move(onEnd)) {}

CdPlayback::~CdPlayback() {
    stop();
    disconnect();
}

Error CdPlayback::connect() {
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_) return Error::SoundServerUnavailable;
    pa_threaded_mainloop_set_name(mainloop_, kCdStreamThreadName);
    if (pa_threaded_mainloop_start(mainloop_) < 0) {
        pa_threaded_mainloop_free(mainloop_);
        mainloop_ = nullptr;
        return Error::SoundServerUnavailable;
    }
    pa_threaded_mainloop_lock(mainloop_);
    context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "SONDEX");
    bool ready = false;
    if (context_) {
        pa_context_set_state_callback(context_, &CdPlayback::onContextState, this);
        // The recorder never starts a sound server of its own.
        ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 && waitForStream();
    }
    failed_ = !ready;
    pa_threaded_mainloop_unlock(mainloop_);
    if (ready) return Error::None;
    disconnect();
    return Error::SoundServerUnavailable;
}

bool CdPlayback::waitForStream() {
    pa_time_event* timeout = pa_context_rttime_new(
        context_, pa_rtclock_now() + kConnectTimeout,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* playback = static_cast<CdPlayback*>(self);
            playback->timedOut_ = true;
            pa_threaded_mainloop_signal(playback->mainloop_, 0);
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
    // The server remembers the volume of each unit's playback under this id.
    pa_proplist_sets(properties, "module-stream-restore.id", restoreId_.constData());
    stream_ = pa_stream_new_with_proplist(context_, streamName_.toUtf8().constData(), &kCdSpec, nullptr,
                                          properties);
    pa_proplist_free(properties);
    if (!stream_) return finish(false);
    pa_stream_set_state_callback(stream_, &CdPlayback::onStreamState, this);
    pa_buffer_attr attr{};
    attr.maxlength = attr.minreq = attr.fragsize = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(kTargetLatency, &kCdSpec));
    // Playing starts with the first chunk, whatever length the server grants.
    attr.prebuf = uint32_t(kChunkSectors * cd::kAudioSectorBytes);
    const auto flags =
        pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0) return finish(false);
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

void CdPlayback::disconnect() {
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
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
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

bool CdPlayback::isUsable() const {
    if (!mainloop_) return false;
    pa_threaded_mainloop_lock(mainloop_);
    const bool usable = !failed_ && stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY;
    pa_threaded_mainloop_unlock(mainloop_);
    return usable;
}

void CdPlayback::onContextState(pa_context* context, void* self) {
    auto* playback = static_cast<CdPlayback*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) && playback->stream_) playback->failed_ = true;
    pa_threaded_mainloop_signal(playback->mainloop_, 0);
}

void CdPlayback::onStreamState(pa_stream* stream, void* self) {
    auto* playback = static_cast<CdPlayback*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) playback->failed_ = true;
    pa_threaded_mainloop_signal(playback->mainloop_, 0);
}

quint64 CdPlayback::start(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to) {
    stop();
    pa_threaded_mainloop_lock(mainloop_);
    // What an earlier play left in the server's buffer is not part of this one.
    pa_operation_unref(pa_stream_flush(stream_, nullptr, nullptr));
    writtenBytes_ = takenBytes_ = playedBytes_ = 0;
    cork(false);
    const quint64 play = ++play_;
    pa_threaded_mainloop_unlock(mainloop_);
    stopping_ = false;
    reader_ = std::thread(&CdPlayback::run, this, play, std::move(drive), from, to);
    return play;
}

void CdPlayback::stop() {
    if (!reader_.joinable()) return;
    stopping_ = true;
    pa_threaded_mainloop_lock(mainloop_);
    pa_threaded_mainloop_signal(mainloop_, 0);
    pa_threaded_mainloop_unlock(mainloop_);
    reader_.join();
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_ && !failed_) {
        updateProgressLocked();
        cork(true);
        pa_operation_unref(pa_stream_flush(stream_, nullptr, nullptr));
    }
    pa_threaded_mainloop_unlock(mainloop_);
}

void CdPlayback::cork(bool corked) {
    if (pa_operation* operation = pa_stream_cork(stream_, corked ? 1 : 0, nullptr, nullptr))
        pa_operation_unref(operation);
}

qint64 CdPlayback::playedFrames() const {
    if (!mainloop_) return 0;
    pa_threaded_mainloop_lock(mainloop_);
    if (reader_.joinable() && stream_ && !failed_) updateProgressLocked();
    const qint64 bytes = playedBytes_;
    pa_threaded_mainloop_unlock(mainloop_);
    return bytes / cd::kAudioSectorBytes;
}

void CdPlayback::updateProgressLocked() const {
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    // Indexes not known again yet after a flush: the last figures stand.
    if (!timing || timing->read_index_corrupt || timing->write_index_corrupt) return;
    const qint64 queued = qMax<qint64>(0, timing->write_index - timing->read_index);
    takenBytes_ = qBound(takenBytes_, writtenBytes_ - queued, writtenBytes_);
    // What the sink has taken it renders ahead; it is heard its latency later.
    sinkBytes_ = qint64(pa_usec_to_bytes(timing->sink_usec, &kCdSpec));
    playedBytes_ = qBound(playedBytes_, takenBytes_ - sinkBytes_, takenBytes_);
}

void CdPlayback::askTimingLocked() {
    // The server's figures are asked for often: its own updates come as seldom as every 1.5 s.
    const pa_usec_t now = pa_rtclock_now();
    if (timingAsked_ || now < lastTimingAsk_ + kTimingInterval) return;
    pa_operation* operation = pa_stream_update_timing_info(
        stream_, [](pa_stream*, int, void* self) { static_cast<CdPlayback*>(self)->timingAsked_ = false; }, this);
    if (!operation) return;
    pa_operation_unref(operation);
    timingAsked_ = true;
    lastTimingAsk_ = now;
}

void CdPlayback::run(quint64 play, std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to) {
    pthread_setname_np(pthread_self(), kCdPlaybackThreadName);
    std::vector<char> chunk(size_t(kChunkSectors) * cd::kAudioSectorBytes);
    End end = End::Finished;
    qint64 sinceCheck = 0;
    for (qint64 next = from; next < to && !stopping_; next += kChunkSectors) {
        const int count = int(qMin<qint64>(kChunkSectors, to - next));
        sinceCheck += count;
        const bool stillIn = sinceCheck < kStateCheckSectors || drive->state() == cd::DriveState::Ready;
        if (sinceCheck >= kStateCheckSectors) sinceCheck = 0;
        if (!stillIn || !drive->readAudio(next, count, chunk.data())) {
            end = End::ReadFailed;
            break;
        }
        if (!writePaced(chunk.data(), qint64(count) * cd::kAudioSectorBytes)) {
            end = End::ServerLost;
            break;
        }
    }
    if (end == End::Finished && !waitUntilPlayed()) end = End::ServerLost;
    if (!stopping_) onEnd_(end, play);
}

bool CdPlayback::writePaced(const char* data, qint64 bytes) {
    pa_threaded_mainloop_lock(mainloop_);
    bool ok = true;
    for (;;) {
        if (stopping_ || failed_) {
            ok = !failed_;
            break;
        }
        askTimingLocked();
        updateProgressLocked();
        if (writtenBytes_ - takenBytes_ < kAheadBytes) {
            ok = pa_stream_write(stream_, data, size_t(bytes), nullptr, 0, PA_SEEK_RELATIVE) == 0;
            writtenBytes_ += bytes;
            break;
        }
        pa_threaded_mainloop_unlock(mainloop_);
        QThread::msleep(kPaceMilliseconds);
        pa_threaded_mainloop_lock(mainloop_);
    }
    pa_threaded_mainloop_unlock(mainloop_);
    return ok;
}

bool CdPlayback::waitUntilPlayed() {
    pa_threaded_mainloop_lock(mainloop_);
    // A play shorter than the server's prebuffer starts only when asked to.
    if (pa_operation* operation = pa_stream_trigger(stream_, nullptr, nullptr)) pa_operation_unref(operation);
    pa_usec_t allTakenAt = 0;
    bool ok = true;
    while (!stopping_) {
        if (failed_) {
            ok = false;
            break;
        }
        askTimingLocked();
        updateProgressLocked();
        const pa_usec_t now = pa_rtclock_now();
        if (takenBytes_ >= writtenBytes_ && allTakenAt == 0) allTakenAt = now;
        // The sink's latency is all that is left to hear once it has taken everything.
        if (allTakenAt != 0 && now >= allTakenAt + pa_bytes_to_usec(uint64_t(sinkBytes_), &kCdSpec)) {
            playedBytes_ = writtenBytes_;
            break;
        }
        pa_threaded_mainloop_unlock(mainloop_);
        QThread::msleep(kPaceMilliseconds);
        pa_threaded_mainloop_lock(mainloop_);
    }
    pa_threaded_mainloop_unlock(mainloop_);
    return ok;
}

}  // namespace sondex::mci

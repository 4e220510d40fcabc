#include "support/pulse/PatternPlayer.h"

#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <pulse/pulseaudio.h>

#include <cstring>

namespace sondex::test {

std::vector<qint16> makePattern(qint64 frames, quint32 seed) {
    std::vector<qint16> samples(size_t(frames * 2));
    quint32 state = seed;
    for (qint16& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = qint16(int(state >> 16) % 32001 - 16000);
        if (sample == 0) sample = 1;
    }
    return samples;
}

PatternPlayer::PatternPlayer(const PrivatePulseServer& server, std::vector<qint16> pattern,
                             int latencyMs)
    : server_(server), pattern_(std::move(pattern)), latencyMs_(latencyMs) {}

PatternPlayer::~PatternPlayer() {
    stop();
}

bool PatternPlayer::waitUntil(bool (*ready)(PatternPlayer&)) {
    const QDeadlineTimer deadline(5000);
    while (!ready(*this)) {
        if (deadline.hasExpired()) return false;
        pa_threaded_mainloop_unlock(mainloop_);
        QThread::msleep(5);
        pa_threaded_mainloop_lock(mainloop_);
    }
    return true;
}

bool PatternPlayer::start() {
    if (pattern_.size() < 2) return false;
    mainloop_ = pa_threaded_mainloop_new();
    if (!mainloop_) return false;
    if (pa_threaded_mainloop_start(mainloop_) < 0) {
        pa_threaded_mainloop_free(mainloop_);
        mainloop_ = nullptr;
        return false;
    }
    pa_threaded_mainloop_lock(mainloop_);
    context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "pattern player");
    const QByteArray address = server_.address().toUtf8();
    bool ok =
        context_ &&
        pa_context_connect(context_, address.constData(), PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
        waitUntil([](PatternPlayer& p) {
            const pa_context_state_t state = pa_context_get_state(p.context_);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        }) &&
        pa_context_get_state(context_) == PA_CONTEXT_READY;
    if (ok) {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 2};
        stream_ = pa_stream_new(context_, "pattern", &spec, nullptr);
        ok = stream_ != nullptr;
    }
    if (ok) {
        pa_stream_set_write_callback(stream_, &PatternPlayer::onWritable, this);
        pa_buffer_attr attr{};
        attr.maxlength = attr.prebuf = attr.minreq = attr.fragsize = uint32_t(-1);
        attr.tlength = uint32_t(44100 * 4 * latencyMs_ / 1000);
        const QByteArray sink = server_.sinkName().toUtf8();
        ok = pa_stream_connect_playback(
                 stream_, sink.constData(), &attr,
                 pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE |
                                   PA_STREAM_ADJUST_LATENCY),
                 nullptr, nullptr) >= 0 &&
             waitUntil([](PatternPlayer& p) {
                 const pa_stream_state_t state = pa_stream_get_state(p.stream_);
                 return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
             }) &&
             pa_stream_get_state(stream_) == PA_STREAM_READY;
    }
    if (ok) {
        sinkInput_ = pa_stream_get_index(stream_);
        sinkName_ = QString::fromUtf8(pa_stream_get_device_name(stream_));
    }
    pa_threaded_mainloop_unlock(mainloop_);
    // The sink renders at the player's latency from now on, not in an idle sink's long blocks.
    return ok && restartSinkClock(server_);
}

void PatternPlayer::stop() {
    if (!mainloop_) return;
    pa_threaded_mainloop_lock(mainloop_);
    if (stream_) {
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_unlock(mainloop_);
    pa_threaded_mainloop_stop(mainloop_);
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
}

qint64 PatternPlayer::playedFrames() const {
    if (!mainloop_) return -1;
    pa_threaded_mainloop_lock(mainloop_);
    pa_usec_t usec = 0;
    const bool known = stream_ && pa_stream_get_time(stream_, &usec) == 0;
    pa_threaded_mainloop_unlock(mainloop_);
    return known ? qint64(usec * 44100 / PA_USEC_PER_SEC) : -1;
}

void PatternPlayer::onWritable(pa_stream* stream, size_t bytes, void* self) {
    auto* player = static_cast<PatternPlayer*>(self);
    void* buffer = nullptr;
    if (pa_stream_begin_write(stream, &buffer, &bytes) < 0 || !buffer) return;
    const size_t frames = bytes / 4;
    const size_t patternFrames = player->pattern_.size() / 2;
    auto* out = static_cast<qint16*>(buffer);
    for (size_t i = 0; i < frames; ++i) {
        std::memcpy(out + 2 * i, player->pattern_.data() + 2 * player->next_, 4);
        player->next_ = (player->next_ + 1) % patternFrames;
    }
    pa_stream_write(stream, buffer, frames * 4, nullptr, 0, PA_SEEK_RELATIVE);
}

}  // namespace sondex::test

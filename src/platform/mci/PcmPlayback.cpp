#include "platform/mci/PcmPlayback.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include <QThread>

#include <pthread.h>

#include <vector>

namespace sondex::mci {

namespace {

// The reader keeps this much written but not yet taken by the sink, looking
// every few milliseconds. It paces itself by the server's figures rather than
// by the server's write requests, which a flush can leave owing.
constexpr qint64 kAheadMilliseconds = 500;
constexpr unsigned long kPaceMilliseconds = 20;
// How often the reader asks for the server's read index and sink latency.
constexpr pa_usec_t kTimingInterval = 50 * PA_USEC_PER_MSEC;
// A take of the stream places the monitor's frames by its own reading of the
// server's latency, up to some milliseconds later than the sink's: the end is
// reported this much after it was heard, so that a take stopped at the
// notice still holds the last frames.
constexpr pa_usec_t kHeardMargin = 50 * PA_USEC_PER_MSEC;

}  // namespace

PcmPlayback::PcmPlayback(PcmStreamName name, StreamFormat format, const char* threadName,
                         qint64 chunkBytes, EndHandler onEnd)
    : sound_(std::move(name), format),
      threadName_(threadName),
      chunkBytes_(chunkBytes),
      aheadBytes_(format.bytesFor(kAheadMilliseconds)),
      onEnd_(std::move(onEnd)) {}

PcmPlayback::~PcmPlayback() {
    stop();
}

quint64 PcmPlayback::start(std::unique_ptr<PcmSource> source) {
    stop();
    sound_.lock();
    // What an earlier play left in the server's buffer is not part of this one.
    flushLocked();
    writtenBytes_ = takenBytes_ = playedBytes_ = 0;
    const quint64 play = ++play_;
    sound_.unlock();
    stopping_ = false;
    reader_ = std::thread(&PcmPlayback::run, this, play, std::move(source));
    return play;
}

void PcmPlayback::stop() {
    if (!reader_.joinable()) return;
    stopping_ = true;
    reader_.join();
    sound_.lock();
    if (!sound_.failed()) {
        updateProgressLocked();
        corkLocked(true);
        flushLocked();
    }
    sound_.unlock();
}

qint64 PcmPlayback::playedBytes() const {
    sound_.lock();
    if (reader_.joinable() && !sound_.failed()) updateProgressLocked();
    const qint64 bytes = qMax<qint64>(0, playedBytes_ - sound_.leadBytes());
    sound_.unlock();
    return bytes;
}

void PcmPlayback::corkLocked(bool corked) {
    if (corked == corked_) return;
    sound_.cork(corked);
    corked_ = corked;
}

void PcmPlayback::updateProgressLocked() const {
    const pa_timing_info* timing =
        sound_.stream() ? pa_stream_get_timing_info(sound_.stream()) : nullptr;
    // Indexes not known again yet after a flush: the last figures stand.
    if (!timing || timing->read_index_corrupt || timing->write_index_corrupt) return;
    const qint64 queued = qMax<qint64>(0, timing->write_index - timing->read_index);
    const qint64 written = writtenBytes_;
    const qint64 taken = qBound<qint64>(takenBytes_, written - queued, written);
    takenBytes_ = taken;
    // What the sink has taken it renders ahead; it is heard its latency later.
    const auto sink = qint64(pa_usec_to_bytes(timing->sink_usec, &sound_.spec()));
    sinkBytes_ = sink;
    playedBytes_ = qBound<qint64>(playedBytes_, taken - sink, taken);
}

void PcmPlayback::flushLocked() {
    // A stream the server has just dropped refuses the flush; there is nothing left to drop then.
    if (pa_operation* operation = pa_stream_flush(sound_.stream(), nullptr, nullptr))
        pa_operation_unref(operation);
}

void PcmPlayback::askTimingLocked() {
    // The server's figures are asked for often: its own updates come as seldom as every 1.5 s.
    const pa_usec_t now = pa_rtclock_now();
    if (timingAsked_ || now < lastTimingAsk_ + kTimingInterval) return;
    pa_operation* operation = pa_stream_update_timing_info(
        sound_.stream(),
        [](pa_stream*, int, void* self) { static_cast<PcmPlayback*>(self)->timingAsked_ = false; },
        this);
    if (!operation) return;
    pa_operation_unref(operation);
    timingAsked_ = true;
    lastTimingAsk_ = now;
}

void PcmPlayback::run(quint64 play, std::unique_ptr<PcmSource> source) {
    pthread_setname_np(pthread_self(), threadName_);
    std::vector<char> chunk(static_cast<size_t>(chunkBytes_));
    End end = End::Finished;
    const std::vector<char> lead(size_t(sound_.leadBytes()), 0);
    if (!writePaced(lead.data(), qint64(lead.size()))) end = End::ServerLost;
    while (end == End::Finished && !stopping_) {
        const qint64 got = source->read(chunk.data(), chunkBytes_);
        if (got == 0) break;
        if (got < 0) {
            end = End::ReadFailed;
        } else if (!writePaced(chunk.data(), got)) {
            end = End::ServerLost;
        }
    }
    if (end == End::Finished && !stopping_ && !waitUntilPlayed()) end = End::ServerLost;
    if (!stopping_) onEnd_(end, play);
}

bool PcmPlayback::writePaced(const char* data, qint64 bytes) {
    sound_.lock();
    bool ok = true;
    for (;;) {
        if (stopping_ || sound_.failed()) {
            ok = !sound_.failed();
            break;
        }
        askTimingLocked();
        updateProgressLocked();
        if (writtenBytes_ - takenBytes_ < aheadBytes_) {
            ok = pa_stream_write(sound_.stream(), data, size_t(bytes), nullptr, 0,
                                 PA_SEEK_RELATIVE) == 0;
            writtenBytes_ += bytes;
            break;
        }
        // The first half second is queued: the play starts with one rewind of the
        // sink. Data that arrives for a playing stream the sink has not taken
        // from yet would make it rewind once more each time.
        corkLocked(false);
        sound_.unlock();
        QThread::msleep(kPaceMilliseconds);
        sound_.lock();
    }
    sound_.unlock();
    return ok;
}

bool PcmPlayback::waitUntilPlayed() {
    sound_.lock();
    // A play shorter than half a second is all queued now; with its lead it
    // is longer than the server's prebuffer.
    corkLocked(false);
    pa_usec_t allTakenAt = 0;
    bool ok = true;
    while (!stopping_) {
        if (sound_.failed()) {
            ok = false;
            break;
        }
        askTimingLocked();
        updateProgressLocked();
        const pa_usec_t now = pa_rtclock_now();
        if (takenBytes_ >= writtenBytes_ && allTakenAt == 0) allTakenAt = now;
        // The sink's latency is all that is left to hear once it has taken everything.
        if (allTakenAt != 0 && now >= allTakenAt +
                                          pa_bytes_to_usec(uint64_t(sinkBytes_), &sound_.spec()) +
                                          kHeardMargin) {
            playedBytes_ = writtenBytes_.load();
            break;
        }
        sound_.unlock();
        QThread::msleep(kPaceMilliseconds);
        sound_.lock();
    }
    sound_.unlock();
    return ok;
}

}  // namespace sondex::mci

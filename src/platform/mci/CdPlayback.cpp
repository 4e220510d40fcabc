#include "platform/mci/CdPlayback.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

#include <QThread>

#include <pthread.h>

#include <vector>

namespace sondex::mci {

namespace {

// Sectors read at a time: a tenth of a second and a bit.
constexpr int kChunkSectors = 10;
// Once a second of sectors the drive is asked whether the disc is still in
// (an image file deleted while it plays still reads from the open file).
constexpr qint64 kStateCheckSectors = cd::kFramesPerSecond;
// The reader keeps this much written but not yet taken by the sink, looking
// every few milliseconds. It paces itself by the server's figures rather than
// by the server's write requests, which a flush can leave owing.
constexpr qint64 kAheadBytes = 44100 * 4 / 2;
constexpr unsigned long kPaceMilliseconds = 20;
// How often the reader asks for the server's read index and sink latency.
constexpr pa_usec_t kTimingInterval = 50 * PA_USEC_PER_MSEC;
// A take of the stream places the monitor's frames by its own reading of the
// server's latency, up to some milliseconds later than the sink's: the end is
// reported this much after it was heard, so that a take stopped at the
// notice still holds the last frames.
constexpr pa_usec_t kHeardMargin = 50 * PA_USEC_PER_MSEC;

}  // namespace

CdPlayback::CdPlayback(QChar unitLetter, EndHandler onEnd) : sound_(unitLetter), onEnd_(std::move(onEnd)) {}

CdPlayback::~CdPlayback() { stop(); }

quint64 CdPlayback::start(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to) {
    stop();
    sound_.lock();
    // What an earlier play left in the server's buffer is not part of this one.
    flushLocked();
    writtenBytes_ = takenBytes_ = playedBytes_ = 0;
    const quint64 play = ++play_;
    sound_.unlock();
    stopping_ = false;
    reader_ = std::thread(&CdPlayback::run, this, play, std::move(drive), from, to);
    return play;
}

void CdPlayback::stop() {
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

qint64 CdPlayback::playedFrames() const {
    sound_.lock();
    if (reader_.joinable() && !sound_.failed()) updateProgressLocked();
    const qint64 bytes = qMax<qint64>(0, playedBytes_ - kCdPlayLeadBytes);
    sound_.unlock();
    return bytes / cd::kAudioSectorBytes;
}

void CdPlayback::corkLocked(bool corked) {
    if (corked == corked_) return;
    sound_.cork(corked);
    corked_ = corked;
}

void CdPlayback::updateProgressLocked() const {
    const pa_timing_info* timing = sound_.stream() ? pa_stream_get_timing_info(sound_.stream()) : nullptr;
    // Indexes not known again yet after a flush: the last figures stand.
    if (!timing || timing->read_index_corrupt || timing->write_index_corrupt) return;
    const qint64 queued = qMax<qint64>(0, timing->write_index - timing->read_index);
    const qint64 written = writtenBytes_;
    const qint64 taken = qBound<qint64>(takenBytes_, written - queued, written);
    takenBytes_ = taken;
    // What the sink has taken it renders ahead; it is heard its latency later.
    const auto sink = qint64(pa_usec_to_bytes(timing->sink_usec, &cdSampleSpec()));
    sinkBytes_ = sink;
    playedBytes_ = qBound<qint64>(playedBytes_, taken - sink, taken);
}

void CdPlayback::flushLocked() {
    // A stream the server has just dropped refuses the flush; there is nothing left to drop then.
    if (pa_operation* operation = pa_stream_flush(sound_.stream(), nullptr, nullptr)) pa_operation_unref(operation);
}

void CdPlayback::askTimingLocked() {
    // The server's figures are asked for often: its own updates come as seldom as every 1.5 s.
    const pa_usec_t now = pa_rtclock_now();
    if (timingAsked_ || now < lastTimingAsk_ + kTimingInterval) return;
    pa_operation* operation = pa_stream_update_timing_info(
        sound_.stream(), [](pa_stream*, int, void* self) { static_cast<CdPlayback*>(self)->timingAsked_ = false; }, this);
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
    const std::vector<char> lead(size_t(kCdPlayLeadBytes), 0);
    if (!writePaced(lead.data(), kCdPlayLeadBytes)) end = End::ServerLost;
    for (qint64 next = from; end == End::Finished && next < to && !stopping_;
         next += kChunkSectors) {
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
    sound_.lock();
    bool ok = true;
    for (;;) {
        if (stopping_ || sound_.failed()) {
            ok = !sound_.failed();
            break;
        }
        askTimingLocked();
        updateProgressLocked();
        if (writtenBytes_ - takenBytes_ < kAheadBytes) {
            ok = pa_stream_write(sound_.stream(), data, size_t(bytes), nullptr, 0, PA_SEEK_RELATIVE) == 0;
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

bool CdPlayback::waitUntilPlayed() {
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
        if (allTakenAt != 0 &&
            now >= allTakenAt + pa_bytes_to_usec(uint64_t(sinkBytes_), &cdSampleSpec()) + kHeardMargin) {
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

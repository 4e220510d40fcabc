#pragma once

#include "platform/cd/DiscDrive.h"
#include "platform/mci/CdStream.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace sondex::mci {

// Name of the thread that reads the disc and feeds the sound server, so that tools can measure it.
inline constexpr char kCdPlaybackThreadName[] = "sondex-cd-play";

// A CD unit's digital playback on a stream of its own (CdStream), from
// connect() to destruction, corked while nothing plays so that a recording of
// it can start before the music does. A play reads
// the disc on a thread of its own, a few sectors at a time, and writes them as
// the server plays them: memory stays at one chunk plus half a second in the
// server. It begins with a lead of silence (kCdPlayLeadBytes) and the stream
// stays corked until its first half second is queued, so that a recording of
// the stream holds the disc from its first frame. What counts as played is
// what the sink has taken from the stream less the sink's latency and the
// lead, by the server's own figures, not what was read.
class CdPlayback {
public:
    enum class End { Finished, ReadFailed, ServerLost };
    // Called from the reading thread, once per play that ends by itself.
    using EndHandler = std::function<void(End, quint64 play)>;

    CdPlayback(QChar unitLetter, EndHandler onEnd);
    ~CdPlayback();
    CdPlayback(const CdPlayback&) = delete;
    CdPlayback& operator=(const CdPlayback&) = delete;

    // Connects and creates the corked stream; returns once it is ready or failed.
    Error connect() { return sound_.connect(); }
    bool isUsable() const { return sound_.isUsable(); }
    quint32 sinkInputIndex() const { return sound_.sinkInputIndex(); }
    QString sinkName() const { return sound_.sinkName(); }

    // Plays the addresses [from, to) read from the drive; returns the play's number.
    quint64 start(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to);
    // Ends the running play at once (the stream is corked and emptied).
    void stop();
    // CD frames of the current or last play that the server has played.
    qint64 playedFrames() const;

private:
    void run(quint64 play, std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to);
    bool writePaced(const char* data, qint64 bytes);
    bool waitUntilPlayed();
    // The server's progress through the current play, from its last timing figures.
    void updateProgressLocked() const;
    void flushLocked();
    void askTimingLocked();
    void corkLocked(bool corked);

    CdStream sound_;
    EndHandler onEnd_;
    std::thread reader_;
    std::atomic<bool> stopping_ = false;
    // The figures below are used under the stream's lock. The sound library
    // takes that lock where a thread checker cannot see it, so they are atomic
    // as well, which costs nothing at this rate.
    std::atomic<qint64> writtenBytes_ = 0;  // of the current play
    // Of the current play: what the sink has taken from the stream, what of
    // it has been heard, and the sink's latency.
    mutable std::atomic<qint64> takenBytes_ = 0;
    mutable std::atomic<qint64> playedBytes_ = 0;
    mutable std::atomic<qint64> sinkBytes_ = 0;
    std::atomic<bool> timingAsked_ = false;  // also cleared by the sound library's thread
    std::atomic<quint64> lastTimingAsk_ = 0;
    quint64 play_ = 0;
    std::atomic<bool> corked_ = true;
};

}  // namespace sondex::mci

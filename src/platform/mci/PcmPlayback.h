#pragma once

#include "platform/mci/PcmStream.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace sondex::mci {

// Where a play's samples come from; used by the playing thread alone.
class PcmSource {
public:
    virtual ~PcmSource() = default;
    // Fills up to bytes (whole frames) and returns how many it gave: 0 at
    // the end, -1 when reading failed.
    virtual qint64 read(char* data, qint64 bytes) = 0;
};

// A playback of the engine's own on a stream of its own (PcmStream), from
// connect() to destruction, corked while nothing plays so that a recording of
// it can start before the music does. A play reads its source on a thread of
// its own, a chunk at a time, and writes it as the server plays it: memory
// stays at one chunk plus half a second in the server. It begins with a lead
// of silence (PcmStream::leadBytes) and the stream stays corked until its
// first half second is queued, so that a recording of the stream holds the
// music from its first frame. What counts as played is what the sink has
// taken from the stream less the sink's latency and the lead, by the
// server's own figures, not what was read.
class PcmPlayback {
public:
    enum class End { Finished, ReadFailed, ServerLost };
    // Called from the reading thread, once per play that ends by itself.
    using EndHandler = std::function<void(End, quint64 play)>;

    // chunkBytes: what the source is asked for at a time (whole frames).
    PcmPlayback(PcmStreamName name, StreamFormat format, const char* threadName, qint64 chunkBytes,
                EndHandler onEnd);
    ~PcmPlayback();
    PcmPlayback(const PcmPlayback&) = delete;
    PcmPlayback& operator=(const PcmPlayback&) = delete;

    // Connects and creates the corked stream; returns once it is ready or failed.
    Error connect() { return sound_.connect(); }
    bool isUsable() const { return sound_.isUsable(); }
    quint32 sinkInputIndex() const { return sound_.sinkInputIndex(); }
    QString sinkName() const { return sound_.sinkName(); }

    // Plays the source to its end; returns the play's number.
    quint64 start(std::unique_ptr<PcmSource> source);
    // Ends the running play at once (the stream is corked and emptied).
    void stop();
    // Bytes of the source of the current or last play that the server has played.
    qint64 playedBytes() const;

private:
    void run(quint64 play, std::unique_ptr<PcmSource> source);
    bool writePaced(const char* data, qint64 bytes);
    bool waitUntilPlayed();
    // The server's progress through the current play, from its last timing figures.
    void updateProgressLocked() const;
    void flushLocked();
    void askTimingLocked();
    void corkLocked(bool corked);

    PcmStream sound_;
    const char* threadName_;
    qint64 chunkBytes_;
    qint64 aheadBytes_;
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

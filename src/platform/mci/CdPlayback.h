#pragma once

#include "platform/cd/DiscDrive.h"
#include "platform/mci/ErrorCode.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace sondex::mci {

// Name of the thread that reads the disc and feeds the sound server, so that tools can measure it.
inline constexpr char kCdPlaybackThreadName[] = "sondex-cd-play";
// The sound library's own thread of a CD unit's playback stream.
inline constexpr char kCdStreamThreadName[] = "sondex-cd-pulse";

// A CD unit's digital playback: one playback stream of 44.1 kHz 16-bit stereo
// on the default sink, from connect() to destruction (corked while nothing
// plays, so a recording of it can start before the music does). A play reads
// the disc on a thread of its own, a few sectors at a time, and writes them as
// the server plays them: memory stays at one chunk plus half a second in the
// server. What counts as played is what the sink has taken from the stream
// less the sink's latency, by the server's own figures, not what was read.
class CdPlayback {
public:
    enum class End { Finished, ReadFailed, ServerLost };
    // Called from the reading thread, once per play that ends by itself.
    using EndHandler = std::function<void(End, quint64 play)>;

    // The stream is named after the unit ("SONDEX CD E:"); the server keeps its
    // volume under "sondex-cd-E".
    CdPlayback(QChar unitLetter, EndHandler onEnd);
    ~CdPlayback();
    CdPlayback(const CdPlayback&) = delete;
    CdPlayback& operator=(const CdPlayback&) = delete;

    // Connects and creates the corked stream; returns once it is ready or failed.
    Error connect();
    bool isUsable() const;
    quint32 sinkInputIndex() const { return sinkInputIndex_; }
    QString sinkName() const { return sinkName_; }

    // Plays the addresses [from, to) read from the drive; returns the play's number.
    quint64 start(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to);
    // Ends the running play at once (the stream is corked and emptied).
    void stop();
    // CD frames of the current or last play that the server has played.
    qint64 playedFrames() const;

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);

    bool waitForStream();
    void disconnect();
    void run(quint64 play, std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to);
    bool writePaced(const char* data, qint64 bytes);
    bool waitUntilPlayed();
    // The server's progress through the current play, from its last timing figures.
    void updateProgressLocked() const;
    void askTimingLocked();
    void cork(bool corked);

    QString streamName_;
    QByteArray restoreId_;
    EndHandler onEnd_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    quint32 sinkInputIndex_ = 0;
    QString sinkName_;
    std::thread reader_;
    std::atomic<bool> stopping_ = false;
    bool failed_ = false;        // the server went away; guarded by the mainloop lock
    bool timedOut_ = false;      // connect() waited too long
    qint64 writtenBytes_ = 0;    // of the current play; guarded by the mainloop lock
    // Of the current play, guarded by the mainloop lock: what the sink has
    // taken from the stream, what of it has been heard, and the sink's latency.
    mutable qint64 takenBytes_ = 0;
    mutable qint64 playedBytes_ = 0;
    mutable qint64 sinkBytes_ = 0;
    bool timingAsked_ = false;
    quint64 lastTimingAsk_ = 0;
    quint64 play_ = 0;
};

}  // namespace sondex::mci

#pragma once

#include <QString>

#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace sondex::test {

class PrivatePulseServer;

// Interleaved 44100/16/stereo frames of seeded noise, loud enough to hear and
// never a silent frame, so that where it starts in a take is plain and any
// changed sample shows.
std::vector<qint16> makePattern(qint64 frames, quint32 seed);

// Plays a pattern into the private server's sink over and over with libpulse,
// standing in for the engine's own CD playback: a stream of its own at full
// volume whose sink-input index a test registers with the engine. Its
// buffer is long: a player that runs dry leaves silence in the sink's
// rendering of it, and in a take of it.
class PatternPlayer {
public:
    PatternPlayer(const PrivatePulseServer& server, std::vector<qint16> pattern,
                  int latencyMs = 250);
    ~PatternPlayer();
    PatternPlayer(const PatternPlayer&) = delete;
    PatternPlayer& operator=(const PatternPlayer&) = delete;

    // Connects and starts playing; false when the server does not take the stream.
    bool start();
    // Ends the stream: it leaves the server, as a closed CD unit's does.
    void stop();

    quint32 sinkInputIndex() const { return sinkInput_; }
    QString sinkName() const { return sinkName_; }
    // Frames the sink has played by now, from the server's timing; -1 when unknown.
    qint64 playedFrames() const;

private:
    static void onWritable(pa_stream* stream, size_t bytes, void* self);
    bool waitUntil(bool (*ready)(PatternPlayer&));

    const PrivatePulseServer& server_;
    std::vector<qint16> pattern_;
    int latencyMs_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    size_t next_ = 0;  // the pattern frame written next
    quint32 sinkInput_ = 0;
    QString sinkName_;
};

}  // namespace sondex::test

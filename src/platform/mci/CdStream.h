#pragma once

#include "platform/mci/ErrorCode.h"

#include <QString>

#include <atomic>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_sample_spec;

namespace sondex::mci {

// The sound library's own thread of a CD unit's playback stream.
inline constexpr char kCdStreamThreadName[] = "sondex-cd-pulse";

// 44.1 kHz 16-bit little-endian stereo, the sound of an audio CD.
const pa_sample_spec& cdSampleSpec();

// What the server buffers of the stream ahead of the sink. The server runs
// the sink at under half of it (the stream adjusts the sink's latency).
inline constexpr int kCdStreamLatencyMilliseconds = 500;
// Silence that each play begins with. Starting the stream makes the sink
// rewind and render the stream's first data over what it had rendered ahead;
// a monitor that had already passed those frames on (a null sink's does) drops
// the new ones, so a recording of the stream would miss them. A rewind reaches
// back no further than the sink's latency, so the lead covers that.
inline constexpr qint64 kCdPlayLeadBytes = 44100 * 4 * (kCdStreamLatencyMilliseconds / 2) / 1000;

// The sound server's side of a CD unit's playback: the sound library's
// thread, a connection and one playback stream on the default sink, corked
// from the start. The stream is named after the unit ("SONDEX CD E:") and the
// server keeps its volume under "sondex-cd-E". Every use of stream() and
// failed() happens between lock() and unlock().
class CdStream {
public:
    explicit CdStream(QChar unitLetter);
    ~CdStream();
    CdStream(const CdStream&) = delete;
    CdStream& operator=(const CdStream&) = delete;

    // Connects and creates the stream; returns once it is ready or failed.
    Error connect();
    bool isUsable() const;

    void lock() const;
    void unlock() const;
    pa_stream* stream() const { return stream_; }
    // The server went away or refused the stream.
    bool failed() const { return failed_; }
    void cork(bool corked);

    quint32 sinkInputIndex() const { return sinkInputIndex_; }
    QString sinkName() const { return sinkName_; }

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);

    bool waitForStream();
    void disconnect();

    QString name_;
    QByteArray restoreId_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    std::atomic<bool> failed_ = false;
    std::atomic<bool> timedOut_ = false;
    quint32 sinkInputIndex_ = 0;
    QString sinkName_;
};

}  // namespace sondex::mci

#pragma once

#include "platform/mci/ErrorCode.h"

#include <pulse/sample.h>

#include <QByteArray>
#include <QString>

#include <atomic>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace sondex::mci {

// Interleaved little-endian samples: 16-bit integers, or 32-bit floats.
struct StreamFormat {
    int rate = 44100;
    int channels = 2;
    bool isFloat = false;

    int frameBytes() const { return channels * (isFloat ? 4 : 2); }
    qint64 bytesFor(qint64 milliseconds) const { return rate * milliseconds / 1000 * frameBytes(); }
    pa_sample_spec sampleSpec() const;
};

// What the server buffers of a stream ahead of the sink. The server runs
// the sink at under half of it (the stream adjusts the sink's latency).
inline constexpr int kPcmStreamLatencyMilliseconds = 500;

// Who a playback stream is for: its name on the server ("SONDEX CD E:"), the
// id the server keeps its volume under ("sondex-cd-E") and the name of the
// sound library's thread.
struct PcmStreamName {
    QString name;
    QByteArray restoreId;
    const char* threadName;
};

// The sound server's side of a playback of the engine's own: the sound
// library's thread, a connection and one playback stream on the default sink,
// corked from the start. Every use of stream() and failed() happens between
// lock() and unlock().
class PcmStream {
public:
    PcmStream(PcmStreamName name, StreamFormat format);
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    // Connects and creates the stream; returns once it is ready or failed.
    Error connect();
    bool isUsable() const;

    void lock() const;
    void unlock() const;
    pa_stream* stream() const { return stream_; }
    const pa_sample_spec& spec() const { return spec_; }
    const StreamFormat& format() const { return format_; }
    // Silence that each play begins with. Starting the stream makes the sink
    // rewind and render the stream's first data over what it had rendered
    // ahead; a monitor that had already passed those frames on (a null sink's
    // does) drops the new ones, so a recording of the stream would miss them.
    // A rewind reaches back no further than the sink's latency, so the lead covers that.
    qint64 leadBytes() const { return format_.bytesFor(kPcmStreamLatencyMilliseconds / 2); }
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

    PcmStreamName name_;
    StreamFormat format_;
    pa_sample_spec spec_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    std::atomic<bool> failed_ = false;
    std::atomic<bool> timedOut_ = false;
    quint32 sinkInputIndex_ = 0;
    QString sinkName_;
};

}  // namespace sondex::mci

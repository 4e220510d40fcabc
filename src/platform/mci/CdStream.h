#pragma once

#include "platform/mci/ErrorCode.h"

#include <QString>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_sample_spec;

namespace sondex::mci {

// The sound library's own thread of a CD unit's playback stream.
inline constexpr char kCdStreamThreadName[] = "sondex-cd-pulse";

// 44.1 kHz 16-bit little-endian stereo, the sound of an audio CD.
const pa_sample_spec& cdSampleSpec();

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
    bool failed_ = false;
    bool timedOut_ = false;
    quint32 sinkInputIndex_ = 0;
    QString sinkName_;
};

}  // namespace sondex::mci

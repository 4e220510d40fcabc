#pragma once

#include "platform/mci/ErrorCode.h"

#include <atomic>
#include <functional>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;

namespace sondex::mci {

class RecordingFile;

// Name of the thread that captures and writes, so that tools can measure it.
inline constexpr char kCaptureThreadName[] = "sondex-capture";

// Captures the sound server's default source, in the recording file's format,
// and appends every sample to the file. The work runs on the sound library's
// own thread; the end handler is called once from there when the capture
// cannot go on (the size limit, a lost server, a failed write).
class PulseCapture {
public:
    enum class End { LimitReached, Failed };
    using EndHandler = std::function<void(End)>;

    PulseCapture(RecordingFile& file, int bufferSeconds, EndHandler onEnd);
    ~PulseCapture();
    PulseCapture(const PulseCapture&) = delete;
    PulseCapture& operator=(const PulseCapture&) = delete;

    // Connects and starts the stream; returns once samples flow or it failed.
    Error start();

    // Takes the samples already delivered, then disconnects. The end handler is
    // never called after this returns.
    void stop();

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onReadable(pa_stream* stream, size_t bytes, void* self);

    bool waitUntilReady();
    bool connectStream();
    void takeDeliveredSamples();
    void reportEnd(End end);

    RecordingFile& file_;
    int bufferSeconds_;
    EndHandler onEnd_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* timeout_ = nullptr;
    bool timedOut_ = false;
    bool running_ = false;
    std::atomic<bool> ended_{false};
};

}  // namespace sondex::mci

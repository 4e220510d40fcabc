#pragma once

#include "platform/mci/CaptureSource.h"
#include "platform/mci/ErrorCode.h"
#include "platform/mci/WavHeader.h"

#include <cstdint>
#include <functional>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;
struct pa_mainloop_api;
struct timeval;

namespace sondex::mci {

class RecordingFile;

// Name of the thread that captures and writes, so that tools can measure it.
inline constexpr char kCaptureThreadName[] = "sondex-capture";
// The stream's fragment: the thread wakes once per fragment to take the data.
inline constexpr int kCaptureFragmentMilliseconds = 50;

// Captures the sound server's default source, or one playback stream alone
// (CaptureSource), in the recording's format. The stream runs from connect()
// on, keeping nothing, so that a take can begin at the moment of startTake()
// even when the source needs time to wake up.
//
// A take is a timeline that starts at startTake(): a start-up gap the server
// leaves and a stall it reports (a suspended source, lost data, no data for
// over a second) are filled with silence; otherwise the take holds exactly the
// frames the source delivered, at the source's own clock. Where delivered
// frames lie on the timeline comes from the server's latency, asked for when
// data first arrives in a take and after a stall. The work runs on the
// sound library's thread; the end handler is called from there when the take
// cannot go on (the size limit, a lost server, a failed write). When the
// recorded playback stream goes away during a take (its player closed), the
// take goes on as silence until endTake(): its timeline keeps running at the
// pace of the clock, and no other source is mixed into it. A server that
// cannot record a single stream gives the default source instead (logged).
class PulseCapture {
public:
    enum class End { LimitReached, Failed };
    using EndHandler = std::function<void(End, quint64 take)>;

    // Frames of all takes so far: as delivered by the source, and filled with silence.
    struct Figures {
        qint64 delivered = 0;
        qint64 filled = 0;
    };

    PulseCapture(const PcmFormat& format, int bufferSeconds, EndHandler onEnd);
    ~PulseCapture();
    PulseCapture(const PulseCapture&) = delete;
    PulseCapture& operator=(const PulseCapture&) = delete;

    // Connects and starts the stream on the source; returns once it runs or failed.
    Error connect(const CaptureSource& source = {});
    // The stream runs and the server has not gone away.
    bool isUsable() const;

    // Begins a take at this moment, appending to the file; returns its number.
    // A stream on another source than the one asked for is connected anew
    // first: the take still begins at the moment of the call, and the time of
    // the change is part of its start-up gap.
    quint64 startTake(RecordingFile& file, const CaptureSource& source = {});
    // Ends the take at this moment: waits briefly for frames captured before
    // it, then keeps nothing more. The end handler is not called for it afterwards.
    void endTake();

    // Frames of the running take's timeline not yet in the file: a start-up gap or stall still open.
    qint64 openGapFrames() const;
    Figures figures() const;

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onReadable(pa_stream* stream, size_t bytes, void* self);
    static void onSuspended(pa_stream* stream, void* self);
    static void onOverflow(pa_stream* stream, void* self);
    static void onTiming(pa_stream* stream, int success, void* self);
    static void onWatchdog(pa_mainloop_api* api, pa_time_event* event, const timeval*, void* self);

    bool waitUntilReady();
    void armTimeout();
    void disarmTimeout();
    bool connectStream(const CaptureSource& source);
    bool openStream(const char* sourceName, std::optional<quint32> monitoredInput);
    void releaseStream();
    void disconnect();
    void endMonitoredStream();
    void takeDeliveredSamples();
    void askTiming();
    void anchorAtArrival();
    void keep(const char* data, qint64 frames, double firstUsec);
    void fillUpTo(double usec);
    void markStall();
    void finishTake();
    void reportEnd(End end);
    double usecOfFrame(qint64 frame) const;
    qint64 framesIn(double usec) const;
    std::uint64_t watchdogDue() const;

    PcmFormat format_;
    int bufferSeconds_;
    EndHandler onEnd_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* timeout_ = nullptr;
    pa_time_event* watchdog_ = nullptr;
    bool timedOut_ = false;
    bool failed_ = false;
    CaptureSource requested_;    // the source asked for (the stream may run on the default one)
    bool monitoring_ = false;    // the stream records one playback stream...
    bool sourceGone_ = false;    // ...which has gone away

    // Everything below is used under the sound library's lock.
    qint64 readFrames_ = 0;         // frames taken from the stream since it connected
    bool anchored_ = false;         // the capture moment of readFrames_ is known...
    bool timingAsked_ = false;      // ...or soon, from the server's timing
    qint64 anchorFrame_ = 0;        // ...as the moment of this frame,
    double anchorUsec_ = 0;         // in microseconds of the monotonic clock
    std::uint64_t lastDataUsec_ = 0;

    RecordingFile* file_ = nullptr;  // while a take runs
    quint64 take_ = 0;
    bool ended_ = false;             // the take's end has been reported
    bool resync_ = false;            // the next data measures the gap before it
    bool atTakeStart_ = false;       // no frame has reached the take yet
    double nextUsec_ = 0;            // the moment on the timeline of the take's next frame
    qint64 takeFrames_ = 0;          // frames the take has added to the file
    double stopUsec_ = 0;            // endTake() asked to end the take here
    bool tailDone_ = false;
    Figures figures_;
};

}  // namespace sondex::mci

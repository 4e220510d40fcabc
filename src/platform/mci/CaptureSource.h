#pragma once

#include "platform/mci/EngineOptions.h"

#include <QByteArray>

#include <optional>

struct pa_threaded_mainloop;
struct pa_context;

namespace sondex::mci {

// Where a capture takes its frames: the server's default source, or one
// playback stream of this engine alone (the monitor of its sink, limited to
// that stream), so that a CD take holds the CD's samples and nothing a
// desktop notification or a microphone adds.
struct CaptureSource {
    std::optional<quint32> sinkInputIndex;  // none: the default source

    // The source a "record" of a device with these options takes now.
    static CaptureSource chosenBy(const EngineOptions& options);

    bool isDefault() const { return !sinkInputIndex; }
    friend bool operator==(const CaptureSource&, const CaptureSource&) = default;
};

// The name of the monitor source of the sink the playback stream plays on,
// looked up on the server (the stream may have been moved to another sink);
// empty when the stream or its sink is not there. Called with the mainloop
// locked, from outside its thread; stops waiting once givenUp is true (a
// timeout that signals the mainloop sets it).
QByteArray monitorSourceOf(pa_threaded_mainloop* mainloop, pa_context* context,
                           quint32 sinkInputIndex, const bool& givenUp);

}  // namespace sondex::mci

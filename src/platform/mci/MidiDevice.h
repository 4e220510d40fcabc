#pragma once

#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
#include "platform/mci/FilePlayer.h"
#include "platform/mci/MidiFile.h"
#include "platform/mci/MidiSynth.h"
#include "platform/mci/OpenRequest.h"

#include <memory>

namespace sondex::mci {

// The MIDI sequencer: a MIDI or RMI file read by midi::readMidi and rendered
// by a General MIDI synthesizer (MidiSynth) as 44,100 Hz 16-bit stereo that
// a FilePlayer plays. Positions and lengths are in milliseconds; the length
// is the song's. The sound font is loaded once, at the open.
class MidiDevice final : public Device {
public:
    // Files larger than this are refused unread: a song of an hour is well under a megabyte.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    static std::unique_ptr<Device> open(qint64 id, const OpenRequest& request,
                                        const EngineOptions& options, Error& error);
    ~MidiDevice() override;

    Outcome execute(const Command& command, QString& reply) override;
    void close() override;

private:
    MidiDevice(qint64 id, midi::MidiSong song, std::unique_ptr<MidiSynth> synth,
               const EngineOptions& options);

    Error status(const Command& command, QString& reply);

    std::shared_ptr<const midi::MidiSong> song_;
    // Used by the playing thread during a play; the player ends its plays before it goes.
    std::unique_ptr<MidiSynth> synth_;
    FilePlayer player_;
};

}  // namespace sondex::mci

#pragma once

#include "platform/mci/MidiFile.h"
#include "platform/mci/MidiSynth.h"
#include "platform/mci/PcmPlayback.h"

#include <memory>

namespace sondex::mci {

// A play to the song's end goes on past it while the notes still release or
// the reverb still rings (above -66 dBFS), for at most this long.
inline constexpr qint64 kMidiTailMilliseconds = 2000;

// The frame (at MidiSynth::kRate) at which an event of the song sounds.
qint64 midiFrameOf(qint64 micros);

// Frames [from, to) of the song rendered by the synthesizer, which the
// source uses on the playing thread alone and only while it reads. The
// synthesizer starts from a reset; a play from a later frame first sends
// the channel settings of the events before it (programs, controllers,
// pitch bend, pressure, system exclusive) but no notes. With a tail, the
// sound after `to` follows until it has died away (kMidiTailMilliseconds at
// most).
std::unique_ptr<PcmSource> midiSource(MidiSynth& synth, std::shared_ptr<const midi::MidiSong> song,
                                      qint64 from, qint64 to, bool tail);

}  // namespace sondex::mci

// MIDI files (.mid, .rmi) the MIDI device plays.
#include "FuzzInput.h"
#include "platform/mci/MidiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex::mci::midi;
    const MidiReadResult result = readMidi(sondex::fuzz::bytes(data, size));
    result.message();
    for (const MidiEvent& event : result.song.events) {
        if (event.status == 0xF0 || event.status == 0xF7)
            result.song.sysexOf(event);
    }
    result.song.firstEventAt(result.song.lengthMs() / 2);
    return 0;
}

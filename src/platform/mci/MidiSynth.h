#pragma once

#include "platform/mci/MidiFile.h"

#include <QString>
#include <QStringList>

#include <memory>

using fluid_settings_t = struct _fluid_hashtable_t;
using fluid_synth_t = struct _fluid_synth_t;

namespace sondex::mci {

// A software synthesizer (FluidSynth) with a General MIDI sound font loaded,
// rendering 44,100 Hz 16-bit stereo on demand: no audio driver of its own.
// Used by one thread at a time; handing it to another thread needs a join
// or a lock between them.
class MidiSynth {
public:
    static constexpr int kRate = 44100;

    // The first of the paths that loads; null when none does.
    static std::unique_ptr<MidiSynth> load(const QStringList& soundFontPaths);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    const QString& soundFont() const { return soundFont_; }

    // Silences every voice and puts every channel back to its power-on state.
    void reset();
    // Sends one event of the song; notes only when sounding is wanted.
    void send(const midi::MidiSong& song, const midi::MidiEvent& event, bool notes = true);
    // Renders frames of interleaved stereo 16-bit samples.
    void render(qint16* out, int frames);

private:
    MidiSynth(fluid_settings_t* settings, fluid_synth_t* synth, QString soundFont);

    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    QString soundFont_;
};

}  // namespace sondex::mci

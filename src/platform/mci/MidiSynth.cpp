#include "platform/mci/MidiSynth.h"

#include "platform/mci/EngineOptions.h"

#include <QFile>
#include <QFileInfo>

#include <fluidsynth.h>

#include <mutex>

namespace sondex::mci {

namespace {

// A voice is one sample layer of a note: a note of a stereo instrument takes two.
constexpr int kPolyphony = 96;

// The synthesizer's own messages would only reach a terminal nobody reads;
// the engine reports what matters by its result codes.
void silenceSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

}  // namespace

QStringList defaultSoundFontPaths() {
    QStringList paths;
    const QString chosen = qEnvironmentVariable("SONDEX_SOUNDFONT");
    if (!chosen.isEmpty()) paths << chosen;
    for (const char* name : {"default-GM.sf2", "FluidR3_GM.sf2", "TimGM6mb.sf2"})
        paths << QStringLiteral("/usr/share/sounds/sf2/") + QLatin1String(name);
    return paths;
}

std::unique_ptr<MidiSynth> MidiSynth::load(const QStringList& soundFontPaths) {
    silenceSynthLog();
    for (const QString& path : soundFontPaths) {
        // Plain SoundFont files only: the synthesizer would wait on a pipe, and
        // it hands other files to a library that complains on the terminal.
        const QByteArray name = QFile::encodeName(path);
        if (!QFileInfo(path).isFile() || !fluid_is_soundfont(name.constData())) continue;
        fluid_settings_t* settings = new_fluid_settings();
        if (!settings) return nullptr;
        fluid_settings_setnum(settings, "synth.sample-rate", kRate);
        // Locking the samples in memory needs a privilege the recorder does not have.
        fluid_settings_setint(settings, "synth.lock-memory", 0);
        // The voices cost the time, and most of them are long releases far below
        // hearing; past this many the quietest give way to new notes.
        fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
        fluid_synth_t* synth = new_fluid_synth(settings);
        if (synth && fluid_synth_sfload(synth, name.constData(), 1) != FLUID_FAILED)
            return std::unique_ptr<MidiSynth>(new MidiSynth(settings, synth, path));
        if (synth) delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
    return nullptr;
}

MidiSynth::MidiSynth(fluid_settings_t* settings, fluid_synth_t* synth, QString soundFont)
    : settings_(settings), synth_(synth), soundFont_(std::move(soundFont)) {}

MidiSynth::~MidiSynth() {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void MidiSynth::reset() {
    fluid_synth_system_reset(synth_);
}

void MidiSynth::send(const midi::MidiSong& song, const midi::MidiEvent& event, bool notes) {
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
    case 0x80:
        if (notes) fluid_synth_noteoff(synth_, channel, event.data1);
        break;
    case 0x90:
        if (!notes) break;
        if (event.data2 == 0)
            fluid_synth_noteoff(synth_, channel, event.data1);
        else
            fluid_synth_noteon(synth_, channel, event.data1, event.data2);
        break;
    case 0xA0:
        if (notes) fluid_synth_key_pressure(synth_, channel, event.data1, event.data2);
        break;
    case 0xB0: fluid_synth_cc(synth_, channel, event.data1, event.data2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, event.data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, event.data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, event.data1 | (event.data2 << 7)); break;
    case 0xF0: {
        // A whole message (0xF0 … 0xF7) goes to the synthesizer without its
        // framing bytes; packets of a divided one and escapes (0xF7) do not.
        const QByteArrayView bytes = song.sysexOf(event);
        if (event.status == 0xF0 && bytes.size() > 1 && bytes.back() == char(0xF7))
            fluid_synth_sysex(synth_, bytes.data(), int(bytes.size() - 1), nullptr, nullptr,
                              nullptr, 0);
        break;
    }
    default: break;
    }
}

void MidiSynth::render(qint16* out, int frames) {
    fluid_synth_write_s16(synth_, frames, out, 0, 2, out, 1, 2);
}

}  // namespace sondex::mci

#include "platform/mci/MidiSource.h"

#include <algorithm>
#include <cstdlib>

namespace sondex::mci {

namespace {

// After the end, a block of this many frames or more whose samples all stay
// within -66 dBFS ends the tail.
constexpr int kSilentSample = 16;
constexpr int kSilenceCheckFrames = MidiSynth::kRate / 100;

class MidiFrames final : public PcmSource {
public:
    MidiFrames(MidiSynth& synth, std::shared_ptr<const midi::MidiSong> song, qint64 from,
               qint64 to, bool tail)
        : synth_(synth),
          song_(std::move(song)),
          tail_(tail),
          next_(from),
          to_(to),
          end_(tail ? to + kMidiTailMilliseconds * MidiSynth::kRate / 1000 : to) {}

    qint64 read(char* data, qint64 bytes) override {
        if (!started_) start();
        auto* out = reinterpret_cast<qint16*>(data);
        const QList<midi::MidiEvent>& events = song_->events;
        const qint64 wanted = qMin(bytes / kFrameBytes, end_ - next_);
        qint64 done = 0;
        while (done < wanted) {
            // Events sound at their own frame: the render stops there to send them.
            while (event_ < stop_ && midiFrameOf(events[event_].micros) <= next_)
                synth_.send(*song_, events[event_++]);
            qint64 until = next_ + (wanted - done);
            if (event_ < stop_) until = qMin(until, midiFrameOf(events[event_].micros));
            const int count = int(until - next_);
            qint16* block = out + done * 2;
            synth_.render(block, count);
            if (next_ >= to_ && event_ == stop_ && count >= kSilenceCheckFrames &&
                isSilent(block, count)) {
                // The tail has died away; voices may still release far below hearing.
                end_ = next_;
                break;
            }
            done += count;
            next_ = until;
        }
        return done * kFrameBytes;
    }

private:
    static constexpr qint64 kFrameBytes = 4;

    // Resets the synthesizer and brings its channels to where the song has them at the start.
    void start() {
        started_ = true;
        synth_.reset();
        const QList<midi::MidiEvent>& events = song_->events;
        // The last events may lie on the end frame itself: a play with a tail sends them all.
        stop_ = events.size();
        if (!tail_)
            while (stop_ > 0 && midiFrameOf(events[stop_ - 1].micros) >= to_) --stop_;
        while (event_ < stop_ && midiFrameOf(events[event_].micros) < next_)
            synth_.send(*song_, events[event_++], false);
    }

    static bool isSilent(const qint16* samples, int frames) {
        return std::all_of(samples, samples + 2 * frames,
                           [](qint16 s) { return std::abs(int(s)) <= kSilentSample; });
    }

    MidiSynth& synth_;
    std::shared_ptr<const midi::MidiSong> song_;
    bool tail_;
    qsizetype event_ = 0;
    qsizetype stop_ = 0;  // the first event not sent in this play
    qint64 next_;  // the frame the next render starts at
    qint64 to_;
    qint64 end_;  // to_, or the end of the longest tail
    bool started_ = false;
};

}  // namespace

qint64 midiFrameOf(qint64 micros) {
    return micros * MidiSynth::kRate / 1'000'000;
}

std::unique_ptr<PcmSource> midiSource(MidiSynth& synth, std::shared_ptr<const midi::MidiSong> song,
                                      qint64 from, qint64 to, bool tail) {
    return std::make_unique<MidiFrames>(synth, std::move(song), from, to, tail);
}

}  // namespace sondex::mci

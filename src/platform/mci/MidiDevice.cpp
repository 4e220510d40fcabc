#include "platform/mci/MidiDevice.h"

#include "platform/mci/MidiSource.h"

#include <QFile>
#include <QFileInfo>

namespace sondex::mci {

namespace {

constexpr StreamFormat kMidiFormat{MidiSynth::kRate, 2, false};

Error readSong(const QString& path, midi::MidiSong& song) {
    const QFileInfo info(path);
    if (!info.isFile()) return Error::FileNotFound;
    if (info.size() > MidiDevice::kMaxFileBytes) return Error::BadMidiFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Error::FileUnreadable;
    const QByteArray bytes = file.read(MidiDevice::kMaxFileBytes + 1);
    if (bytes.size() > MidiDevice::kMaxFileBytes) return Error::BadMidiFile;
    midi::MidiReadResult read = midi::readMidi(bytes);
    if (!read.ok()) return Error::BadMidiFile;
    // A cut file plays what was read of it.
    song = std::move(read.song);
    return Error::None;
}

// The frames the song's milliseconds take, rounded up so that they count as the whole length.
qint64 framesOf(qint64 milliseconds) {
    return (milliseconds * MidiSynth::kRate + 999) / 1000;
}

}  // namespace

std::unique_ptr<Device> MidiDevice::open(qint64 id, const OpenRequest& request,
                                         const EngineOptions& options, Error& error) {
    midi::MidiSong song;
    error = readSong(request.element, song);
    if (error != Error::None) return nullptr;
    std::unique_ptr<MidiSynth> synth = MidiSynth::load(options.soundFontPaths);
    if (!synth) {
        error = Error::NoSoundFont;
        return nullptr;
    }
    std::unique_ptr<MidiDevice> device(
        new MidiDevice(id, std::move(song), std::move(synth), options));
    // Without a sound server the song's status still answers; "play" tries again and reports it.
    (void)device->player_.connect();
    return device;
}

MidiDevice::MidiDevice(qint64 id, midi::MidiSong song, std::unique_ptr<MidiSynth> synth,
                       const EngineOptions& options)
    : Device(id),
      song_(std::make_shared<const midi::MidiSong>(std::move(song))),
      synth_(std::move(synth)),
      player_(*this, options.playbackStreams, kMidiFormat, framesOf(song_->lengthMs()),
              [this](qint64 from, qint64 to) {
                  // A play to the end lets the last notes ring out.
                  const bool toEnd = PositionScale::milliseconds(MidiSynth::kRate).toUnits(to) >=
                                     song_->lengthMs();
                  return midiSource(*synth_, song_, from, to, toEnd);
              }) {}

MidiDevice::~MidiDevice() {
    close();
}

Device::Outcome MidiDevice::execute(const Command& command, QString& reply) {
    if (auto outcome =
            player_.execute(command, PositionScale::milliseconds(MidiSynth::kRate), reply))
        return *outcome;
    if (command.verb == u"status") return {status(command, reply)};
    if (command.verb == u"set") return {acceptMillisecondsOnly(command)};
    return {Error::UnsupportedCommand};
}

void MidiDevice::close() {
    player_.close();
}

Error MidiDevice::status(const Command& command, QString& reply) {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"time format")
        reply = QStringLiteral("milliseconds");
    else if (item == u"samplespersec")
        reply = QString::number(kMidiFormat.rate);
    else if (item == u"bitspersample")
        reply = QStringLiteral("16");
    else if (item == u"channels")
        reply = QString::number(kMidiFormat.channels);
    else
        return Error::UnknownKeyword;
    return Error::None;
}

}  // namespace sondex::mci

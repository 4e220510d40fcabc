#include "platform/mci/MusicFileDevice.h"

namespace sondex::mci {

std::unique_ptr<Device> MusicFileDevice::open(qint64 id, const OpenRequest& request,
                                              const EngineOptions& options, Error& error) {
    MusicFileFacts facts;
    error = readMusicFileFacts(request.element, facts);
    if (error != Error::None) return nullptr;
    std::unique_ptr<MusicFileDevice> device(
        new MusicFileDevice(id, request.element, facts, options));
    // Without a sound server the file's status still answers; "play" tries again and reports it.
    (void)device->player_.connect();
    return device;
}

MusicFileDevice::MusicFileDevice(qint64 id, const QString& path, const MusicFileFacts& facts,
                                 const EngineOptions& options)
    : Device(id),
      facts_(facts),
      player_(*this, options.playbackStreams, facts.format, facts.frames,
              [path, format = facts.format](qint64 from, qint64 to) {
                  return musicFileSource(path, format, from, to);
              }) {}

MusicFileDevice::~MusicFileDevice() {
    close();
}

Device::Outcome MusicFileDevice::execute(const Command& command, QString& reply) {
    if (auto outcome =
            player_.execute(command, PositionScale::milliseconds(facts_.format.rate), reply))
        return *outcome;
    if (command.verb == u"status") return {status(command, reply)};
    if (command.verb == u"set") return {acceptMillisecondsOnly(command)};
    return {Error::UnsupportedCommand};
}

void MusicFileDevice::close() {
    player_.close();
}

Error MusicFileDevice::status(const Command& command, QString& reply) {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"time format")
        reply = QStringLiteral("milliseconds");
    else if (item == u"samplespersec")
        reply = QString::number(facts_.format.rate);
    else if (item == u"bitspersample")
        reply = QString::number(facts_.bitsPerSample);
    else if (item == u"channels")
        reply = QString::number(facts_.format.channels);
    else
        return Error::UnknownKeyword;
    return Error::None;
}

}  // namespace sondex::mci

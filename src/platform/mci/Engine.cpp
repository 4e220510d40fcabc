#include "platform/mci/Engine.h"

#include "platform/mci/CdAudioDevice.h"
#include "platform/mci/MidiDevice.h"
#include "platform/mci/MusicFileDevice.h"
#include "platform/mci/WaveAudioDevice.h"

namespace sondex::mci {

Engine::Engine(EngineOptions options) : options_(std::move(options)) {
    if (!options_.playbackStreams) options_.playbackStreams = std::make_shared<PlaybackStreams>();
    addDeviceKind(QStringLiteral("waveaudio"), &WaveAudioDevice::open);
    addDeviceKind(QStringLiteral("cdaudio"), &CdAudioDevice::open);
    addDeviceKind(QStringLiteral("mpegvideo"), &MusicFileDevice::open);
    addDeviceKind(QStringLiteral("sequencer"), &MidiDevice::open);
}

void Engine::setDefaultCdUnit(QChar letter) { options_.defaultCdUnit = letter.toUpper(); }

Engine::~Engine() {
    // No "close": a recording the recorder left open keeps its temporary file.
    devices_.clear();
}

void Engine::addDeviceKind(const QString& typeName, DeviceFactory factory) {
    kinds_.insert(typeName.toLower(), std::move(factory));
}

QString Engine::errorText(int code) const { return errorTextFor(code); }

int Engine::sendString(const QString& text, QString& reply, const NoticeTarget& target) {
    reply.clear();
    const ParsedCommand parsed = parseCommand(text);
    if (parsed.error != Error::None) return toCode(parsed.error);
    const Command& command = parsed.command;
    if (command.verb == u"open") return toCode(open(command, target));
    if (command.verb == u"close") return toCode(close(command, target));
    return toCode(execute(command, reply, target));
}

Error Engine::open(const Command& command, const NoticeTarget& target) {
    const ParsedOpen parsed = parseOpen(command);
    if (parsed.error != Error::None) return parsed.error;
    const OpenRequest& request = parsed.request;
    const QString key = request.alias.toLower();
    if (devices_.count(key) || key == u"all") return Error::AliasInUse;
    const auto kind = kinds_.constFind(request.typeName);
    if (kind == kinds_.cend())
        return isKnownTypeName(request.typeName) ? Error::DeviceTypeNotSupported
                                                 : Error::UnknownDeviceType;
    Error error = Error::None;
    std::unique_ptr<Device> device = (*kind)(nextDeviceId_, request, options_, error);
    if (!device) return error == Error::None ? Error::DeviceTypeNotSupported : error;
    ++nextDeviceId_;
    if (command.notify) postNotice(target, NotifySuccessful, device->id());
    devices_.emplace(key, std::move(device));
    return Error::None;
}

Error Engine::close(const Command& command, const NoticeTarget& target) {
    if (!command.args.isEmpty()) return Error::UnknownKeyword;
    const QString key = command.device.text.toLower();
    if (key == u"all") {
        while (!devices_.empty()) closeDevice(devices_.begin()->first);
        if (command.notify) postNotice(target, NotifySuccessful, 0);
        return Error::None;
    }
    const auto found = devices_.find(key);
    if (found == devices_.end()) return Error::UnknownAlias;
    const qint64 id = found->second->id();
    closeDevice(key);
    if (command.notify) postNotice(target, NotifySuccessful, id);
    return Error::None;
}

Error Engine::execute(const Command& command, QString& reply, const NoticeTarget& target) {
    const auto found = devices_.find(command.device.text.toLower());
    if (found == devices_.end()) return Error::UnknownAlias;
    Device& device = *found->second;
    const Device::Outcome outcome = device.execute(command, reply);
    if (outcome.error != Error::None || !command.notify) return outcome.error;
    device.notice().supersede();
    if (outcome.lasting)
        device.notice().arm(target);
    else
        postNotice(target, NotifySuccessful, device.id());
    return Error::None;
}

void Engine::closeDevice(const QString& key) {
    const auto found = devices_.find(key);
    found->second->close();
    devices_.erase(found);
}

}  // namespace sondex::mci

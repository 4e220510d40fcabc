#include "platform/mci/CdAudioDevice.h"

#include "platform/AppPaths.h"
#include "platform/cd/CdUnits.h"

#include <QMetaObject>

namespace sondex::mci {

namespace {

// The unit an element names: "E:" or "E" in any letter case; null for anything else.
QChar unitLetterOf(const QString& element) {
    const QString text = element.endsWith(u':') ? element.chopped(1) : element;
    if (text.size() != 1 || text[0].unicode() > 0x7F || !text[0].isLetter()) return {};
    return text[0].toUpper();
}

}  // namespace

std::unique_ptr<Device> CdAudioDevice::open(qint64 id, const OpenRequest& request,
                                            const EngineOptions& options, Error& error) {
    // Read at each open, so that a unit added while the recorder runs can be opened.
    const QString folder = options.configFolder.isEmpty() ? paths::configFolder() : options.configFolder;
    const cd::CdUnitTable table = cd::readCdUnits(folder, cd::opticalDrives());
    const cd::CdUnit* unit = nullptr;
    if (!request.element.isEmpty())
        unit = table.find(unitLetterOf(request.element));
    else if (!options.defaultCdUnit.isNull())
        unit = table.find(options.defaultCdUnit);
    else if (!table.units.isEmpty())
        unit = &table.units.front();
    if (!unit) {
        error = Error::NoSuchCdUnit;
        return nullptr;
    }
    std::unique_ptr<CdAudioDevice> device(new CdAudioDevice(id, unit->letter, unit->target, options));
    device->drive_ = device->openDrive();
    (void)device->disc();
    // Without a sound server the disc's status still answers; "play" tries again and reports it.
    (void)device->ensurePlayback();
    return device;
}

CdAudioDevice::CdAudioDevice(qint64 id, QChar letter, QString target, const EngineOptions& options)
    : Device(id), letter_(letter), target_(std::move(target)), options_(options) {}

CdAudioDevice::~CdAudioDevice() { close(); }

std::unique_ptr<cd::DiscDrive> CdAudioDevice::openDrive() const {
    return options_.openDrive ? options_.openDrive(target_) : cd::openDiscDrive(target_);
}

const cd::DiscLayout* CdAudioDevice::disc() {
    if (disc_) return &*disc_;
    const cd::DiscReading reading = drive_->readDisc();
    if (!reading.ok() || reading.disc.tracks.isEmpty()) return nullptr;
    disc_ = reading.disc;
    position_ = disc_->tracks.front().start;
    return &*disc_;
}

Device::Outcome CdAudioDevice::execute(const Command& command, QString& reply) {
    const QString& verb = command.verb;
    if (verb == u"play") return play(command);
    if (verb == u"seek") return {seek(command)};
    if (verb == u"stop") return {stop(command)};
    if (verb == u"status") return {status(command, reply)};
    if (verb == u"set") return {set(command)};
    if (verb == u"capability") return {capability(command, reply)};
    if (verb == u"info") return {info(command, reply)};
    return {Error::UnsupportedCommand};
}

void CdAudioDevice::close() {
    endPlay(NotifyAborted);
    if (options_.playbackStreams) options_.playbackStreams->remove(id());
    playback_.reset();
}

Error CdAudioDevice::positionArgument(const Command& command, qsizetype index, qint64& address) {
    if (index >= command.args.size()) return Error::MissingArgument;
    const std::optional<qint64> found = cdPositionAddress(*disc_, command.args[index].text, timeFormat_);
    if (!found) return Error::BadArgument;
    address = *found;
    return Error::None;
}

Device::Outcome CdAudioDevice::play(const Command& command) {
    // A play may last an hour; waiting for it would freeze the caller.
    if (command.wait) return {Error::WaitNotPossible};
    const cd::DiscLayout* layout = disc();
    if (!layout) return {Error::NoDisc};
    const qint64 firstStart = layout->tracks.front().start;
    qint64 from = position();
    qint64 to = layout->leadOut;
    bool fromGiven = false;
    for (qsizetype i = 0; i < command.args.size(); i += 2) {
        const bool isFrom = command.args[i].is(u"from");
        if (!isFrom && !command.args[i].is(u"to")) return {Error::UnknownKeyword};
        if (const Error error = positionArgument(command, i + 1, isFrom ? from : to); error != Error::None)
            return {error};
        fromGiven = fromGiven || isFrom;
    }
    // A play without "from" after the end starts the disc again.
    if (from < firstStart || (!fromGiven && from >= layout->leadOut)) from = firstStart;
    if (to <= from) return {Error::BadArgument};
    // Data tracks are not played: a range of them alone is over at once, at its
    // end, as a drive that skips them would leave it (so a data disc's test
    // play never looks like music).
    const cd::AddressSpan audible = cd::audioSpan(*layout, from, to);
    if (audible.isEmpty()) {
        endPlay(NotifySuperseded);
        position_ = to;
        return {Error::None};
    }
    if (const Error error = ensurePlayback(); error != Error::None) return {error};
    endPlay(NotifySuperseded);
    playing_ = true;
    playFrom_ = audible.first;
    playTo_ = audible.last;
    play_ = playback_->start(openDrive(), audible.first, audible.last);
    return {Error::None, true};
}

Error CdAudioDevice::seek(const Command& command) {
    if (command.args.isEmpty()) return Error::MissingArgument;
    if (!command.args[0].is(u"to") || command.args.size() > 2) return Error::UnknownKeyword;
    const cd::DiscLayout* layout = disc();
    if (!layout) return Error::NoDisc;
    qint64 address = 0;
    if (command.args.size() == 2 && command.args[1].is(u"start"))
        address = layout->tracks.front().start;
    else if (command.args.size() == 2 && command.args[1].is(u"end"))
        address = layout->leadOut;
    else if (const Error error = positionArgument(command, 1, address); error != Error::None)
        return error;
    endPlay(NotifyAborted);
    position_ = qMax(address, layout->tracks.front().start);
    return Error::None;
}

Error CdAudioDevice::stop(const Command& command) {
    if (!command.args.isEmpty()) return Error::UnknownKeyword;
    endPlay(NotifyAborted);
    return Error::None;
}

Error CdAudioDevice::ensurePlayback() {
    if (playback_ && playback_->isUsable()) return Error::None;
    endPlay(NotifyFailure);
    if (options_.playbackStreams) options_.playbackStreams->remove(id());
    playback_.reset();
    auto onEnd = [this](CdPlayback::End end, quint64 play) {
        QMetaObject::invokeMethod(
            &threadContext_, [this, play, end] { onPlayEnded(play, end); }, Qt::QueuedConnection);
    };
    auto playback = std::make_unique<CdPlayback>(letter_, onEnd);
    if (const Error error = playback->connect(); error != Error::None) return error;
    playback_ = std::move(playback);
    if (options_.playbackStreams)
        options_.playbackStreams->add({id(), playback_->sinkInputIndex(), playback_->sinkName()});
    return Error::None;
}

void CdAudioDevice::endPlay(NotifyCode notice) {
    if (!playing_) return;
    playback_->stop();
    position_ = position();
    playing_ = false;
    this->notice().finish(notice);
}

void CdAudioDevice::onPlayEnded(quint64 play, CdPlayback::End end) {
    if (!playing_ || play != play_) return;
    if (end == CdPlayback::End::Finished) {
        endPlay(NotifySuccessful);
        position_ = playTo_;
        return;
    }
    endPlay(NotifyFailure);
    if (end != CdPlayback::End::ServerLost) return;
    // The next play connects afresh.
    if (options_.playbackStreams) options_.playbackStreams->remove(id());
    playback_.reset();
}

qint64 CdAudioDevice::position() const {
    if (!playing_) return position_;
    return qMin(playFrom_ + playback_->playedFrames(), playTo_);
}

}  // namespace sondex::mci

#include "platform/mci/MusicFileDevice.h"

#include <QMetaObject>

namespace sondex::mci {

namespace {

// The file is read a tenth of a second at a time.
constexpr qint64 kChunkMilliseconds = 100;

}  // namespace

std::unique_ptr<Device> MusicFileDevice::open(qint64 id, const OpenRequest& request,
                                              const EngineOptions& options, Error& error) {
    MusicFileFacts facts;
    error = readMusicFileFacts(request.element, facts);
    if (error != Error::None) return nullptr;
    std::unique_ptr<MusicFileDevice> device(
        new MusicFileDevice(id, request.element, facts, options));
    // Without a sound server the file's status still answers; "play" tries again and reports it.
    (void)device->ensurePlayback();
    return device;
}

MusicFileDevice::MusicFileDevice(qint64 id, QString path, const MusicFileFacts& facts,
                                 const EngineOptions& options)
    : Device(id), path_(std::move(path)), facts_(facts), options_(options) {}

MusicFileDevice::~MusicFileDevice() {
    close();
}

Device::Outcome MusicFileDevice::execute(const Command& command, QString& reply) {
    const QString& verb = command.verb;
    if (verb == u"play") return play(command);
    if (verb == u"seek") return {seek(command)};
    if (verb == u"stop") return {stop(command)};
    if (verb == u"status") return {status(command, reply)};
    if (verb == u"set") return {set(command)};
    return {Error::UnsupportedCommand};
}

void MusicFileDevice::close() {
    endPlay(NotifyAborted);
    dropPlayback();
}

qint64 MusicFileDevice::milliseconds(qint64 frames) const {
    return frames * 1000 / facts_.format.rate;
}

Error MusicFileDevice::frameArgument(const Command& command, qsizetype index, qint64& frame) const {
    if (index >= command.args.size()) return Error::MissingArgument;
    bool ok = false;
    const qint64 ms = command.args[index].text.toLongLong(&ok);
    if (!ok || ms < 0 || ms > milliseconds(facts_.frames)) return Error::BadArgument;
    frame = qMin(ms * facts_.format.rate / 1000, facts_.frames);
    return Error::None;
}

Device::Outcome MusicFileDevice::play(const Command& command) {
    // A play may last an hour; waiting for it would freeze the caller.
    if (command.wait) return {Error::WaitNotPossible};
    qint64 from = position();
    qint64 to = facts_.frames;
    bool fromGiven = false;
    for (qsizetype i = 0; i < command.args.size(); i += 2) {
        const bool isFrom = command.args[i].is(u"from");
        if (!isFrom && !command.args[i].is(u"to")) return {Error::UnknownKeyword};
        if (const Error error = frameArgument(command, i + 1, isFrom ? from : to);
            error != Error::None)
            return {error};
        fromGiven = fromGiven || isFrom;
    }
    // A play without "from" at the end starts the file again.
    if (!fromGiven && from >= facts_.frames) from = 0;
    if (to <= from) return {Error::BadArgument};
    if (const Error error = ensurePlayback(); error != Error::None) return {error};
    endPlay(NotifySuperseded);
    playing_ = true;
    playFrom_ = from;
    playTo_ = to;
    play_ = playback_->start(musicFileSource(path_, facts_.format, from, to));
    return {Error::None, true};
}

Error MusicFileDevice::seek(const Command& command) {
    if (command.args.isEmpty()) return Error::MissingArgument;
    if (!command.args[0].is(u"to") || command.args.size() > 2) return Error::UnknownKeyword;
    qint64 frame = 0;
    if (command.args.size() == 2 && command.args[1].is(u"start"))
        frame = 0;
    else if (command.args.size() == 2 && command.args[1].is(u"end"))
        frame = facts_.frames;
    else if (const Error error = frameArgument(command, 1, frame); error != Error::None)
        return error;
    endPlay(NotifyAborted);
    position_ = frame;
    return Error::None;
}

Error MusicFileDevice::stop(const Command& command) {
    if (!command.args.isEmpty()) return Error::UnknownKeyword;
    endPlay(NotifyAborted);
    return Error::None;
}

Error MusicFileDevice::status(const Command& command, QString& reply) {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    const StreamFormat& format = facts_.format;
    if (item == u"mode")
        reply = playing_ ? QStringLiteral("playing") : QStringLiteral("stopped");
    else if (item == u"ready")
        reply = booleanReply(true);
    else if (item == u"time format")
        reply = QStringLiteral("milliseconds");
    else if (item == u"length")
        reply = QString::number(milliseconds(facts_.frames));
    else if (item == u"position")
        reply = QString::number(milliseconds(position()));
    else if (item == u"samplespersec")
        reply = QString::number(format.rate);
    else if (item == u"bitspersample")
        reply = QString::number(facts_.bitsPerSample);
    else if (item == u"channels")
        reply = QString::number(format.channels);
    else
        return Error::UnknownKeyword;
    return Error::None;
}

Error MusicFileDevice::set(const Command& command) {
    const QList<Token>& args = command.args;
    if (args.isEmpty()) return Error::MissingArgument;
    if (args.size() < 2 || !args[0].is(u"time") || !args[1].is(u"format"))
        return Error::UnknownKeyword;
    const QString value = command.phraseFrom(2);
    if (value.isEmpty()) return Error::MissingArgument;
    return value == u"ms" || value == u"milliseconds" ? Error::None : Error::BadArgument;
}

Error MusicFileDevice::ensurePlayback() {
    if (playback_ && playback_->isUsable()) return Error::None;
    endPlay(NotifyFailure);
    dropPlayback();
    auto onEnd = [this](PcmPlayback::End end, quint64 play) {
        QMetaObject::invokeMethod(
            &threadContext_, [this, play, end] { onPlayEnded(play, end); }, Qt::QueuedConnection);
    };
    const StreamFormat& format = facts_.format;
    auto playback = std::make_unique<PcmPlayback>(
        PcmStreamName{QStringLiteral("SONDEX music"), QByteArrayLiteral("sondex-music"),
                      kMusicStreamThreadName},
        format, kMusicPlaybackThreadName, format.bytesFor(kChunkMilliseconds), onEnd);
    if (playback->connect() != Error::None) return Error::MusicOutputUnavailable;
    playback_ = std::move(playback);
    if (options_.playbackStreams)
        options_.playbackStreams->add({id(), playback_->sinkInputIndex(), playback_->sinkName()});
    return Error::None;
}

void MusicFileDevice::dropPlayback() {
    if (options_.playbackStreams) options_.playbackStreams->remove(id());
    playback_.reset();
}

void MusicFileDevice::endPlay(NotifyCode notice) {
    if (!playing_) return;
    playback_->stop();
    position_ = position();
    playing_ = false;
    this->notice().finish(notice);
}

void MusicFileDevice::onPlayEnded(quint64 play, PcmPlayback::End end) {
    if (!playing_ || play != play_) return;
    if (end == PcmPlayback::End::Finished) {
        endPlay(NotifySuccessful);
        position_ = playTo_;
        return;
    }
    endPlay(NotifyFailure);
    // The next play connects afresh.
    if (end == PcmPlayback::End::ServerLost) dropPlayback();
}

qint64 MusicFileDevice::position() const {
    if (!playing_) return position_;
    return qMin(playFrom_ + playback_->playedBytes() / facts_.format.frameBytes(), playTo_);
}

}  // namespace sondex::mci

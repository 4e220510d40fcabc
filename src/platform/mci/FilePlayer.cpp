#include "platform/mci/FilePlayer.h"

#include <QMetaObject>

namespace sondex::mci {

namespace {

// The file is read a tenth of a second at a time.
constexpr qint64 kChunkMilliseconds = 100;

}  // namespace

FilePlayer::FilePlayer(Device& device, std::shared_ptr<PlaybackStreams> streams,
                       StreamFormat format, qint64 frames, SourceMaker makeSource)
    : device_(device),
      streams_(std::move(streams)),
      format_(format),
      frames_(frames),
      makeSource_(std::move(makeSource)) {}

FilePlayer::~FilePlayer() {
    close();
}

void FilePlayer::close() {
    stop(NotifyAborted);
    dropPlayback();
}

std::optional<Device::Outcome> FilePlayer::execute(const Command& command, PositionScale scale,
                                                   QString& reply) {
    const QString& verb = command.verb;
    if (verb == u"play") return play(command, scale);
    if (verb == u"seek") return Device::Outcome{seek(command, scale)};
    if (verb == u"stop") {
        if (!command.args.isEmpty()) return Device::Outcome{Error::UnknownKeyword};
        stop();
        return Device::Outcome{};
    }
    if (verb == u"status" && answer(command.phraseFrom(), scale, reply)) return Device::Outcome{};
    return std::nullopt;
}

Error FilePlayer::frameArgument(const Command& command, qsizetype index, PositionScale scale,
                                qint64& frame) const {
    if (index >= command.args.size()) return Error::MissingArgument;
    bool ok = false;
    const qint64 units = command.args[index].text.toLongLong(&ok);
    if (!ok || units < 0 || units > scale.toUnits(frames_)) return Error::BadArgument;
    frame = qMin(scale.toFrames(units), frames_);
    return Error::None;
}

Device::Outcome FilePlayer::play(const Command& command, PositionScale scale) {
    // A play may last an hour; waiting for it would freeze the caller.
    if (command.wait) return {Error::WaitNotPossible};
    qint64 from = position();
    qint64 to = frames_;
    bool fromGiven = false;
    for (qsizetype i = 0; i < command.args.size(); i += 2) {
        const bool isFrom = command.args[i].is(u"from");
        if (!isFrom && !command.args[i].is(u"to")) return {Error::UnknownKeyword};
        if (const Error error = frameArgument(command, i + 1, scale, isFrom ? from : to);
            error != Error::None)
            return {error};
        fromGiven = fromGiven || isFrom;
    }
    // A play without "from" at the end starts the file again.
    if (!fromGiven && from >= frames_) from = 0;
    if (to <= from) return {Error::BadArgument};
    if (const Error error = connect(); error != Error::None) return {error};
    stop(NotifySuperseded);
    playing_ = true;
    playFrom_ = from;
    playTo_ = to;
    play_ = playback_->start(makeSource_(from, to));
    return {Error::None, true};
}

Error FilePlayer::seek(const Command& command, PositionScale scale) {
    if (command.args.isEmpty()) return Error::MissingArgument;
    if (!command.args[0].is(u"to") || command.args.size() > 2) return Error::UnknownKeyword;
    qint64 frame = 0;
    if (command.args.size() == 2 && command.args[1].is(u"start"))
        frame = 0;
    else if (command.args.size() == 2 && command.args[1].is(u"end"))
        frame = frames_;
    else if (const Error error = frameArgument(command, 1, scale, frame); error != Error::None)
        return error;
    stop(NotifyAborted);
    position_ = frame;
    return Error::None;
}

Error FilePlayer::connect() {
    if (playback_ && playback_->isUsable()) return Error::None;
    stop(NotifyFailure);
    dropPlayback();
    auto onEnd = [this](PcmPlayback::End end, quint64 play) {
        QMetaObject::invokeMethod(
            &threadContext_, [this, play, end] { onPlayEnded(play, end); }, Qt::QueuedConnection);
    };
    auto playback = std::make_unique<PcmPlayback>(
        PcmStreamName{QStringLiteral("SONDEX music"), QByteArrayLiteral("sondex-music"),
                      kMusicStreamThreadName},
        format_, kMusicPlaybackThreadName, format_.bytesFor(kChunkMilliseconds), onEnd);
    if (playback->connect() != Error::None) return Error::MusicOutputUnavailable;
    playback_ = std::move(playback);
    if (streams_)
        streams_->add({device_.id(), playback_->sinkInputIndex(), playback_->sinkName()});
    return Error::None;
}

void FilePlayer::dropPlayback() {
    if (streams_) streams_->remove(device_.id());
    playback_.reset();
}

void FilePlayer::stop(NotifyCode notice) {
    if (!playing_) return;
    playback_->stop();
    position_ = position();
    playing_ = false;
    device_.notice().finish(notice);
}

void FilePlayer::onPlayEnded(quint64 play, PcmPlayback::End end) {
    if (!playing_ || play != play_) return;
    if (end == PcmPlayback::End::Finished) {
        stop(NotifySuccessful);
        position_ = playTo_;
        return;
    }
    stop(NotifyFailure);
    // The next play connects afresh.
    if (end == PcmPlayback::End::ServerLost) dropPlayback();
}

bool FilePlayer::answer(const QString& item, PositionScale scale, QString& reply) const {
    if (item == u"mode")
        reply = playing_ ? QStringLiteral("playing") : QStringLiteral("stopped");
    else if (item == u"ready")
        reply = booleanReply(true);
    else if (item == u"length")
        reply = QString::number(scale.toUnits(frames_));
    else if (item == u"position")
        reply = QString::number(scale.toUnits(position()));
    else
        return false;
    return true;
}

Error acceptMillisecondsOnly(const Command& command) {
    const QList<Token>& args = command.args;
    if (args.isEmpty()) return Error::MissingArgument;
    if (args.size() < 2 || !args[0].is(u"time") || !args[1].is(u"format"))
        return Error::UnknownKeyword;
    const QString value = command.phraseFrom(2);
    if (value.isEmpty()) return Error::MissingArgument;
    return value == u"ms" || value == u"milliseconds" ? Error::None : Error::BadArgument;
}

qint64 FilePlayer::position() const {
    if (!playing_) return position_;
    return qMin(playFrom_ + playback_->playedBytes() / format_.frameBytes(), playTo_);
}

}  // namespace sondex::mci

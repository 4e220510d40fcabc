#include "platform/mci/WaveAudioDevice.h"

#include "platform/AppPaths.h"

#include "platform/mci/MusicFileSource.h"
#include "platform/mci/RecordingSaver.h"

#include <QMetaObject>

namespace sondex::mci {

std::unique_ptr<Device> WaveAudioDevice::open(qint64 id, const OpenRequest& request,
                                              const EngineOptions& options, Error& error) {
    if (request.element.isEmpty()) {
        error = Error::MissingArgument;
        return nullptr;
    }
    int readError = 0;
    const std::optional<WavContents> contents = readWavContents(request.element, readError);
    error = static_cast<Error>(readError);
    if (!contents) return nullptr;
    std::unique_ptr<WaveAudioDevice> device(new WaveAudioDevice(id, request, *contents, options));
    if (device->player_) {
        // Opened to be played: a play starts at once; without a server "play" tries again.
        (void)device->player_->connect();
        return device;
    }
    // Without a server now, "record" tries again and reports it.
    (void)device->ensureCapture(CaptureSource::chosenBy(options));
    return device;
}

WaveAudioDevice::WaveAudioDevice(qint64 id, const OpenRequest& request,
                                 const WavContents& contents, const EngineOptions& options)
    : Device(id),
      element_(request.element),
      format_(contents.format),
      bufferSeconds_(request.bufferSeconds.value_or(options.defaultBufferSeconds)),
      options_(options) {
    if (contents.dataBytes == 0) return;
    opened_ = contents;
    positionIsPlayers_ = true;
    const StreamFormat played{format_.sampleRate, format_.channels, false};
    player_ = std::make_unique<FilePlayer>(
        *this, options.playbackStreams, played, contents.dataBytes / format_.blockAlign(),
        [path = element_, contents](qint64 from, qint64 to) {
            return wavFileSource(path, contents, from, to);
        });
}

WaveAudioDevice::~WaveAudioDevice() {
    // Gone without "close" (the engine ends with the device open): samples
    // that no save could take stay in the temporary file.
    endCapture(NotifyAborted);
    capture_.reset();
    player_.reset();
    if (recording_ && recording_->dataBytes() == 0) recording_->removeFile();
}

Device::Outcome WaveAudioDevice::execute(const Command& command, QString& reply) {
    const QString& verb = command.verb;
    if (verb == u"record") return record(command);
    if (verb == u"stop" || verb == u"pause") return {stop(command)};
    if (player_ && (verb == u"play" || verb == u"seek")) {
        // A play of the file, not of a recording running meanwhile.
        endCapture(NotifyAborted);
        positionIsPlayers_ = true;
        return verb == u"play" ? player_->play(command, scale())
                               : Device::Outcome{player_->seek(command, scale())};
    }
    if (verb == u"save") return {save(command)};
    if (verb == u"status") return {status(command, reply)};
    if (verb == u"set") return {set(command)};
    if (verb == u"capability") return {capability(command, reply)};
    if (verb == u"info") return {info(command, reply)};
    return {Error::UnsupportedCommand};
}

void WaveAudioDevice::close() {
    if (player_) player_->close();
    endCapture(NotifyAborted);
    capture_.reset();
    if (recording_) recording_->removeFile();
    recording_.reset();
}

Device::Outcome WaveAudioDevice::record(const Command& command) {
    if (!command.args.isEmpty()) return {Error::UnknownKeyword};
    // Recording without an end would block the caller for good.
    if (command.wait) return {Error::WaitNotPossible};
    if (capturing_) return {Error::None, true};
    if (player_) player_->stop();
    positionIsPlayers_ = false;
    if (const Error error = ensureRecordingFile(); error != Error::None) return {error};
    if (recording_->isFull()) return {Error::SizeLimitReached};
    if (const Error error = recording_->prepareForAppend(); error != Error::None) return {error};
    // Decided at each take: a CD that plays now is what this take records.
    const CaptureSource source = CaptureSource::chosenBy(options_);
    if (const Error error = ensureCapture(source); error != Error::None) {
        // Leave no empty temporary file behind a recording that never began.
        if (recording_->dataBytes() == 0) {
            recording_->removeFile();
            recording_.reset();
        }
        return {error};
    }
    take_ = capture_->startTake(*recording_, source);
    capturing_ = true;
    return {Error::None, true};
}

Error WaveAudioDevice::ensureCapture(const CaptureSource& source) {
    if (capture_ && capture_->isUsable()) return Error::None;
    capture_.reset();
    auto onEnd = [this](PulseCapture::End end, quint64 take) {
        QMetaObject::invokeMethod(
            &threadContext_, [this, take, end] { onCaptureEnded(take, end); }, Qt::QueuedConnection);
    };
    auto capture = std::make_unique<PulseCapture>(format_, bufferSeconds_, onEnd);
    if (const Error error = capture->connect(source); error != Error::None) return error;
    capture_ = std::move(capture);
    return Error::None;
}

Error WaveAudioDevice::stop(const Command& command) {
    if (!command.args.isEmpty()) return Error::UnknownKeyword;
    endCapture(NotifyAborted);
    if (player_) player_->stop();
    return Error::None;
}

Error WaveAudioDevice::save(const Command& command) {
    if (command.args.isEmpty()) return Error::MissingArgument;
    if (command.args.size() > 1) return Error::UnknownKeyword;
    const QString target = command.args.front().text;
    if (target.isEmpty()) return Error::BadArgument;
    // The file must not change while it is saved: a running recording ends first.
    endCapture(NotifyAborted);
    if (const Error error = ensureRecordingFile(); error != Error::None) return error;
    return saveRecording(*recording_, target);
}

Error WaveAudioDevice::status(const Command& command, QString& reply) const {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"position")
        reply = QString::number(position());
    else if (item == u"length")
        reply = QString::number(length());
    else if (item == u"mode")
        reply = capturing_                          ? QStringLiteral("recording")
                : player_ && player_->isPlaying() ? QStringLiteral("playing")
                                                  : QStringLiteral("stopped");
    else if (item == u"ready" || item == u"media present")
        reply = booleanReply(true);
    else if (item == u"samplespersec")
        reply = QString::number(format_.sampleRate);
    else if (item == u"bitspersample")
        reply = QString::number(format_.bitsPerSample);
    else if (item == u"channels")
        reply = QString::number(format_.channels);
    else if (item == u"bytespersec" || item == u"average bytes per second")
        reply = QString::number(format_.bytesPerSecond());
    else if (item == u"alignment" || item == u"block align")
        reply = QString::number(format_.blockAlign());
    else if (item == u"time format")
        reply = timeFormat_ == TimeFormat::Samples ? QStringLiteral("samples")
                : timeFormat_ == TimeFormat::Bytes ? QStringLiteral("bytes")
                                                   : QStringLiteral("milliseconds");
    else
        return Error::UnknownKeyword;
    return Error::None;
}

Error WaveAudioDevice::set(const Command& command) {
    if (command.args.isEmpty()) return Error::MissingArgument;
    if (command.args.size() < 2 || !command.args[0].is(u"time") || !command.args[1].is(u"format"))
        return Error::UnknownKeyword;
    if (command.args.size() == 2) return Error::MissingArgument;
    const QString value = command.phraseFrom(2);
    if (value == u"ms" || value == u"milliseconds")
        timeFormat_ = TimeFormat::Milliseconds;
    else if (value == u"samples")
        timeFormat_ = TimeFormat::Samples;
    else if (value == u"bytes")
        timeFormat_ = TimeFormat::Bytes;
    else
        return Error::BadArgument;
    return Error::None;
}

Error WaveAudioDevice::capability(const Command& command, QString& reply) const {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"can record" || item == u"can save" || item == u"has audio" ||
        item == u"uses files" || item == u"compound device")
        reply = booleanReply(true);
    else if (item == u"can play")
        reply = booleanReply(player_ != nullptr);
    else if (item == u"can eject" || item == u"has video")
        reply = booleanReply(false);
    else if (item == u"device type")
        reply = QStringLiteral("waveaudio");
    else
        return Error::UnknownKeyword;
    return Error::None;
}

Error WaveAudioDevice::info(const Command& command, QString& reply) const {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"product")
        reply = QStringLiteral("SONDEX waveaudio");
    else if (item == u"file")
        reply = element_;
    else
        return Error::UnknownKeyword;
    return Error::None;
}

Error WaveAudioDevice::ensureRecordingFile() {
    if (recording_) return Error::None;
    const QString folder =
        options_.temporaryFolder.isEmpty() ? paths::recordingTempFolder() : options_.temporaryFolder;
    Error error = Error::None;
    recording_ = RecordingFile::create(folder, format_, options_.recordingFileSizeLimit, error);
    if (error != Error::None || !opened_) return error;
    // The file's samples are the start of the recording: "record" appends, "save" keeps them.
    error = recording_->appendFromFile(element_, opened_->dataOffset, opened_->dataBytes);
    if (error != Error::None) {
        recording_->removeFile();
        recording_.reset();
        return error;
    }
    opened_.reset();
    return Error::None;
}

void WaveAudioDevice::endCapture(NotifyCode notice) {
    if (!capturing_) return;
    capturing_ = false;
    capture_->endTake();
    recording_->writeHeader();
    this->notice().finish(notice);
}

void WaveAudioDevice::onCaptureEnded(quint64 take, PulseCapture::End end) {
    if (!capturing_ || take != take_) return;
    endCapture(end == PulseCapture::End::LimitReached ? NotifySuccessful : NotifyFailure);
}

PositionScale WaveAudioDevice::scale() const {
    switch (timeFormat_) {
    case TimeFormat::Samples: return {1, 1};
    case TimeFormat::Bytes: return {format_.blockAlign(), 1};
    case TimeFormat::Milliseconds: break;
    }
    return PositionScale::milliseconds(format_.sampleRate);
}

qint64 WaveAudioDevice::length() const {
    if (!recording_) return opened_ ? scale().toUnits(opened_->dataBytes / format_.blockAlign()) : 0;
    // A start-up gap still open counts already: the take runs from the moment of "record".
    return scale().toUnits(recording_->frames() + (capturing_ ? capture_->openGapFrames() : 0));
}

qint64 WaveAudioDevice::position() const {
    if (positionIsPlayers_ && !capturing_) return scale().toUnits(player_->position());
    return length();
}

}  // namespace sondex::mci

#pragma once

#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
#include "platform/mci/FilePlayer.h"
#include "platform/mci/OpenRequest.h"
#include "platform/mci/PulseCapture.h"
#include "platform/mci/RecordingFile.h"

#include <QObject>

#include <memory>

namespace sondex::mci {

// The recording device: opened on a WAV file that gives the format, it
// records the default sound input into a temporary file (or, while the
// engine plays a CD, that playback stream alone), pauses by stop and
// record, and saves real WAV files. Positions are in milliseconds unless the
// time format is set to samples or bytes. Opened on a WAV that holds samples,
// it also plays them ("play", "seek", "pause"), and a recording starts with
// them: they are copied to the temporary file only when a "record" or "save"
// needs them, so playing a long WAV costs no copy.
class WaveAudioDevice final : public Device {
public:
    static std::unique_ptr<Device> open(qint64 id, const OpenRequest& request,
                                        const EngineOptions& options, Error& error);
    ~WaveAudioDevice() override;

    Outcome execute(const Command& command, QString& reply) override;
    void close() override;

private:
    enum class TimeFormat { Milliseconds, Samples, Bytes };

    WaveAudioDevice(qint64 id, const OpenRequest& request, const WavContents& contents,
                    const EngineOptions& options);

    Outcome record(const Command& command);
    Error stop(const Command& command);
    Error save(const Command& command);
    Error status(const Command& command, QString& reply) const;
    Error set(const Command& command);
    Error capability(const Command& command, QString& reply) const;
    Error info(const Command& command, QString& reply) const;

    Error ensureRecordingFile();
    Error ensureCapture(const CaptureSource& source);
    void endCapture(NotifyCode notice);
    void onCaptureEnded(quint64 take, PulseCapture::End end);
    qint64 position() const;
    qint64 length() const;
    PositionScale scale() const;

    // Receives the capture thread's reports on this device's thread.
    QObject threadContext_;
    QString element_;
    PcmFormat format_;
    // The samples the opened file holds, until they are copied to the recording.
    std::optional<WavContents> opened_;
    // Plays the opened file's samples; none when it holds none.
    std::unique_ptr<FilePlayer> player_;
    // With samples to play, the position is where a play or seek left off
    // (the start at the open), until a "record" makes it the recording's end.
    bool positionIsPlayers_ = false;
    int bufferSeconds_;
    EngineOptions options_;
    TimeFormat timeFormat_ = TimeFormat::Milliseconds;
    std::unique_ptr<RecordingFile> recording_;
    // Runs from open on (keeping nothing between takes), so that "record" starts at once.
    std::unique_ptr<PulseCapture> capture_;
    bool capturing_ = false;
    quint64 take_ = 0;
};

}  // namespace sondex::mci

#pragma once

#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
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
// the recording starts with them.
class WaveAudioDevice final : public Device {
public:
    static std::unique_ptr<Device> open(qint64 id, const OpenRequest& request,
                                        const EngineOptions& options, Error& error);
    ~WaveAudioDevice() override;

    Outcome execute(const Command& command, QString& reply) override;
    void close() override;

private:
    enum class TimeFormat { Milliseconds, Samples, Bytes };

    WaveAudioDevice(qint64 id, const OpenRequest& request, const PcmFormat& format,
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

    // Receives the capture thread's reports on this device's thread.
    QObject threadContext_;
    QString element_;
    PcmFormat format_;
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

#pragma once

#include "platform/cd/DiscDrive.h"
#include "platform/mci/CdPlayback.h"
#include "platform/mci/CdTimeFormat.h"
#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
#include "platform/mci/OpenRequest.h"

#include <QObject>

#include <memory>
#include <optional>

namespace sondex::mci {

// The CD device: one CD unit (a drive letter of CDDRIVES.INI) with its disc.
// It answers the disc's layout in msf, tmsf or milliseconds and plays audio
// digitally: sectors read from the disc go to a playback stream of its own on
// the default sink (CdPlayback), which the engine lists among its playback
// streams from open to close. Positions follow what the server has played.
// Opening a unit without a disc works; its status then says so.
class CdAudioDevice final : public Device {
public:
    static std::unique_ptr<Device> open(qint64 id, const OpenRequest& request,
                                        const EngineOptions& options, Error& error);
    ~CdAudioDevice() override;

    Outcome execute(const Command& command, QString& reply) override;
    void close() override;

private:
    CdAudioDevice(qint64 id, QChar letter, QString target, const EngineOptions& options);

    std::unique_ptr<cd::DiscDrive> openDrive() const;
    // The disc's layout, read when not known yet; nullptr when no disc can be read.
    const cd::DiscLayout* disc();
    Outcome play(const Command& command);
    Error seek(const Command& command);
    Error stop(const Command& command);
    Error status(const Command& command, QString& reply);
    Error set(const Command& command);
    Error capability(const Command& command, QString& reply) const;
    Error info(const Command& command, QString& reply);
    Error trackStatus(const QString& item, const QString& number, QString& reply);
    Error ensurePlayback();
    void endPlay(NotifyCode notice);
    void onPlayEnded(quint64 play, CdPlayback::End end);
    qint64 position() const;
    // The position a "from"/"to" word gives; BadArgument when it is none of this disc.
    Error positionArgument(const Command& command, qsizetype index, qint64& address);

    // Receives the playing thread's reports on this device's thread.
    QObject threadContext_;
    QChar letter_;
    QString target_;
    EngineOptions options_;
    std::unique_ptr<cd::DiscDrive> drive_;
    std::optional<cd::DiscLayout> disc_;
    CdTimeFormat timeFormat_ = CdTimeFormat::Msf;
    std::unique_ptr<CdPlayback> playback_;
    qint64 position_ = 0;  // absolute address while nothing plays
    bool playing_ = false;
    qint64 playFrom_ = 0;
    qint64 playTo_ = 0;
    quint64 play_ = 0;
};

}  // namespace sondex::mci

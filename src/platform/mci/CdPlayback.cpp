#include "platform/mci/CdPlayback.h"

#include "platform/cd/CdStreamVolumes.h"

namespace sondex::mci {

namespace {

// Sectors read at a time: a tenth of a second and a bit.
constexpr int kChunkSectors = 10;
// Once a second of sectors the drive is asked whether the disc is still in
// (an image file deleted while it plays still reads from the open file).
constexpr qint64 kStateCheckSectors = cd::kFramesPerSecond;

class DiscSectors final : public PcmSource {
public:
    DiscSectors(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to)
        : drive_(std::move(drive)), next_(from), to_(to) {}

    qint64 read(char* data, qint64 bytes) override {
        const int count = int(qMin<qint64>(bytes / cd::kAudioSectorBytes, to_ - next_));
        if (count <= 0) return 0;
        sinceCheck_ += count;
        const bool stillIn =
            sinceCheck_ < kStateCheckSectors || drive_->state() == cd::DriveState::Ready;
        if (sinceCheck_ >= kStateCheckSectors) sinceCheck_ = 0;
        if (!stillIn || !drive_->readAudio(next_, count, data)) return -1;
        next_ += count;
        return qint64(count) * cd::kAudioSectorBytes;
    }

private:
    std::unique_ptr<cd::DiscDrive> drive_;
    qint64 next_;
    qint64 to_;
    qint64 sinceCheck_ = 0;
};

}  // namespace

CdPlayback::CdPlayback(QChar unitLetter, EndHandler onEnd)
    : PcmPlayback({QStringLiteral("SONDEX CD %1:").arg(unitLetter),
                   cd::unitStreamId(unitLetter).toUtf8(), kCdStreamThreadName},
                  StreamFormat{}, kCdPlaybackThreadName,
                  qint64(kChunkSectors) * cd::kAudioSectorBytes, std::move(onEnd)) {}

quint64 CdPlayback::start(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to) {
    return PcmPlayback::start(std::make_unique<DiscSectors>(std::move(drive), from, to));
}

}  // namespace sondex::mci

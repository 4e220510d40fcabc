#pragma once

#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
#include "platform/mci/MusicFileSource.h"
#include "platform/mci/OpenRequest.h"

#include <QObject>

#include <memory>

namespace sondex::mci {

// Names of the thread that reads a music file and feeds the sound server,
// and of the sound library's thread.
inline constexpr char kMusicPlaybackThreadName[] = "sondex-music-play";
inline constexpr char kMusicStreamThreadName[] = "sondex-music-pulse";

// The music file player: a file the sound file library reads (AIFF, AU and
// the like), played in its own rate and channels on a playback stream of its
// own ("SONDEX music", volume kept under "sondex-music") on the default
// sink, which the engine lists among its playback streams from open to
// close. Positions and lengths are in milliseconds and follow what the
// server has played.
class MusicFileDevice final : public Device {
public:
    static std::unique_ptr<Device> open(qint64 id, const OpenRequest& request,
                                        const EngineOptions& options, Error& error);
    ~MusicFileDevice() override;

    Outcome execute(const Command& command, QString& reply) override;
    void close() override;

private:
    MusicFileDevice(qint64 id, QString path, const MusicFileFacts& facts,
                    const EngineOptions& options);

    Outcome play(const Command& command);
    Error seek(const Command& command);
    Error stop(const Command& command);
    Error status(const Command& command, QString& reply);
    Error set(const Command& command);
    Error ensurePlayback();
    void endPlay(NotifyCode notice);
    void onPlayEnded(quint64 play, PcmPlayback::End end);
    void dropPlayback();
    // Frames of the file.
    qint64 position() const;
    // The frame a millisecond word gives; BadArgument when it is not within the file.
    Error frameArgument(const Command& command, qsizetype index, qint64& frame) const;
    qint64 milliseconds(qint64 frames) const;

    // Receives the playing thread's reports on this device's thread.
    QObject threadContext_;
    QString path_;
    MusicFileFacts facts_;
    EngineOptions options_;
    std::unique_ptr<PcmPlayback> playback_;
    qint64 position_ = 0;  // while nothing plays
    bool playing_ = false;
    qint64 playFrom_ = 0;
    qint64 playTo_ = 0;
    quint64 play_ = 0;
};

}  // namespace sondex::mci

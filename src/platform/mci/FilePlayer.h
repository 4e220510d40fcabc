#pragma once

#include "platform/mci/Device.h"
#include "platform/mci/PcmPlayback.h"
#include "platform/mci/PlaybackStreams.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace sondex::mci {

// Names of the thread that feeds a played file to the sound server, and of
// the sound library's thread. The system keeps 15 characters of a thread's
// name and refuses or cuts longer ones, which would hide the thread from
// anyone looking for it by name.
inline constexpr char kMusicPlaybackThreadName[] = "sondex-mus-play";
inline constexpr char kMusicStreamThreadName[] = "sondex-mus-pa";
static_assert(sizeof(kMusicPlaybackThreadName) <= 16 && sizeof(kMusicStreamThreadName) <= 16);

// How a device counts positions: a position of n units is n * frames / units
// frames (milliseconds: 1000 units per rate frames).
struct PositionScale {
    qint64 units = 1;
    qint64 frames = 1;

    static PositionScale milliseconds(int rate) { return {1000, rate}; }
    qint64 toUnits(qint64 frameCount) const { return frameCount * units / frames; }
    qint64 toFrames(qint64 unitCount) const { return unitCount * frames / units; }
};

// The playing half of a device that plays a file: "play [from n] [to n]",
// "seek", "stop" and the position, on a playback stream of its own ("SONDEX
// music", volume kept under "sondex-music") on the default sink, listed among
// the engine's playback streams from the first play to close so that a take
// records it alone. Positions follow what the server has played. The
// device's pending notice gets 1 once the end was heard, 2 when another
// play replaces it, 4 on stop, seek or close, and 8 when reading fails or
// the server goes away.
class FilePlayer {
public:
    // Frames [from, to) of the file, read on the playing thread.
    using SourceMaker = std::function<std::unique_ptr<PcmSource>(qint64 from, qint64 to)>;

    FilePlayer(Device& device, std::shared_ptr<PlaybackStreams> streams, StreamFormat format,
               qint64 frames, SourceMaker makeSource);
    ~FilePlayer();
    FilePlayer(const FilePlayer&) = delete;
    FilePlayer& operator=(const FilePlayer&) = delete;

    // Carries out "play", "seek", "stop" and "status" of "mode", "ready",
    // "length" and "position"; nothing for other commands and items.
    std::optional<Device::Outcome> execute(const Command& command, PositionScale scale,
                                           QString& reply);

    // Connects to the server unless connected; MusicOutputUnavailable without one.
    Error connect();
    Device::Outcome play(const Command& command, PositionScale scale);
    Error seek(const Command& command, PositionScale scale);
    // Ends a running play with this notice; the position stays where it was heard.
    void stop(NotifyCode notice = NotifyAborted);
    void close();

    bool isPlaying() const { return playing_; }
    qint64 position() const;

private:
    // "mode" ("playing" or "stopped"), "ready", "length" and "position";
    // false for any other item.
    bool answer(const QString& item, PositionScale scale, QString& reply) const;
    // The frame the word at index gives; BadArgument when it is not within the file.
    Error frameArgument(const Command& command, qsizetype index, PositionScale scale,
                        qint64& frame) const;
    void onPlayEnded(quint64 play, PcmPlayback::End end);
    void dropPlayback();

    // Receives the playing thread's reports on the device's thread.
    QObject threadContext_;
    Device& device_;
    std::shared_ptr<PlaybackStreams> streams_;
    StreamFormat format_;
    qint64 frames_;
    SourceMaker makeSource_;
    std::unique_ptr<PcmPlayback> playback_;
    qint64 position_ = 0;  // while nothing plays
    bool playing_ = false;
    qint64 playFrom_ = 0;
    qint64 playTo_ = 0;
    quint64 play_ = 0;
};

// "set … time format ms" (or "milliseconds"), the one time format of a player
// that counts in milliseconds.
Error acceptMillisecondsOnly(const Command& command);

}  // namespace sondex::mci

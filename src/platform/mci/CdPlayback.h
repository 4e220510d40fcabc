#pragma once

#include "platform/cd/DiscDrive.h"
#include "platform/mci/PcmPlayback.h"

namespace sondex::mci {

// Names of the thread that reads the disc and feeds the sound server, and of
// the sound library's thread, so that tools can measure them.
inline constexpr char kCdPlaybackThreadName[] = "sondex-cd-play";
inline constexpr char kCdStreamThreadName[] = "sondex-cd-pulse";

// A CD unit's digital playback: sectors read from the disc a few at a time,
// on a stream named after the unit ("SONDEX CD E:") whose volume the server
// keeps under "sondex-cd-E", in the sound of an audio CD (44.1 kHz 16-bit stereo).
class CdPlayback : public PcmPlayback {
public:
    CdPlayback(QChar unitLetter, EndHandler onEnd);

    // Plays the addresses [from, to) read from the drive; returns the play's number.
    quint64 start(std::unique_ptr<cd::DiscDrive> drive, qint64 from, qint64 to);
    // CD frames of the current or last play that the server has played.
    qint64 playedFrames() const { return playedBytes() / cd::kAudioSectorBytes; }
};

}  // namespace sondex::mci

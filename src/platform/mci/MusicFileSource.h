#pragma once

#include "platform/mci/PcmPlayback.h"
#include "platform/mci/WavHeader.h"

#include <QString>

#include <memory>

namespace sondex::mci {

// A music file as the sound file library reads it (AIFF, AU and the like).
struct MusicFileFacts {
    // What it is played as: 16-bit for samples of up to 16 bits, else float.
    StreamFormat format;
    int bitsPerSample = 16;  // the file's own
    qint64 frames = 0;
};

// The file's facts; FileNotFound when it is not there, UnsupportedMusicFile
// when the library cannot read it or it has more than two channels.
Error readMusicFileFacts(const QString& path, MusicFileFacts& facts);

// Frames [from, to) of the file in the given format. Reading fails once the
// file is shorter than that or has been deleted, and at once when it cannot
// be opened again.
std::unique_ptr<PcmSource> musicFileSource(const QString& path, const StreamFormat& format,
                                           qint64 from, qint64 to);

// Frames [from, to) of a PCM WAV file's data, as 16-bit samples (8-bit ones
// widened), read as they lie on the disk. Fails like musicFileSource.
std::unique_ptr<PcmSource> wavFileSource(const QString& path, const WavContents& contents,
                                         qint64 from, qint64 to);

}  // namespace sondex::mci

#pragma once

#include <QString>

#include <vector>

namespace sondex::test {

// Writes interleaved 16-bit samples as a sound file of libsndfile's `format`
// (for example SF_FORMAT_AIFF | SF_FORMAT_PCM_16); false when it cannot.
bool writeSoundFile(const QString& path, int format, int rate, int channels,
                    const std::vector<qint16>& samples);

// The same, whose kind follows the name's extension: ".wav", ".aif"/".aiff"
// or ".au"/".snd", always 16-bit.
bool writeSoundFile(const QString& path, int rate, int channels,
                    const std::vector<qint16>& samples);

}  // namespace sondex::test

#pragma once

#include <QByteArray>

#include <array>

namespace sondex {

class Settings;

// The sample rates the rate menus offer, by index (the stored `rate2`).
inline constexpr std::array<int, 9> kRecordingRates{8000,  11025, 12000, 16000, 22050,
                                                    24000, 32000, 44100, 48000};

// The one format the next recording is made in.
struct RecordingFormat {
    int samplesPerSecond = 44100;
    int channels = 2;
    int bitsPerSample = 16;
};

// The format the settings choose: rate index `rate2`, `Bit` on for 16 bits,
// `stereo` on for two channels.
RecordingFormat recordingFormat(const Settings& settings);

inline constexpr int kTemplateHeaderBytes = 58;

// The whole template file the recording device is opened on: a PCM header
// with an 18-byte format chunk and a fact chunk, and no samples.
QByteArray templateWavHeader(const RecordingFormat& format);

}  // namespace sondex

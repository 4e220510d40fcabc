#pragma once

#include <QByteArray>
#include <QString>

namespace sondex::test {

// What a test checks about a saved WAV file: libsndfile's reading of it, the
// raw header bytes, and the tone it carries.
struct WavFacts {
    bool readable = false;
    qint64 fileSize = 0;
    qint64 frames = 0;
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray header;  // the first 44 bytes as stored

    double seconds() const { return sampleRate ? double(frames) / sampleRate : 0; }
};

WavFacts readWavFacts(const QString& path);

// The tone in frames [from, from + count) of the first channel: its frequency
// (from zero crossings) and its RMS level (1.0 = full scale).
struct ToneMeasure {
    double frequency = 0;
    double rms = 0;
};
ToneMeasure measureTone(const QString& path, qint64 from, qint64 count);

}  // namespace sondex::test

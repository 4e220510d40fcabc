#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

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

// Where a looped 16-bit stereo pattern lies in a 16-bit stereo take and how
// exactly: from the take's first to its last frame that is not silent, the
// pattern is aligned at its closest start and every sample is compared.
struct PatternMatch {
    qint64 firstFrame = -1;    // the first frame of the take that is not silent
    qint64 lastFrame = -1;     // ...and the last
    qint64 patternFrame = -1;  // the pattern frame at firstFrame
    qint64 compared = 0;       // samples compared (frames x 2)
    qint64 differing = 0;
    int largestDifference = 0;
};
PatternMatch matchPattern(const QString& path, const std::vector<qint16>& pattern);

// Where a 16-bit stereo track lies in a take of it, and how exactly: the
// track is aligned where its frames match the take's first sounding frames,
// and the whole take is compared with the track at that place and silence
// around it, so a lost start or end, a gap or a stray sound all count.
struct TrackMatch {
    qint64 offset = 0;      // the take's frame that holds the track's first frame (may be < 0)
    qint64 takeFrames = 0;
    qint64 compared = 0;    // samples of the take compared, and of the track missing from it
    qint64 differing = 0;   // among them
    qint64 missingHead = 0; // track frames before the take's start, and after its end
    qint64 missingTail = 0;
    bool found = false;     // the take sounds at all
};
TrackMatch alignTrack(const QString& path, const std::vector<qint16>& track);

// Where a take sounds: its 10 ms windows whose RMS over all channels reaches
// -54 dBFS, from the first to the last, and the longest silence between them.
struct SoundSpan {
    qint64 firstMs = -1;
    qint64 lastMs = -1;  // the end of the last sounding window
    qint64 longestGapMs = 0;
    qint64 ms() const { return lastMs - firstMs; }
    std::string text() const;  // for a failure message
};
SoundSpan soundSpan(const QString& path);

}  // namespace sondex::test

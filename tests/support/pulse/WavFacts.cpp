#include "support/pulse/WavFacts.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace sondex::test {

WavFacts readWavFacts(const QString& path) {
    WavFacts facts;
    QFile raw(path);
    if (raw.open(QIODevice::ReadOnly)) facts.header = raw.read(44);
    facts.fileSize = QFileInfo(path).size();
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return facts;
    facts.readable = true;
    facts.frames = info.frames;
    facts.sampleRate = info.samplerate;
    facts.channels = info.channels;
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    facts.bitsPerSample = subtype == SF_FORMAT_PCM_U8 ? 8 : subtype == SF_FORMAT_PCM_16 ? 16 : 0;
    sf_close(file);
    return facts;
}

ToneMeasure measureTone(const QString& path, qint64 from, qint64 count) {
    ToneMeasure measure;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file || count <= 0) {
        if (file) sf_close(file);
        return measure;
    }
    std::vector<double> samples(size_t(count * info.channels));
    sf_seek(file, from, SEEK_SET);
    const sf_count_t got = sf_readf_double(file, samples.data(), count);
    sf_close(file);
    if (got < 2) return measure;
    double sumSquares = 0;
    qint64 crossings = 0;
    double previous = samples[0];
    for (sf_count_t i = 0; i < got; ++i) {
        const double v = samples[size_t(i * info.channels)];
        sumSquares += v * v;
        if ((previous < 0) != (v < 0)) ++crossings;
        previous = v;
    }
    measure.rms = std::sqrt(sumSquares / double(got));
    measure.frequency = crossings / 2.0 / (double(got) / info.samplerate);
    return measure;
}

namespace {

// The take's interleaved 16-bit stereo samples; empty when it is no such file.
std::vector<qint16> readStereoSamples(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return {};
    std::vector<qint16> take(info.channels == 2 ? size_t(info.frames * 2) : 0);
    if (!take.empty()) take.resize(size_t(sf_readf_short(file, take.data(), info.frames) * 2));
    sf_close(file);
    return take;
}

}  // namespace

TrackMatch alignTrack(const QString& path, const std::vector<qint16>& track) {
    TrackMatch match;
    const std::vector<qint16> take = readStereoSamples(path);
    const qint64 frames = qint64(take.size() / 2);
    const qint64 trackFrames = qint64(track.size() / 2);
    match.takeFrames = frames;
    qint64 first = 0;
    while (first < frames && take[size_t(2 * first)] == 0 && take[size_t(2 * first + 1)] == 0) ++first;
    if (first == frames || trackFrames == 0) return match;
    match.found = true;

    // The track frame whose next frames differ least from the take's first
    // sounding ones; an exact match ends the search at once.
    const qint64 window = std::min<qint64>({64, frames - first, trackFrames});
    qint64 best = std::numeric_limits<qint64>::max();
    qint64 bestAt = 0;
    for (qint64 at = 0; at + window <= trackFrames && best > 0; ++at) {
        qint64 sum = 0;
        for (qint64 i = 0; i < 2 * window && sum < best; ++i)
            sum += std::abs(int(take[size_t(2 * first + i)]) - track[size_t(2 * at + i)]);
        if (sum < best) {
            best = sum;
            bestAt = at;
        }
    }
    match.offset = first - bestAt;

    const auto expected = [&](qint64 f, int c) -> int {
        const qint64 t = f - match.offset;
        return t >= 0 && t < trackFrames ? track[size_t(2 * t + c)] : 0;
    };
    for (qint64 f = 0; f < frames; ++f)
        for (int c = 0; c < 2; ++c) match.differing += take[size_t(2 * f + c)] != expected(f, c);
    // Track frames before the take's start or after its end were never recorded.
    match.missingHead = std::min(trackFrames, std::max<qint64>(0, -match.offset));
    match.missingTail = std::min(trackFrames, std::max<qint64>(0, match.offset + trackFrames - frames));
    const qint64 missing = std::min(trackFrames, match.missingHead + match.missingTail);
    match.compared = 2 * (frames + missing);
    match.differing += 2 * missing;
    return match;
}

PatternMatch matchPattern(const QString& path, const std::vector<qint16>& pattern) {
    PatternMatch match;
    const std::vector<qint16> take = readStereoSamples(path);
    const sf_count_t frames = sf_count_t(take.size() / 2);
    const auto silent = [&](sf_count_t f) { return take[size_t(2 * f)] == 0 && take[size_t(2 * f + 1)] == 0; };
    sf_count_t first = 0, last = frames - 1;
    while (first < frames && silent(first)) ++first;
    while (last > first && silent(last)) --last;
    const qint64 patternFrames = qint64(pattern.size() / 2);
    if (first >= frames || patternFrames == 0) return match;
    match.firstFrame = first;
    match.lastFrame = last;

    // The pattern start whose next frames differ least from the take's first
    // sounding frames; an exact match ends the search at once.
    const qint64 window = qMin<qint64>(64, last - first + 1);
    const auto distance = [&](qint64 at, qint64 bound) {
        qint64 sum = 0;
        for (qint64 i = 0; i < window * 2 && sum < bound; ++i)
            sum += std::abs(int(take[size_t(2 * first + i)]) - pattern[size_t((2 * at + i) % (2 * patternFrames))]);
        return sum;
    };
    qint64 best = std::numeric_limits<qint64>::max();
    for (qint64 at = 0; at < patternFrames && best > 0; ++at) {
        if (const qint64 d = distance(at, best); d < best) {
            best = d;
            match.patternFrame = at;
        }
    }
    for (qint64 f = first; f <= last; ++f)
        for (int c = 0; c < 2; ++c) {
            const int difference = std::abs(
                int(take[size_t(2 * f + c)]) -
                pattern[size_t(2 * ((match.patternFrame + f - first) % patternFrames) + c)]);
            match.differing += difference != 0;
            match.largestDifference = std::max(match.largestDifference, difference);
            ++match.compared;
        }
    return match;
}

std::string SoundSpan::text() const {
    return QStringLiteral("sound from %1 ms to %2 ms (%3 ms), longest gap %4 ms")
        .arg(firstMs)
        .arg(lastMs)
        .arg(ms())
        .arg(longestGapMs)
        .toStdString();
}

SoundSpan soundSpan(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return {};
    std::vector<double> samples(size_t(info.frames * info.channels));
    sf_readf_double(file, samples.data(), info.frames);
    sf_close(file);
    const size_t window = size_t(info.samplerate / 100 * info.channels);
    SoundSpan span;
    qint64 silentSince = -1;
    for (size_t start = 0; window > 0 && start + window <= samples.size(); start += window) {
        double sum = 0;
        for (size_t i = start; i < start + window; ++i) sum += samples[i] * samples[i];
        const qint64 ms = qint64(start / window) * 10;
        if (std::sqrt(sum / double(window)) < 0.002) {
            if (silentSince < 0) silentSince = ms;
            continue;
        }
        if (span.firstMs < 0)
            span.firstMs = ms;
        else if (silentSince >= 0)
            span.longestGapMs = qMax(span.longestGapMs, ms - silentSince);
        silentSince = -1;
        span.lastMs = ms + 10;
    }
    return span;
}

}  // namespace sondex::test

#include "support/pulse/WavFacts.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <cmath>
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

}  // namespace sondex::test

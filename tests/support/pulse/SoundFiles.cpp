#include "support/pulse/SoundFiles.h"

#include <QFile>

#include <sndfile.h>

namespace sondex::test {

bool writeSoundFile(const QString& path, int format, int rate, int channels,
                    const std::vector<qint16>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    const bool ok = sf_writef_short(file, samples.data(), frames) == frames;
    sf_close(file);
    return ok;
}

bool writeSoundFile(const QString& path, int rate, int channels,
                    const std::vector<qint16>& samples) {
    const QString lower = path.toLower();
    const int container =
        lower.endsWith(QStringLiteral(".wav")) ? SF_FORMAT_WAV
        : lower.endsWith(QStringLiteral(".au")) || lower.endsWith(QStringLiteral(".snd"))
            ? SF_FORMAT_AU
            : SF_FORMAT_AIFF;
    return writeSoundFile(path, container | SF_FORMAT_PCM_16, rate, channels, samples);
}

}  // namespace sondex::test

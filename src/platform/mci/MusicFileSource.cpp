#include "platform/mci/MusicFileSource.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

namespace sondex::mci {

namespace {

SNDFILE* openFile(const QString& path, SF_INFO& info) {
    info = SF_INFO{};
    return sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
}

int bitsOf(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW:
            return 8;
        case SF_FORMAT_PCM_24:
            return 24;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
            return 32;
        case SF_FORMAT_DOUBLE:
            return 64;
        default:
            return 16;
    }
}

class MusicFileFrames final : public PcmSource {
public:
    MusicFileFrames(QString path, const StreamFormat& format, qint64 from, qint64 to)
        : path_(std::move(path)), format_(format), next_(from), to_(to) {
        SF_INFO info;
        file_ = openFile(path_, info);
        if (file_ && (info.channels != format.channels || info.samplerate != format.rate ||
                      sf_seek(file_, from, SEEK_SET) != from)) {
            sf_close(file_);
            file_ = nullptr;
        }
    }
    ~MusicFileFrames() override {
        if (file_) sf_close(file_);
    }
    MusicFileFrames(const MusicFileFrames&) = delete;
    MusicFileFrames& operator=(const MusicFileFrames&) = delete;

    qint64 read(char* data, qint64 bytes) override {
        if (!file_) return -1;
        const qint64 wanted = qMin<qint64>(bytes / format_.frameBytes(), to_ - next_);
        if (wanted <= 0) return 0;
        // An open file reads on after it is deleted: once a second its name is looked for.
        sinceCheck_ += wanted;
        if (sinceCheck_ >= format_.rate) {
            sinceCheck_ = 0;
            if (!QFileInfo::exists(path_)) return -1;
        }
        const sf_count_t got = format_.isFloat
                                   ? sf_readf_float(file_, reinterpret_cast<float*>(data), wanted)
                                   : sf_readf_short(file_, reinterpret_cast<short*>(data), wanted);
        if (got <= 0) return -1;  // shorter than it was at the open
        next_ += got;
        return got * format_.frameBytes();
    }

private:
    QString path_;
    StreamFormat format_;
    SNDFILE* file_ = nullptr;
    qint64 next_;
    qint64 to_;
    qint64 sinceCheck_ = 0;
};

}  // namespace

Error readMusicFileFacts(const QString& path, MusicFileFacts& facts) {
    if (!QFileInfo(path).isFile()) return Error::FileNotFound;
    SF_INFO info;
    SNDFILE* file = openFile(path, info);
    if (!file) return Error::UnsupportedMusicFile;
    sf_close(file);
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0 || info.frames < 0)
        return Error::UnsupportedMusicFile;
    facts.bitsPerSample = bitsOf(info.format);
    facts.format = {info.samplerate, info.channels, facts.bitsPerSample > 16};
    facts.frames = info.frames;
    return Error::None;
}

std::unique_ptr<PcmSource> musicFileSource(const QString& path, const StreamFormat& format,
                                           qint64 from, qint64 to) {
    return std::make_unique<MusicFileFrames>(path, format, from, to);
}

}  // namespace sondex::mci

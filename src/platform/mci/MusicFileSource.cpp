#include "platform/mci/MusicFileSource.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <fcntl.h>
#include <unistd.h>

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

// An open file reads on after it is deleted: once a second of frames its name is looked for.
class VanishWatch {
public:
    VanishWatch(QString path, int rate) : path_(std::move(path)), rate_(rate) {}
    bool stillThere(qint64 frames) {
        sinceCheck_ += frames;
        if (sinceCheck_ < rate_) return true;
        sinceCheck_ = 0;
        return QFileInfo::exists(path_);
    }

private:
    QString path_;
    qint64 rate_;
    qint64 sinceCheck_ = 0;
};

class MusicFileFrames final : public PcmSource {
public:
    MusicFileFrames(QString path, const StreamFormat& format, qint64 from, qint64 to)
        : watch_(path, format.rate), format_(format), next_(from), to_(to) {
        SF_INFO info;
        file_ = openFile(path, info);
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
        if (!watch_.stillThere(wanted)) return -1;
        const sf_count_t got = format_.isFloat
                                   ? sf_readf_float(file_, reinterpret_cast<float*>(data), wanted)
                                   : sf_readf_short(file_, reinterpret_cast<short*>(data), wanted);
        if (got <= 0) return -1;  // shorter than it was at the open
        next_ += got;
        return got * format_.frameBytes();
    }

private:
    VanishWatch watch_;
    StreamFormat format_;
    SNDFILE* file_ = nullptr;
    qint64 next_;
    qint64 to_;
};

// A PCM WAV file's samples as they lie on disk; 8-bit ones widened to 16.
class WavFileFrames final : public PcmSource {
public:
    WavFileFrames(const QString& path, const WavContents& contents, qint64 from, qint64 to)
        : watch_(path, contents.format.sampleRate),
          inBlock_(contents.format.blockAlign()),
          eightBit_(contents.format.bitsPerSample == 8),
          offset_(contents.dataOffset + from * inBlock_),
          end_(contents.dataOffset + to * inBlock_),
          fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)) {}
    ~WavFileFrames() override {
        if (fd_ >= 0) ::close(fd_);
    }
    WavFileFrames(const WavFileFrames&) = delete;
    WavFileFrames& operator=(const WavFileFrames&) = delete;

    qint64 read(char* data, qint64 bytes) override {
        if (fd_ < 0) return -1;
        const qint64 outBlock = eightBit_ ? inBlock_ * 2 : inBlock_;
        const qint64 frames = qMin(bytes / outBlock, (end_ - offset_) / inBlock_);
        if (frames <= 0) return 0;
        if (!watch_.stillThere(frames)) return -1;
        // 8-bit frames are read into the upper half and widened in place.
        char* into = eightBit_ ? data + frames * inBlock_ : data;
        const ssize_t got = ::pread(fd_, into, size_t(frames * inBlock_), offset_);
        if (got < inBlock_) return -1;  // shorter than it was at the open
        const qint64 read = got / inBlock_;
        offset_ += read * inBlock_;
        if (eightBit_) {
            auto* out = reinterpret_cast<qint16*>(data);
            const auto* in = reinterpret_cast<const quint8*>(into);
            for (qint64 i = 0; i < read * inBlock_; ++i) out[i] = qint16((int(in[i]) - 128) << 8);
        }
        return read * outBlock;
    }

private:
    VanishWatch watch_;
    qint64 inBlock_;
    bool eightBit_;
    qint64 offset_;
    qint64 end_;
    int fd_;
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

std::unique_ptr<PcmSource> wavFileSource(const QString& path, const WavContents& contents,
                                         qint64 from, qint64 to) {
    return std::make_unique<WavFileFrames>(path, contents, from, to);
}

std::unique_ptr<PcmSource> musicFileSource(const QString& path, const StreamFormat& format,
                                           qint64 from, qint64 to) {
    return std::make_unique<MusicFileFrames>(path, format, from, to);
}

}  // namespace sondex::mci

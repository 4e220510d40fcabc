#include "core/WavInspector.h"

#include "platform/JapaneseCalendar.h"
#include "core/FormatCode.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>

namespace sondex {

namespace {

constexpr qint64 kHeaderBytes = 4096;
constexpr qint64 kMinimumBytes = 46;
constexpr qint64 kChunkHeaderBytes = 8;
constexpr qint64 kFormatFieldBytes = 16;
constexpr qint64 kMaxReadBytes = 32768;

const char kNotFinished[] = "WAVファイルデータ取得に失敗しました・・・GW";
const char kCannotOpen[] = "WAVファイルの読み出しに失敗しましたOP・・・GW";
const char kTooSmall[] = "WAVファイルのサイズが小さすぎます・・・GW\n";
const char kNoRiff[] = "ファイル形式が「RIFF」ではありません・・・GW";
const char kNoWave[] = "WAVEファイルではありません・・・GW";
const char kNoFormat[] = "WAVフォーマットが見つかりませんでした・・・GW";
const char kShortFormat[] = "フォーマットデータが不足しています・・・GW";
const char kNoData[] = "データエリアが見つかりませんでした・・・GW\n";
const char kEmptyData[] = "データがありません・・・GW";
const char kCompressed[] = "圧縮データは変換できません・・・GW";
const char kBadBytesPerSecond[] = "１秒当たりのバイト数が異状です・・・GW";
const char kBadBytesPer40ms[] = "40ms当たりのバイト数が異状です・・・GW";
const char kBadReadSize[] = "総読み込みバイト数が異状です・・・GW";
const char kBadBits[] = "サンプルが異状です・・・GW";

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

quint16 le16(const uchar* p) {
    return quint16(p[0] | p[1] << 8);
}
quint32 le32(const uchar* p) {
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// A regular file opened for reading only. Linux has no share mode that keeps
// other writers out; the saved file is ours and nobody else writes it.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
        struct stat st {};
        // A directory, pipe or device is no WAV file, and reading a pipe could block.
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) close();
    }
    ~ReadOnlyFile() { close(); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Bytes read at offset, up to size; short only at the end of the file or on an error.
    qint64 readAt(qint64 offset, uchar* into, qint64 size) const {
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::pread(fd_, into + done, size_t(size - done), off_t(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += n;
        }
        return done;
    }

private:
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int fd_;
};

struct Chunk {
    qint64 dataOffset;
    quint32 size;
};

// Sizes are unsigned, so every step moves forward and the walk ends; RIFF puts
// a pad byte after a chunk of odd size, and the walk steps over it.
qint64 nextChunkHeader(qint64 header, quint32 size) {
    return header + kChunkHeaderBytes + size + (size & 1);
}

std::optional<Chunk> findFormatChunk(const uchar* header, qint64 bytesRead) {
    for (qint64 at = 12; at + kChunkHeaderBytes <= bytesRead;) {
        const quint32 size = le32(header + at + 4);
        if (std::memcmp(header + at, "fmt ", 4) == 0) return Chunk{at + kChunkHeaderBytes, size};
        at = nextChunkHeader(at, size);
    }
    return std::nullopt;
}

std::optional<Chunk> findDataChunk(const ReadOnlyFile& file) {
    uchar header[kChunkHeaderBytes];
    for (qint64 at = 12;;) {
        if (file.readAt(at, header, kChunkHeaderBytes) < kChunkHeaderBytes) return std::nullopt;
        const quint32 size = le32(header + 4);
        if (std::memcmp(header, "data", 4) == 0) return Chunk{at + kChunkHeaderBytes, size};
        at = nextChunkHeader(at, size);
    }
}

// Whole minutes "." seconds as two digits; the seconds are cut, not rounded.
QString durationText(qint64 milliseconds) {
    const QString seconds = QStringLiteral("00000") + QString::number(milliseconds % 60000);
    return QString::number(milliseconds / 60000) + u'.' + seconds.mid(seconds.size() - 5, 2);
}

// The checks and results after the file fields; returns the error text.
QString inspect(const QString& path, WavSummary& summary) {
    const ReadOnlyFile file(path);
    if (!file.isOpen()) return text(kCannotOpen);

    uchar header[kHeaderBytes];
    const qint64 bytesRead = file.readAt(0, header, kHeaderBytes);
    if (bytesRead < kMinimumBytes) return text(kTooSmall) + path;
    if (std::memcmp(header, "RIFF", 4) != 0) return text(kNoRiff);
    if (std::memcmp(header + 8, "WAVE", 4) != 0) return text(kNoWave);

    const std::optional<Chunk> format = findFormatChunk(header, bytesRead);
    if (!format) return text(kNoFormat);
    // A chunk that claims 16 bytes but is cut off by the end of what was read
    // is short of format data just the same.
    if (format->size < kFormatFieldBytes || format->dataOffset + kFormatFieldBytes > bytesRead)
        return text(kShortFormat);

    const std::optional<Chunk> data = findDataChunk(file);
    if (!data) return text(kNoData) + path;

    const uchar* fields = header + format->dataOffset;
    const quint16 formatTag = le16(fields);
    const quint16 channels = le16(fields + 2);
    // Signed, as the header field always was read: a rate past 2^31 is negative.
    const qint32 samplesPerSecond = qint32(le32(fields + 4));
    const quint16 blockAlign = le16(fields + 12);
    const quint16 bitsPerSample = le16(fields + 14);

    if (data->size == 0) return text(kEmptyData);
    if (formatTag != 1) return text(kCompressed);
    // The header's own bytes-per-second field is not trusted.
    const qint64 bytesPerSecond = qint64(samplesPerSecond) * blockAlign;
    if (bytesPerSecond <= 0) return text(kBadBytesPerSecond);
    const qint64 bytesPer40ms = bytesPerSecond / 25;
    if (bytesPer40ms <= 0) return text(kBadBytesPer40ms);
    if (kMaxReadBytes / bytesPer40ms * bytesPer40ms <= 0) return text(kBadReadSize);
    if (bitsPerSample == 0) return text(kBadBits);

    summary.declaredSize = data->dataOffset + data->size;
    summary.formatCode = formatCode(samplesPerSecond, channels, bitsPerSample);
    const double milliseconds = double(data->size) / blockAlign / (samplesPerSecond / 1000.0);
    summary.duration = durationText(std::llround(milliseconds));
    return {};
}

}  // namespace

WavSummary InspectWav(const QString& path, const std::function<void()>& processEvents) {
    WavSummary summary;
    summary.errorText = text(kNotFinished);
    summary.fileDate = calendar::dateTimeText(QFileInfo(path).lastModified());
    const qsizetype slash = path.lastIndexOf(u'/');
    summary.fileName = path.mid(slash + 1);
    summary.folder = path.left(slash + 1);
    if (processEvents) processEvents();

    summary.errorText = inspect(path, summary);

    if (processEvents) processEvents();
    return summary;
}

}  // namespace sondex

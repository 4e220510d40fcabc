#include "platform/mci/WavHeader.h"

#include "platform/mci/ErrorCode.h"

#include <QFile>
#include <QtEndian>

namespace sondex::mci {

namespace {

constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 384000;
constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatExtensible = 0xFFFE;
// The PCM sub-format GUID of an extensible fmt chunk starts with the tag 1.
constexpr int kExtensibleSubFormatOffset = 24;
// Enough for any header with a few metadata chunks before "fmt " and "data".
constexpr qint64 kHeadBytes = 64 * 1024;

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

std::optional<PcmFormat> parseFmtChunk(const char* data, quint32 size) {
    if (size < 16) return std::nullopt;
    quint16 tag = u16(data);
    if (tag == kFormatExtensible && size >= kExtensibleSubFormatOffset + 2)
        tag = u16(data + kExtensibleSubFormatOffset);
    if (tag != kFormatPcm) return std::nullopt;
    PcmFormat format;
    format.channels = u16(data + 2);
    format.sampleRate = int(qMin<quint32>(u32(data + 4), quint32(INT_MAX)));
    format.bitsPerSample = u16(data + 14);
    const bool supported = (format.channels == 1 || format.channels == 2) &&
                           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                           format.sampleRate >= kLowestRate && format.sampleRate <= kHighestRate;
    if (!supported) return std::nullopt;
    return format;
}

bool openForReading(QFile& file, int& error) {
    if (file.open(QIODevice::ReadOnly)) return true;
    error = toCode(file.exists() ? Error::FileUnreadable : Error::FileNotFound);
    return false;
}

// The body of the "fmt " chunk in the head of a RIFF WAVE file; empty when none is whole there.
QByteArrayView fmtChunk(const QByteArray& head) {
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return {};
    qint64 offset = 12;
    while (offset + 8 <= head.size()) {
        const char* chunk = head.constData() + offset;
        const quint32 size = u32(chunk + 4);
        if (QByteArrayView(chunk, 4) == "fmt ") {
            if (offset + 8 + size > head.size()) return {};
            return QByteArrayView(chunk + 8, size);
        }
        offset += 8 + qint64(size) + (size & 1);
    }
    return {};
}

}  // namespace

std::optional<PcmFormat> parseWavHeader(const QByteArray& head) {
    const QByteArrayView fmt = fmtChunk(head);
    if (fmt.isEmpty()) return std::nullopt;
    return parseFmtChunk(fmt.data(), quint32(fmt.size()));
}

bool isOtherWavFormat(const QByteArray& head) {
    return !fmtChunk(head).isEmpty() && !parseWavHeader(head);
}

bool isOtherWavFormat(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && isOtherWavFormat(file.read(kHeadBytes));
}

std::optional<PcmFormat> readWavFormat(const QString& path, int& error) {
    QFile file(path);
    if (!openForReading(file, error)) return std::nullopt;
    const std::optional<PcmFormat> format = parseWavHeader(file.read(kHeadBytes));
    error = toCode(format ? Error::None : Error::BadWaveHeader);
    return format;
}

std::optional<WavContents> readWavContents(const QString& path, int& error) {
    QFile file(path);
    if (!openForReading(file, error)) return std::nullopt;
    const QByteArray head = file.read(kHeadBytes);
    error = toCode(Error::BadWaveHeader);
    const std::optional<PcmFormat> format = parseWavHeader(head);
    if (!format) return std::nullopt;
    for (qint64 offset = 12; offset + 8 <= head.size();) {
        const char* chunk = head.constData() + offset;
        const quint32 size = u32(chunk + 4);
        if (QByteArrayView(chunk, 4) == "data") {
            WavContents contents{*format, offset + 8, 0};
            const qint64 held = qBound<qint64>(0, file.size() - contents.dataOffset, size);
            contents.dataBytes = held / format->blockAlign() * format->blockAlign();
            error = toCode(Error::None);
            return contents;
        }
        offset += 8 + qint64(size) + (size & 1);
    }
    return std::nullopt;
}

QByteArray canonicalWavHeader(const PcmFormat& format, qint64 dataBytes) {
    QByteArray header(kCanonicalHeaderBytes, '\0');
    char* p = header.data();
    const auto put32 = [p](int at, quint32 v) { qToLittleEndian<quint32>(v, p + at); };
    const auto put16 = [p](int at, quint16 v) { qToLittleEndian<quint16>(v, p + at); };
    const qint64 padded = dataBytes + (dataBytes & 1);
    memcpy(p, "RIFF", 4);
    put32(4, quint32(kCanonicalHeaderBytes - 8 + padded));
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, kFormatPcm);
    put16(22, quint16(format.channels));
    put32(24, quint32(format.sampleRate));
    put32(28, quint32(format.bytesPerSecond()));
    put16(32, quint16(format.blockAlign()));
    put16(34, quint16(format.bitsPerSample));
    memcpy(p + 36, "data", 4);
    put32(40, quint32(dataBytes));
    return header;
}

}  // namespace sondex::mci

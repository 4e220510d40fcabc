#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace sondex::mci {

// The sample format of a PCM recording.
struct PcmFormat {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;

    int blockAlign() const { return channels * (bitsPerSample / 8); }
    qint64 bytesPerSecond() const { return qint64(sampleRate) * blockAlign(); }
    bool operator==(const PcmFormat&) const = default;
};

// Size of the canonical header: RIFF, a 16-byte "fmt " chunk, the "data" chunk header.
inline constexpr int kCanonicalHeaderBytes = 44;

// The largest file a RIFF size field can describe without passing 2^31 - 1.
inline constexpr qint64 kWavFileSizeLimit = 2147483647;

// Reads the format from the start of a WAV file: any chunk order, an 18-byte
// fmt chunk (whose cbSize is not trusted), extensible PCM, "fact" and other
// chunks. Gives nothing unless it is integer PCM with 8 or 16 bits and 1 or 2
// channels at a rate the sound server takes.
std::optional<PcmFormat> parseWavHeader(const QByteArray& head);

// Reads the head of a file and parses it; error is set from the Error codes on failure.
std::optional<PcmFormat> readWavFormat(const QString& path, int& error);

// A whole WAV format chunk of another kind than those above (24-bit, float,
// compressed, more channels): a file for a player of such files, not damaged.
bool isOtherWavFormat(const QByteArray& head);
bool isOtherWavFormat(const QString& path);

// Where a WAV file keeps its samples: the offset of the data chunk's contents
// and its length in whole frames, never past the end of the file.
struct WavContents {
    PcmFormat format;
    qint64 dataOffset = 0;
    qint64 dataBytes = 0;
};

// Reads format and sample location of a WAV file. A file without a data chunk
// in its head is damaged and refused (BadWaveHeader), like a non-PCM one.
std::optional<WavContents> readWavContents(const QString& path, int& error);

// The canonical 44-byte header for this many data bytes. An odd data size
// counts its pad byte in the RIFF size, as the RIFF layout asks.
QByteArray canonicalWavHeader(const PcmFormat& format, qint64 dataBytes);

}  // namespace sondex::mci

#include "platform/mci/WavHeader.h"
#include "TestFiles.h"

#include <QtEndian>

#include <gtest/gtest.h>

using namespace sondex::mci;
using test::riffChunk;

namespace {

QByteArray fmtBody(quint16 tag, int channels, int rate, int bits) {
    QByteArray b(16, '\0');
    qToLittleEndian<quint16>(tag, b.data());
    qToLittleEndian<quint16>(quint16(channels), b.data() + 2);
    qToLittleEndian<quint32>(quint32(rate), b.data() + 4);
    qToLittleEndian<quint16>(quint16(bits), b.data() + 14);
    return b;
}

QByteArray wave(const QByteArray& chunks) { return QByteArray("RIFF\0\0\0\0WAVE", 12) + chunks; }

}  // namespace

TEST(WavHeader, TemplateOfEveryRecordingFormatIsRead) {
    for (int rate : {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000})
        for (int bits : {8, 16})
            for (int channels : {1, 2}) {
                const auto format = parseWavHeader(test::templateWavBytes(rate, bits, channels));
                ASSERT_TRUE(format) << rate << "/" << bits << "/" << channels;
                EXPECT_EQ(*format, (PcmFormat{rate, channels, bits}));
            }
}

TEST(WavHeader, OtherValidPcmLayoutsAreRead) {
    // A list chunk of odd size (with its pad byte) before the fmt chunk.
    const QByteArray padded =
        wave(riffChunk("LIST", QByteArray(7, 'x')) + riffChunk("fmt ", fmtBody(1, 2, 22050, 16)) + riffChunk("data", {}));
    EXPECT_EQ(parseWavHeader(padded), (PcmFormat{22050, 2, 16}));

    QByteArray extensible = fmtBody(0xFFFE, 1, 16000, 16);
    extensible.append(QByteArray(24, '\0'));
    qToLittleEndian<quint16>(22, extensible.data() + 16);
    qToLittleEndian<quint16>(1, extensible.data() + 24);  // sub-format: PCM
    EXPECT_EQ(parseWavHeader(wave(riffChunk("fmt ", extensible))), (PcmFormat{16000, 1, 16}));
    // The canonical header the device writes reads back as itself.
    EXPECT_EQ(parseWavHeader(canonicalWavHeader({11025, 1, 8}, 0)), (PcmFormat{11025, 1, 8}));
}

TEST(WavHeader, UnusableHeadersAreRefused) {
    const QByteArray good = test::templateWavBytes(44100, 16, 2);
    QByteArray rifx = good;
    rifx[3] = 'X';
    QByteArray notWave = good;
    notWave[8] = 'A';
    const QList<QByteArray> bad = {
        {},
        good.left(11),
        rifx,
        notWave,
        good.left(30),                                   // fmt chunk cut short
        wave(riffChunk("fmt ", fmtBody(1, 2, 44100, 16).left(14))),
        wave(riffChunk("fmt ", fmtBody(3, 2, 44100, 32))),   // float
        wave(riffChunk("fmt ", fmtBody(0x55, 2, 44100, 16))),  // compressed
        wave(riffChunk("fmt ", fmtBody(1, 2, 44100, 24))),
        wave(riffChunk("fmt ", fmtBody(1, 3, 44100, 16))),
        wave(riffChunk("fmt ", fmtBody(1, 0, 44100, 16))),
        wave(riffChunk("fmt ", fmtBody(1, 2, 0, 16))),
        wave(riffChunk("data", QByteArray(40, '\0'))),       // no fmt at all
    };
    for (const QByteArray& head : bad) EXPECT_FALSE(parseWavHeader(head)) << head.toHex().toStdString();
}

TEST(WavHeader, CanonicalHeaderCarriesFormatAndSizes) {
    EXPECT_EQ(canonicalWavHeader({44100, 2, 16}, 1764000).toHex(),
              "52494646" "c4ea1a00" "57415645" "666d7420"                        // RIFF, 36 + data, WAVEfmt
              "10000000" "0100" "0200" "44ac0000" "10b10200" "0400" "1000"   // 16, PCM, stereo, rates, 4, 16 bits
              "64617461" "a0ea1a00");                                          // data, its size
    // An odd data size counts its pad byte in the RIFF size only.
    const QByteArray odd = canonicalWavHeader({8000, 1, 8}, 8001);
    EXPECT_EQ(qFromLittleEndian<quint32>(odd.constData() + 4), 36u + 8002u);
    EXPECT_EQ(qFromLittleEndian<quint32>(odd.constData() + 40), 8001u);
}

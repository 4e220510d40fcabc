#include "core/RecordingFormat.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(RecordingFormatTest, TemplateHeaderIsTheFiftyEightBytesTheDeviceIsOpenedOn) {
    // fromHex skips the blanks: RIFF header, fmt chunk (with the extra size 0x34), fact, data.
    const QByteArray expected = QByteArray::fromHex(
        "52494646 32000000 57415645 "
        "666d7420 12000000 0100 0100 401f0000 401f0000 0100 0800 3400 "
        "66616374 04000000 00000000 "
        "64617461 00000000");
    EXPECT_EQ(templateWavHeader({8000, 1, 8}), expected);
}

TEST(RecordingFormatTest, RateChannelsAndBitsGiveTheDerivedFieldsAndOnly8000By8HasExtraSize) {
    struct Case {
        RecordingFormat format;
        quint32 bytesPerSecond;
        quint16 blockAlign;
        quint16 extraSize;
    };
    for (const Case& c : {Case{{8000, 2, 8}, 16000, 2, 0x38}, Case{{8000, 1, 16}, 16000, 2, 0},
                          Case{{11025, 1, 8}, 11025, 1, 0}, Case{{44100, 2, 16}, 176400, 4, 0}}) {
        const QByteArray h = templateWavHeader(c.format);
        const auto at = [&h](int offset) {
            return qFromLittleEndian<quint16>(h.constData() + offset);
        };
        ASSERT_EQ(h.size(), 58);
        EXPECT_EQ(at(22), c.format.channels);
        EXPECT_EQ(qFromLittleEndian<quint32>(h.constData() + 24),
                  quint32(c.format.samplesPerSecond));
        EXPECT_EQ(qFromLittleEndian<quint32>(h.constData() + 28), c.bytesPerSecond);
        EXPECT_EQ(at(32), c.blockAlign);
        EXPECT_EQ(at(34), c.format.bitsPerSample);
        EXPECT_EQ(at(36), c.extraSize)
            << c.format.samplesPerSecond << "/" << c.format.bitsPerSample;
    }
}

}  // namespace
}  // namespace sondex

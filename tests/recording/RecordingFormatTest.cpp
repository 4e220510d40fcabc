#include "recording/RecordingFormat.h"

#include "app/Settings.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace sondex {
namespace {

quint16 u16(const QByteArray& h, int offset) { return qFromLittleEndian<quint16>(h.constData() + offset); }
quint32 u32(const QByteArray& h, int offset) { return qFromLittleEndian<quint32>(h.constData() + offset); }

TEST(RecordingFormatTest, TemplateHeaderCarriesTheFormatAndTheOldExtraSizeQuirk) {
    struct Case {
        RecordingFormat format;
        quint32 bytesPerSecond;
        quint16 blockAlign;
        quint16 extraSize;
    };
    for (const Case& c : {Case{{8000, 1, 8}, 8000, 1, 0x34}, Case{{8000, 2, 8}, 16000, 2, 0x38},
                          Case{{8000, 1, 16}, 16000, 2, 0}, Case{{8000, 2, 16}, 32000, 4, 0},
                          Case{{11025, 1, 8}, 11025, 1, 0}, Case{{44100, 2, 16}, 176400, 4, 0}}) {
        const QByteArray h = templateWavHeader(c.format);
        SCOPED_TRACE(c.format.samplesPerSecond * 100 + c.format.channels * 10 + c.format.bitsPerSample);
        ASSERT_EQ(h.size(), 58);
        EXPECT_EQ(u16(h, 22), c.format.channels);
        EXPECT_EQ(u32(h, 24), quint32(c.format.samplesPerSecond));
        EXPECT_EQ(u32(h, 28), c.bytesPerSecond);
        EXPECT_EQ(u16(h, 32), c.blockAlign);
        EXPECT_EQ(u16(h, 34), c.format.bitsPerSample);
        EXPECT_EQ(u16(h, 36), c.extraSize);
    }
}

TEST(RecordingFormatTest, TemplateHeaderChunksAreLaidOutAsTheDeviceExpects) {
    const QByteArray h = templateWavHeader({44100, 2, 16});
    EXPECT_EQ(h.mid(0, 4), "RIFF");
    EXPECT_EQ(u32(h, 4), 50u);
    EXPECT_EQ(h.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(h, 16), 18u);
    EXPECT_EQ(u16(h, 20), 1u);
    EXPECT_EQ(h.mid(38, 4), "fact");
    EXPECT_EQ(u32(h, 42), 4u);
    EXPECT_EQ(u32(h, 46), 0u);
    EXPECT_EQ(h.mid(50, 4), "data");
    EXPECT_EQ(u32(h, 54), 0u);
}

TEST(RecordingFormatTest, SettingsChooseRateBitsAndChannels) {
    Settings settings(QStringLiteral("/nowhere/"));
    const RecordingFormat fresh = recordingFormat(settings);
    EXPECT_EQ(fresh.samplesPerSecond, 44100);
    EXPECT_EQ(fresh.bitsPerSample, 16);
    EXPECT_EQ(fresh.channels, 2);

    settings.setNumber(Setting::rate2, 0);
    settings.setOn(Setting::Bit, false);
    settings.setOn(Setting::stereo, false);
    const RecordingFormat low = recordingFormat(settings);
    EXPECT_EQ(low.samplesPerSecond, 8000);
    EXPECT_EQ(low.bitsPerSample, 8);
    EXPECT_EQ(low.channels, 1);

    settings.setNumber(Setting::rate2, 8);
    EXPECT_EQ(recordingFormat(settings).samplesPerSecond, 48000);
}

}  // namespace
}  // namespace sondex

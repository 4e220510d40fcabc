// The music file player on a private sound server: files written here with
// the sound file library, their format and length, notices, positions that
// follow the played audio, a file deleted while it plays, and a take of a WAV
// (the other kinds' takes are checked through the whole recorder).
#include "TestFiles.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/SoundFiles.h"
#include "support/pulse/WavFacts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

using namespace sondex::mci;
using sondex::mci::test::NoticeLog;
using sondex::mci::test::spinFor;
using sondex::test::writeSoundFile;

namespace {

// A 440 Hz tone of the given length.
std::vector<qint16> tone(int rate, int channels, double seconds) {
    std::vector<qint16> samples(size_t(rate * seconds) * size_t(channels));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = qint16(8000 * std::sin(2 * M_PI * 440 * double(i / size_t(channels)) / rate));
    return samples;
}

constexpr int kAiff16 = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
constexpr int kAu16 = SF_FORMAT_AU | SF_FORMAT_PCM_16;
constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

class PlayingMusicFile : public ::testing::Test, protected sondex::mci::test::EngineClient {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.failure().toStdString();
        server.applyToThisProcess();
        options.temporaryFolder = dir.path();
        options.playbackStreams = std::make_shared<PlaybackStreams>();
        engine = std::make_unique<Engine>(options);
    }

    QString file(const QString& name, int format, int rate, int channels, double seconds) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeSoundFile(path, format, rate, channels, tone(rate, channels, seconds)));
        return path;
    }

    // As the recorder opens them: a ".WAV" with a buffer.
    int openMusic(const QString& path) {
        const QString buffer = path.endsWith(QStringLiteral(".wav")) ? QStringLiteral(" buffer 4")
                                                                      : QString();
        return send(QStringLiteral("Open \"%1\" alias tavikMID%2 wait").arg(path, buffer));
    }
    QString status(const QString& item) { return ask(QStringLiteral("status tavikMID ") + item); }
    qint64 position() { return status(QStringLiteral("position")).toLongLong(); }

    sondex::test::PrivatePulseServer server;
    QTemporaryDir dir;
    EngineOptions options;
    NoticeLog log;
};

}  // namespace

// The device is chosen by the file's bytes, whatever its name says.
TEST_F(PlayingMusicFile, OpensFilesByTheirContentAndAnswersTheirOwnFormat) {
    struct Case {
        const char* name;
        int format;
        int rate;
        int channels;
        const char* length;
        const char* bits = "16";
    };
    // WAV files of 8 or 16 bits play on the recording device, others on the music file player.
    for (const Case c :
         {Case{"stereo.aiff", kAiff16, 44100, 2, "1500"}, Case{"mono.au", kAu16, 22050, 1, "2000"},
          Case{"aiff named as midi.mid", kAiff16, 22050, 1, "2000"},
          Case{"au without a known name.dat", kAu16, 44100, 2, "1500"},
          Case{"曲 ステレオ.wav", kWav16, 44100, 2, "1500"},
          Case{"8bit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 22050, 1, "2000", "8"},
          Case{"24bit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 44100, 2, "1500", "24"}}) {
        SCOPED_TRACE(c.name);
        const QString path = file(QString::fromUtf8(c.name), c.format, c.rate, c.channels,
                                  c.rate == 44100 ? 1.5 : 2);
        ASSERT_EQ(openMusic(path), 0);
        ASSERT_EQ(send(QStringLiteral("set tavikMID time format ms")), 0);
        EXPECT_EQ(status(QStringLiteral("length")), QString::fromUtf8(c.length));
        EXPECT_EQ(status(QStringLiteral("samplespersec")), QString::number(c.rate));
        EXPECT_EQ(status(QStringLiteral("bitspersample")), QString::fromUtf8(c.bits));
        EXPECT_EQ(status(QStringLiteral("channels")), QString::number(c.channels));
        EXPECT_EQ(status(QStringLiteral("mode")), QStringLiteral("stopped"));
        EXPECT_EQ(status(QStringLiteral("position")), QStringLiteral("0"));
        ASSERT_EQ(send(QStringLiteral("close tavikMID")), 0);
    }

    const QString garbage = dir.filePath(QStringLiteral("garbage.aif"));
    QFile out(garbage);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(
        "FORM\0\0\0\x10"
        "AIFFnot a sound at all",
        30);
    out.close();
    const QString quad = dir.filePath(QStringLiteral("quad.aiff"));
    ASSERT_TRUE(writeSoundFile(quad, kAiff16, 44100, 4, std::vector<qint16>(44100 * 4, 100)));
    for (const auto& [path, error] :
         {std::pair{garbage, Error::UnsupportedMusicFile},
          std::pair{quad, Error::UnsupportedMusicFile},
          std::pair{dir.filePath(QStringLiteral("gone.aiff")), Error::FileNotFound}}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(openMusic(path), toCode(error));
        EXPECT_EQ(send(QStringLiteral("status tavikMID mode")), toCode(Error::UnknownAlias));
    }
}

TEST_F(PlayingMusicFile, PlaysToItsEndOrUntilStoppedAndFailsWhenTheFileIsDeleted) {
    // 24-bit samples play as floats.
    ASSERT_EQ(openMusic(file(QStringLiteral("tone.aiff"), SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 44100,
                             2, 1.5)),
              0);
    EXPECT_EQ(status(QStringLiteral("bitspersample")), QStringLiteral("24"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(send(QStringLiteral("play tavikMID notify"), log.target()), 0);
    EXPECT_EQ(status(QStringLiteral("mode")), QStringLiteral("playing"));
    ASSERT_TRUE(log.waitFor(1, 10000));
    EXPECT_EQ(log.codes(), QList<qint64>{NotifySuccessful});
    EXPECT_GE(clock.elapsed(), 1400) << "the end comes once it was heard";
    EXPECT_EQ(position(), 1500);
    EXPECT_EQ(status(QStringLiteral("mode")), QStringLiteral("stopped"));

    // Played again from the start; the position follows what is heard and stays where stop left it.
    ASSERT_EQ(send(QStringLiteral("play tavikMID to 1400 notify"), log.target()), 0);
    spinFor(900);
    const qint64 heard = position();
    EXPECT_GT(heard, 0);
    EXPECT_LT(heard, 1400);
    ASSERT_EQ(send(QStringLiteral("stop tavikMID")), 0);
    ASSERT_TRUE(log.waitFor(2));
    EXPECT_EQ(log.codes().back(), NotifyAborted);
    EXPECT_GE(position(), heard);
    ASSERT_EQ(send(QStringLiteral("seek tavikMID to 200")), 0);
    EXPECT_EQ(position(), 200);
    EXPECT_EQ(send(QStringLiteral("seek tavikMID to 1501")), toCode(Error::BadArgument));
    ASSERT_EQ(send(QStringLiteral("close tavikMID")), 0);

    const QString doomed = file(QStringLiteral("doomed.au"), kAu16, 22050, 1, 6);
    ASSERT_EQ(openMusic(doomed), 0);
    clock.restart();
    ASSERT_EQ(send(QStringLiteral("play tavikMID notify"), log.target()), 0);
    spinFor(300);
    ASSERT_TRUE(QFile::remove(doomed));
    ASSERT_TRUE(log.waitFor(3, 10000));
    EXPECT_EQ(log.codes().back(), NotifyFailure);
    EXPECT_LT(clock.elapsed(), 5000) << "before the file's end";
    EXPECT_EQ(status(QStringLiteral("mode")), QStringLiteral("stopped"));
}

// A take as the recorder makes one: "record", then "play", on a sink that suspends when idle.
TEST_F(PlayingMusicFile, ATakeHoldsTheFileExactly) {
    ASSERT_TRUE(server.start(true)) << server.failure().toStdString();
    const QString wav = dir.filePath(QStringLiteral("template.wav"));
    ASSERT_TRUE(sondex::mci::test::writeTemplateWav(wav, 44100, 16, 2));
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias tavikREC wait").arg(wav)), 0);
    const std::vector<qint16> track = sondex::test::makePattern(44100 * 3, 9);
    const QString music = dir.filePath(QStringLiteral("noise.wav"));
    ASSERT_TRUE(writeSoundFile(music, kWav16, 44100, 2, track));
    ASSERT_EQ(openMusic(music), 0);
    ASSERT_EQ(send(QStringLiteral("record tavikREC")), 0);
    ASSERT_EQ(send(QStringLiteral("play tavikMID notify"), log.target()), 0);
    ASSERT_TRUE(log.waitFor(1, 15000));
    EXPECT_EQ(log.codes().back(), NotifySuccessful);
    EXPECT_EQ(position(), 3000);
    ASSERT_EQ(send(QStringLiteral("stop tavikREC")), 0);
    const QString saved = dir.filePath(QStringLiteral("take.wav"));
    ASSERT_EQ(send(QStringLiteral("save tavikREC \"%1\"").arg(saved)), 0);

    const sondex::test::TrackMatch match = sondex::test::alignTrack(saved, track);
    ASSERT_TRUE(match.found);
    EXPECT_EQ(match.missingHead, 0);
    EXPECT_EQ(match.missingTail, 0);
    EXPECT_EQ(match.differing, 0) << "of " << match.compared;
}

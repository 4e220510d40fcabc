#include "platform/mci/Engine.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sondex::mci;
using sondex::mci::test::NoticeLog;
using sondex::mci::test::spinFor;
using sondex::test::PrivatePulseServer;
using sondex::test::TonePlayer;
using sondex::test::WavFacts;
using sondex::test::readWavFacts;

namespace {

constexpr double kToneHz = 1000;
constexpr double kToneAmplitude = 0.5;

// Recording against a private sound server whose default source hears a 1 kHz tone.
class Recording : public ::testing::Test, protected test::EngineClient {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.failure().toStdString();
        server.applyToThisProcess();
        tempFolder = dir.filePath(QStringLiteral("tmp"));
        QDir().mkpath(tempFolder);
        qputenv("TEMP", QFile::encodeName(tempFolder));
        tone = std::make_unique<TonePlayer>(server, kToneHz, kToneAmplitude, 30);
        ASSERT_TRUE(tone->start());
    }

    void useEngine(EngineOptions options = {}) { engine = std::make_unique<Engine>(options); }

    void openTemplate(int rate = 44100, int bits = 16, int channels = 2) {
        const QString path = dir.filePath(QStringLiteral("sondex.wav"));
        ASSERT_TRUE(test::writeTemplateWav(path, rate, bits, channels));
        if (!engine) useEngine();
        ASSERT_EQ(send(QStringLiteral("Open \"%1\" alias tavikREC buffer 4 wait").arg(path)), 0);
    }

    // Records about the given time and expects the saved take to last from
    // "record" to "stop", however late a loaded machine wakes the test.
    void recordFor(int milliseconds) {
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(send(QStringLiteral("record tavikREC")), 0);
        const double recording = double(clock.nsecsElapsed()) / 1e9;
        spinFor(milliseconds);
        takeAtLeast = double(clock.nsecsElapsed()) / 1e9 - recording - 0.001;
        ASSERT_EQ(send(QStringLiteral("stop tavikREC")), 0);
        takeAtMost = double(clock.nsecsElapsed()) / 1e9 + 0.001;
    }
    void expectTakeLength(const WavFacts& facts) {
        EXPECT_GE(facts.seconds(), takeAtLeast);
        EXPECT_LE(facts.seconds(), takeAtMost);
    }

    qint64 numberReply(const QString& text) { return ask(text).toLongLong(); }

    QStringList temporaryFiles() const {
        return QDir(tempFolder).entryList({QStringLiteral("~MCI*.TMP")}, QDir::Files);
    }

    void expectTone(const QString& path, qint64 from, qint64 count) {
        const auto measure = sondex::test::measureTone(path, from, count);
        EXPECT_NEAR(measure.frequency, kToneHz, 15);
        EXPECT_NEAR(measure.rms, kToneAmplitude / std::sqrt(2.0), 0.05);
    }

    QTemporaryDir dir;
    PrivatePulseServer server;
    std::unique_ptr<TonePlayer> tone;
    QString tempFolder;
    double takeAtLeast = 0, takeAtMost = 0;
};

}  // namespace

TEST_F(Recording, RecordStopRecordAppendsAndSavesTheExactSamples) {
    openTemplate();
    ASSERT_EQ(send(QStringLiteral("record tavikREC")), 0);
    spinFor(800);
    ASSERT_EQ(send(QStringLiteral("stop tavikREC wait")), 0);
    const qint64 first = numberReply(QStringLiteral("status tavikREC position wait"));
    EXPECT_NEAR(first, 800, 150);
    spinFor(300);  // paused: nothing is recorded
    EXPECT_EQ(numberReply(QStringLiteral("status tavikREC position")), first);

    ASSERT_EQ(send(QStringLiteral("Record TAVIKREC")), 0);
    spinFor(800);
    ASSERT_EQ(send(QStringLiteral("stop tavikREC")), 0);
    const qint64 total = numberReply(QStringLiteral("status tavikREC position"));
    EXPECT_NEAR(total, first + 800, 150);
    ASSERT_EQ(send(QStringLiteral("set tavikREC time format samples")), 0);
    const qint64 frames = numberReply(QStringLiteral("status tavikREC position"));

    const QString saved = dir.filePath(QStringLiteral("保存 先/wav0000.wav"));
    QDir().mkpath(QFileInfo(saved).absolutePath());
    ASSERT_EQ(send(QStringLiteral("save tavikREC \"%1\" wait").arg(saved)), 0);
    const WavFacts facts = readWavFacts(saved);
    ASSERT_TRUE(facts.readable);
    EXPECT_EQ(facts.frames, frames);
    EXPECT_EQ(facts.fileSize, 44 + frames * 4);
    EXPECT_EQ(facts.header, canonicalWavHeader({44100, 2, 16}, frames * 4));
    // The start of a take may be a gap the server left (silence); the ends of both takes hold the tone.
    expectTone(saved, first * 441 / 10 - 24255, 22050);
    expectTone(saved, frames - 26460, 22050);

    ASSERT_EQ(temporaryFiles().size(), 1);
    ASSERT_EQ(send(QStringLiteral("close tavikREC wait")), 0);
    EXPECT_TRUE(temporaryFiles().isEmpty());
    EXPECT_EQ(readWavFacts(saved).frames, frames) << "close must not touch the saved file";
}

TEST_F(Recording, EveryTemplateFormatIsRecordedAsGiven) {
    struct Format {
        int rate, bits, channels;
    };
    for (const Format f : {Format{8000, 8, 1}, Format{11025, 8, 2}, Format{22050, 16, 1}, Format{48000, 16, 2}}) {
        SCOPED_TRACE(testing::Message() << f.rate << "/" << f.bits << "/" << f.channels);
        openTemplate(f.rate, f.bits, f.channels);
        recordFor(400);
        const QString saved = dir.filePath(QStringLiteral("f%1.wav").arg(f.rate));
        ASSERT_EQ(send(QStringLiteral("save tavikREC \"%1\"").arg(saved)), 0);
        ASSERT_EQ(send(QStringLiteral("close tavikREC")), 0);
        const WavFacts facts = readWavFacts(saved);
        EXPECT_EQ(facts.sampleRate, f.rate);
        EXPECT_EQ(facts.bitsPerSample, f.bits);
        EXPECT_EQ(facts.channels, f.channels);
        expectTakeLength(facts);
        // Under load the server may leave a short gap at the start; the end holds the tone.
        expectTone(saved, facts.frames / 2, facts.frames * 3 / 8);
    }
}

TEST_F(Recording, NotifyRecordEndsAbortedSupersededOrOnClose) {
    openTemplate();
    NoticeLog log;
    ASSERT_EQ(send(QStringLiteral("record tavikREC notify"), log.target()), 0);
    spinFor(200);
    EXPECT_TRUE(log.notices.isEmpty());
    ASSERT_EQ(send(QStringLiteral("stop tavikREC wait")), 0);
    ASSERT_TRUE(log.waitFor(1));
    ASSERT_EQ(send(QStringLiteral("record tavikREC notify"), log.target()), 0);
    ASSERT_EQ(send(QStringLiteral("record tavikREC notify"), log.target()), 0);
    ASSERT_TRUE(log.waitFor(2));
    EXPECT_EQ(send(QStringLiteral("status tavikREC mode")), 0);
    EXPECT_EQ(reply, u"recording");
    ASSERT_EQ(send(QStringLiteral("close tavikREC")), 0);
    ASSERT_TRUE(log.waitFor(3));
    spinFor(50);
    EXPECT_EQ(log.codes(), (QList<qint64>{NotifyAborted, NotifySuperseded, NotifyAborted}));
    EXPECT_EQ(log.notices.back().deviceId, 1);
}

TEST_F(Recording, SizeLimitEndsTheRecordingWithSuccess) {
    EngineOptions options;
    options.recordingFileSizeLimit = 44 + 44100 * 4 / 2;  // half a second
    useEngine(options);
    openTemplate();
    NoticeLog log;
    ASSERT_EQ(send(QStringLiteral("record tavikREC notify"), log.target()), 0);
    ASSERT_TRUE(log.waitFor(1, 5000));
    EXPECT_EQ(log.codes(), QList<qint64>{NotifySuccessful});
    EXPECT_EQ(numberReply(QStringLiteral("status tavikREC position")), 500);
    EXPECT_EQ(send(QStringLiteral("record tavikREC")), toCode(Error::SizeLimitReached));
    const QString saved = dir.filePath(QStringLiteral("limit.wav"));
    ASSERT_EQ(send(QStringLiteral("save tavikREC \"%1\"").arg(saved)), 0);
    EXPECT_EQ(readWavFacts(saved).fileSize, options.recordingFileSizeLimit);
    EXPECT_EQ(readWavFacts(saved).frames, 22050);
}

TEST_F(Recording, LostSoundServerFailsTheRecordingButKeepsItsSamples) {
    openTemplate();
    NoticeLog log;
    ASSERT_EQ(send(QStringLiteral("record tavikREC notify"), log.target()), 0);
    spinFor(700);
    server.kill();  // with the tone still playing, so the take ends in it
    tone->stop();
    ASSERT_TRUE(log.waitFor(1, 5000));
    EXPECT_EQ(log.codes(), QList<qint64>{NotifyFailure});
    const qint64 recorded = numberReply(QStringLiteral("status tavikREC position"));
    EXPECT_GE(recorded, 500);
    const QString saved = dir.filePath(QStringLiteral("crash.wav"));
    ASSERT_EQ(send(QStringLiteral("save tavikREC \"%1\"").arg(saved)), 0);
    const qint64 frames = readWavFacts(saved).frames;
    EXPECT_EQ(frames * 1000 / 44100, recorded);
    // The start may be a gap the server left; the samples before the end are the tone.
    expectTone(saved, frames - 11025, 8820);
    EXPECT_EQ(send(QStringLiteral("record tavikREC")), toCode(Error::SoundServerUnavailable));
}

// A desktop server with nothing playing: the idle sink's monitor delivers
// nothing for up to two seconds after a stream connects. The take still runs
// from "record" (exact figures: bench/mci).
TEST(IdleServerRecording, TakesRunFromRecordAndASilentSourceGivesSilenceOfTheRightLength) {
    PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    server.applyToThisProcess();
    QTemporaryDir dir;
    EngineOptions options;
    options.temporaryFolder = dir.path();
    Engine engine(options);
    QString reply;
    const auto send = [&](const QString& text) { return engine.sendString(text, reply, {}); };
    const QString templatePath = dir.filePath(QStringLiteral("tpl.wav"));
    ASSERT_TRUE(test::writeTemplateWav(templatePath, 44100, 16, 2));
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias r buffer 4 wait").arg(templatePath)), 0);

    ASSERT_EQ(send(QStringLiteral("record r")), 0);
    spinFor(1500);
    ASSERT_EQ(send(QStringLiteral("status r position wait")), 0);
    EXPECT_NEAR(reply.toInt(), 1500, 250) << "the start-up gap counts from \"record\"";
    ASSERT_EQ(send(QStringLiteral("stop r wait")), 0);
    ASSERT_EQ(send(QStringLiteral("record r")), 0);
    spinFor(1500);
    ASSERT_EQ(send(QStringLiteral("stop r wait")), 0);
    ASSERT_EQ(send(QStringLiteral("status r position")), 0);
    EXPECT_NEAR(reply.toInt(), 3000, 300);

    // The source stops delivering for good: the take goes on as silence, and "stop" does not hang.
    QProcess suspend;
    suspend.setProcessEnvironment(server.clientEnvironment());
    ASSERT_EQ(send(QStringLiteral("record r")), 0);
    spinFor(300);
    suspend.start(QStringLiteral("pactl"), {QStringLiteral("suspend-source"), server.sinkName() + QStringLiteral(".monitor"),
                                            QStringLiteral("1")});
    ASSERT_TRUE(suspend.waitForFinished(5000));
    spinFor(2500);
    QElapsedTimer stopping;
    stopping.start();
    ASSERT_EQ(send(QStringLiteral("stop r wait")), 0);
    EXPECT_LT(stopping.elapsed(), 2000);
    const QString saved = dir.filePath(QStringLiteral("idle.wav"));
    ASSERT_EQ(send(QStringLiteral("save r \"%1\"").arg(saved)), 0);
    const WavFacts facts = readWavFacts(saved);
    EXPECT_NEAR(facts.seconds(), 5.8, 0.5);
    // Saving again under the same name leaves nothing else in the folder.
    ASSERT_EQ(send(QStringLiteral("save r \"%1\"").arg(saved)), 0);
    ASSERT_EQ(send(QStringLiteral("close r")), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{QStringLiteral("idle.wav"), QStringLiteral("tpl.wav")}));
}

TEST_F(Recording, RecordAppendsToTheSamplesOfAnOpenedWav) {
    const QString existing = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_TRUE(sondex::test::writeToneFile(existing, 44100, 440, 0.5, 1.0));
    useEngine();
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias r").arg(existing)), 0);
    ASSERT_EQ(send(QStringLiteral("record r")), 0);
    spinFor(500);
    ASSERT_EQ(send(QStringLiteral("stop r")), 0);
    EXPECT_NEAR(numberReply(QStringLiteral("status r length")), 1500, 150);
    ASSERT_EQ(send(QStringLiteral("save r \"%1\"").arg(existing)), 0);
    EXPECT_NEAR(sondex::test::measureTone(existing, 0, 44100).frequency, 440, 10);
    EXPECT_NEAR(readWavFacts(existing).seconds(), 1.5, 0.15);
}

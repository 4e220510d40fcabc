#include "TestFiles.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace sondex::mci;
using namespace sondex::test;
using sondex::mci::test::NoticeLog;
using sondex::mci::test::spinFor;

namespace {

constexpr qint64 kPlayerId = 77;
constexpr double kToneRms = 0.5 / std::numbers::sqrt2;

// The engine's own playback (a stand-in for a CD unit: a pattern played with
// libpulse) and, beside it, a tone in the same sink, like a desktop notification.
class OwnPlaybackRecording : public ::testing::Test, protected sondex::mci::test::EngineClient {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.failure().toStdString();
        server.applyToThisProcess();
        ASSERT_TRUE(tone.start());
        ASSERT_TRUE(player.start());
    }

    void openDevice(bool recordOwnPlayback) {
        EngineOptions options;
        options.temporaryFolder = dir.path();
        options.recordOwnPlayback = recordOwnPlayback;
        options.playbackStreams = streams;
        engine = std::make_unique<Engine>(options);
        const QString path = dir.filePath(QStringLiteral("tpl.wav"));
        ASSERT_TRUE(sondex::mci::test::writeTemplateWav(path, 44100, 16, 2));
        ASSERT_EQ(send(QStringLiteral("open \"%1\" alias r buffer 4 wait").arg(path)), 0);
    }

    QString save(const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_EQ(send(QStringLiteral("save r \"%1\"").arg(path)), 0);
        return path;
    }

    double patternRms() const {
        double sum = 0;
        for (size_t i = 0; i < pattern.size(); i += 2) sum += double(pattern[i]) * pattern[i];
        return std::sqrt(sum / double(pattern.size() / 2)) / 32768;
    }

    QTemporaryDir dir;
    PrivatePulseServer server;
    // A player with a deep buffer: at 20 ms it runs dry beside other tests on a loaded machine.
    TonePlayer tone{server, 1000, 0.5, 30, 200};
    std::vector<qint16> pattern = makePattern(44100 * 10, 7);
    PatternPlayer player{server, pattern};
    std::shared_ptr<PlaybackStreams> streams = std::make_shared<PlaybackStreams>();
};

}  // namespace

TEST_F(OwnPlaybackRecording, ATakeHoldsThePlayedStreamAloneAndExactlyElseTheDefaultSource) {
    struct Case {
        const char* name;
        bool recordOwnPlayback;
        bool knownToTheServer;
    };
    for (const Case c : {Case{"own playback", true, true}, Case{"switched off", false, true},
                         Case{"a stream the server does not have", true, false}}) {
        SCOPED_TRACE(c.name);
        // Registered after the open: "record" moves the running capture to the stream.
        openDevice(c.recordOwnPlayback);
        streams->add(
            {kPlayerId, c.knownToTheServer ? player.sinkInputIndex() : 999999, player.sinkName()});
        ASSERT_EQ(send(QStringLiteral("record r")), 0);
        spinFor(1200);
        ASSERT_EQ(send(QStringLiteral("stop r")), 0);
        const QString saved = save(QStringLiteral("take.wav"));
        const PatternMatch match = matchPattern(saved, pattern);
        const qint64 frames = readWavFacts(saved).frames;
        if (c.recordOwnPlayback && c.knownToTheServer) {
            EXPECT_GE(match.compared, 2 * 44100);
            EXPECT_EQ(match.differing, 0) << "largest difference " << match.largestDifference;
        } else {
            EXPECT_GT(match.differing, match.compared / 2);
            // The sink's monitor: the pattern and the tone together.
            EXPECT_NEAR(measureTone(saved, frames / 4, frames / 2).rms,
                        std::hypot(patternRms(), kToneRms), 0.03);
        }
        ASSERT_EQ(send(QStringLiteral("close r")), 0);
        streams->remove(kPlayerId);
    }
}

// The take goes on in silence once the stream has gone: its timeline keeps
// the clock, and no other sound is spliced into a CD take.
TEST_F(OwnPlaybackRecording,
       AStreamThatGoesAwayLeavesSilenceUntilStopAndTheNextTakeRecordsTheDefaultSource) {
    streams->add({kPlayerId, player.sinkInputIndex(), player.sinkName()});
    openDevice(true);
    NoticeLog log;
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(send(QStringLiteral("record r notify"), log.target()), 0);
    const double recorded = double(clock.nsecsElapsed()) / 1e9;
    spinFor(700);
    const double gone = double(clock.nsecsElapsed()) / 1e9 - recorded;
    player.stop();
    streams->remove(kPlayerId);
    spinFor(1500);
    EXPECT_TRUE(log.notices.isEmpty()) << "the take goes on";
    const double atLeast = double(clock.nsecsElapsed()) / 1e9 - recorded - 0.001;
    ASSERT_EQ(send(QStringLiteral("stop r")), 0);
    const double atMost = double(clock.nsecsElapsed()) / 1e9 + 0.001;
    ASSERT_TRUE(log.waitFor(1));
    EXPECT_EQ(log.codes(), QList<qint64>{NotifyAborted});

    const QString first = save(QStringLiteral("gone.wav"));
    const WavFacts facts = readWavFacts(first);
    ASSERT_TRUE(facts.readable);
    EXPECT_GE(facts.seconds(), atLeast);
    EXPECT_LE(facts.seconds(), atMost);
    const PatternMatch match = matchPattern(first, pattern);
    EXPECT_EQ(match.differing, 0);
    EXPECT_NEAR(double(match.lastFrame) / 44100, gone, 0.15)
        << "the stream's samples up to its end";
    EXPECT_GT(facts.frames - match.lastFrame, 44100) << "then silence";

    ASSERT_EQ(send(QStringLiteral("record r")), 0);
    spinFor(1200);
    ASSERT_EQ(send(QStringLiteral("stop r")), 0);
    const QString both = save(QStringLiteral("both.wav"));
    const qint64 frames = readWavFacts(both).frames;
    const ToneMeasure second = measureTone(both, frames - 22050, 17640);
    EXPECT_NEAR(second.frequency, 1000, 15);
    EXPECT_NEAR(second.rms, kToneRms, 0.05);
}

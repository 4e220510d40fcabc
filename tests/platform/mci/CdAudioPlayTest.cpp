// The CD device playing on a private sound server: notices, positions that
// follow the played audio, read failures, and a CD take of the disc.
#include "platform/cd/FakeDiscDrive.h"
#include "platform/cd/Msf.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"
#include "CdToneImage.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace sondex::mci;
namespace cd = sondex::cd;
using sondex::test::PrivatePulseServer;
using sondex::mci::test::NoticeLog;
using sondex::mci::test::spinFor;

namespace {

constexpr double kToneHz = 1000;
constexpr double kToneAmplitude = 0.5;

// Unit E: is a disc of three 4-second tracks of a 1 kHz tone: 00:02:00, 00:06:00, 00:10:00, lead-out 00:14:00.
class PlayingCd : public ::testing::Test, protected test::EngineClient {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.failure().toStdString();
        server.applyToThisProcess();
        options.configFolder = dir.filePath(QStringLiteral("config"));
        options.playbackStreams = std::make_shared<PlaybackStreams>();
        cue = test::writeToneImage(dir.path(), QStringLiteral("tone"), 3, 4, kToneHz, kToneAmplitude);
        test::writeCdDrives(options.configFolder, u'E', cue);
    }

    void open() {
        engine = std::make_unique<Engine>(options);
        ASSERT_EQ(send(QStringLiteral("open cdaudio!E: alias tavikCD")), 0);
    }

    qint64 positionFrames() {
        EXPECT_EQ(send(QStringLiteral("status tavikCD position")), 0);
        return cd::msfFrames(reply);
    }

    PrivatePulseServer server;
    QTemporaryDir dir;
    QString cue;
    EngineOptions options;
    NoticeLog log;
};

}  // namespace

TEST_F(PlayingCd, NoticesEndReplaceStopAndClose) {
    open();
    ASSERT_EQ(send(QStringLiteral("play tavikCD from 00:02:00 to 00:02:30 notify"), log.target()), 0);
    ASSERT_TRUE(log.waitFor(1, 5000));
    EXPECT_EQ(log.codes(), QList<qint64>{1});
    EXPECT_EQ(positionFrames(), cd::msfFrames(QStringLiteral("00:02:30")));
    EXPECT_EQ((send(QStringLiteral("status tavikCD mode")), reply), QStringLiteral("stopped"));

    ASSERT_EQ(send(QStringLiteral("play tavikCD from 00:03:00 notify"), log.target()), 0);
    EXPECT_EQ((send(QStringLiteral("status tavikCD mode")), reply), QStringLiteral("playing"));
    ASSERT_EQ(send(QStringLiteral("play tavikCD from 00:04:00")), 0);  // no notify, yet it replaces the play
    ASSERT_EQ(send(QStringLiteral("play tavikCD notify"), log.target()), 0);
    ASSERT_EQ(send(QStringLiteral("stop tavikCD")), 0);
    ASSERT_EQ(send(QStringLiteral("play tavikCD notify"), log.target()), 0);
    ASSERT_EQ(send(QStringLiteral("close tavikCD")), 0);
    ASSERT_TRUE(log.waitFor(4));
    spinFor(200);
    EXPECT_EQ(log.codes(), (QList<qint64>{1, 2, 4, 4}));
    EXPECT_FALSE(options.playbackStreams->current());
}

TEST_F(PlayingCd, PositionFollowsThePlayedAudioAndStopKeepsIt) {
    open();
    const auto stream = options.playbackStreams->current();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->sinkName, server.sinkName());
    // The test play of a disc check: tmsf, from track 1, neither wait nor notify.
    ASSERT_EQ(send(QStringLiteral("set tavikCD time format tmsf")), 0);
    ASSERT_EQ(send(QStringLiteral("play tavikCD from 1")), 0);
    ASSERT_EQ(send(QStringLiteral("set tavikCD time format msf")), 0);
    ASSERT_EQ(send(QStringLiteral("status tavikCD current track")), 0);
    EXPECT_EQ(reply, QStringLiteral("1"));
    // The sound is heard once the sink has played out what it rendered before;
    // from then on the position keeps time with it.
    QElapsedTimer clock;
    clock.start();
    qint64 heardFrom = 150;
    while ((heardFrom = positionFrames()) == 150 && clock.elapsed() < 4000) spinFor(10);
    ASSERT_GT(heardFrom, 150);
    clock.restart();
    spinFor(500);
    const double moved = double(positionFrames() - heardFrom) / 75;
    const double elapsed = double(clock.elapsed()) / 1000;
    EXPECT_GT(moved, elapsed - 0.25);
    EXPECT_LT(moved, elapsed + 0.15);
    ASSERT_EQ(send(QStringLiteral("stop tavikCD")), 0);
    const qint64 stoppedAt = positionFrames();
    spinFor(300);
    EXPECT_EQ(positionFrames(), stoppedAt);
    EXPECT_LT(stoppedAt, cd::msfFrames(QStringLiteral("00:14:00")));
}

TEST_F(PlayingCd, ReadFailuresEndThePlayWithFailure) {
    // The image truncated, or taken away, while it plays; a drive's sector that fails.
    const std::function<void()> faults[] = {
        [this] { QFile::resize(QFileInfo(cue).path() + QStringLiteral("/tone.bin"), 0); },
        [this] { QFile::remove(cue); QFile::remove(QFileInfo(cue).path() + QStringLiteral("/tone.bin")); },
        {},
    };
    for (const auto& fault : faults) {
        log.notices.clear();
        if (!fault) {
            cd::FakeDiscDrive fake;
            fake.disc.tracks = {{1, 150, true}};
            fake.disc.leadOut = 150 + 75 * 20;
            fake.badSectors = {150 + 75};
            options.openDrive = [fake](const QString&) { return std::make_unique<cd::FakeDiscDrive>(fake); };
        } else {
            cue = test::writeToneImage(dir.path(), QStringLiteral("tone"), 3, 4, kToneHz, kToneAmplitude);
        }
        open();
        ASSERT_EQ(send(QStringLiteral("play tavikCD notify"), log.target()), 0);
        spinFor(100);
        if (fault) fault();
        ASSERT_TRUE(log.waitFor(1, 6000));
        EXPECT_EQ(log.codes(), QList<qint64>{8});
        EXPECT_NE((send(QStringLiteral("status tavikCD mode")), reply), QStringLiteral("playing"));
    }
}

// A CD take as the recorder makes one: "record", then "play", on a sink that
// suspends when idle; a notification sounds into the same sink meanwhile.
TEST_F(PlayingCd, ACdTakeHoldsTheDiscExactlyFromItsFirstFrame) {
    ASSERT_TRUE(server.start(true)) << server.failure().toStdString();
    const std::vector<qint16> track = sondex::test::makePattern(44100 * 10, 5);
    cue = test::writeSamplesImage(dir.path(), QStringLiteral("noise"), track);
    test::writeCdDrives(options.configFolder, u'E', cue);
    open();
    const QString wav = dir.filePath(QStringLiteral("template.wav"));
    ASSERT_TRUE(test::writeTemplateWav(wav, 44100, 16, 2));
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias tavikREC wait").arg(wav)), 0);
    ASSERT_EQ(send(QStringLiteral("record tavikREC")), 0);
    ASSERT_EQ(send(QStringLiteral("play tavikCD from 00:02:00")), 0);
    // Heard once the sink has played out what it rendered ahead (up to its 2-second blocks).
    QElapsedTimer clock;
    clock.start();
    while (positionFrames() == 150 && clock.elapsed() < 8000) spinFor(20);
    spinFor(500);
    // At 200 ms the player keeps up beside other tests on a loaded machine.
    sondex::test::TonePlayer notification(server, 880, 0.5, 2, 200);
    ASSERT_TRUE(notification.start(sondex::test::TonePlayer::SinkClock::Keep));
    spinFor(1000);
    ASSERT_EQ(send(QStringLiteral("stop tavikREC")), 0);
    const QString saved = dir.filePath(QStringLiteral("take.wav"));
    ASSERT_EQ(send(QStringLiteral("save tavikREC \"%1\"").arg(saved)), 0);

    const sondex::test::PatternMatch match = sondex::test::matchPattern(saved, track);
    EXPECT_EQ(match.patternFrame, 0) << "silence, then the disc's first frame";
    EXPECT_GT(match.compared, 2 * 44100);
    EXPECT_EQ(match.differing, 0) << "largest difference " << match.largestDifference;
}

#include "cd/CdUnitSounds.h"

#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace sondex;
using cd::StreamVolume;
using test::PrivatePulseServer;

namespace {

constexpr quint32 kThirtyPercent = cd::kFullVolume * 30 / 100;

// Unit E on a private sound server, played the way the engine plays it: a
// stream whose restore id is "sondex-cd-E".
class CdUnitSounds : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.failure().toStdString();
        server.applyToThisProcess();
        tone = server.folder() + QStringLiteral("/disc.wav");
        ASSERT_TRUE(test::writeToneFile(tone, 44100, 440, 0.2, 30));
        table.units = {{QChar(u'E'), tone}};
    }

    void TearDown() override {
        player.kill();
        player.waitForFinished(5000);
    }

    QString pactl(const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(server.clientEnvironment());
        process.start(QStringLiteral("pactl"), arguments);
        EXPECT_TRUE(process.waitForFinished(5000));
        EXPECT_EQ(process.exitCode(), 0) << arguments.join(u' ').toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Plays unit E, then turns its stream down to 30 % and mutes it, as a
    // user would in the mixer; the server remembers that for the unit.
    void playUnitMutedAtThirtyPercent() {
        player.setProcessEnvironment(server.clientEnvironment());
        player.start(QStringLiteral("paplay"),
                     {QStringLiteral("--property=module-stream-restore.id=sondex-cd-E"),
                      QStringLiteral("--device=") + server.sinkName(), tone});
        ASSERT_TRUE(player.waitForStarted(5000));
        QString input;
        ASSERT_TRUE(waitFor([&] {
            input = pactl({QStringLiteral("list"), QStringLiteral("short"),
                           QStringLiteral("sink-inputs")})
                        .section(u'\t', 0, 0);
            return !input.isEmpty();
        }));
        pactl({QStringLiteral("set-sink-input-volume"), input, QStringLiteral("30%")});
        pactl({QStringLiteral("set-sink-input-mute"), input, QStringLiteral("1")});
        ASSERT_TRUE(waitFor([] {
            const auto stored = cd::connectCdStreamVolumes()->storedVolume(u'E');
            return stored && stored->muted && stored->highest == kThirtyPercent;
        }));
    }

    static bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }

    // The repair's server part, on a connection of its own.
    CdRepairPlan repair() {
        const auto volumes = cd::connectCdStreamVolumes();
        const CdRepairPlan plan = planCdVolumeRepair(findCdUnitSounds(table, *volumes));
        EXPECT_TRUE(applyCdRepair(plan, *volumes));
        return plan;
    }

    static void expectFullAndOn(const std::optional<StreamVolume>& volume) {
        ASSERT_TRUE(volume.has_value());
        EXPECT_TRUE(volume->hasVolume);
        EXPECT_EQ(volume->lowest, cd::kFullVolume);
        EXPECT_EQ(volume->highest, cd::kFullVolume);
        EXPECT_FALSE(volume->muted);
    }

    PrivatePulseServer server;
    QString tone;
    cd::CdUnitTable table;
    QProcess player;
};

}  // namespace

TEST_F(CdUnitSounds, AMutedUnitIsTurnedOnWhetherRememberedOrPlayingAndSoIsAMutedDefaultSink) {
    const QString turnedOn = QStringLiteral("E番のＣＤドライブのボリュームをＯＮに変更しました。");
    // Remembered muted at 30 % with nothing playing, and the default sink muted too.
    playUnitMutedAtThirtyPercent();
    player.kill();
    player.waitForFinished(5000);
    pactl({QStringLiteral("set-sink-mute"), server.sinkName(), QStringLiteral("1")});
    ASSERT_FALSE(cd::connectCdStreamVolumes()->playingVolume(u'E').has_value());
    EXPECT_TRUE(repair().unmuteDefaultSink);
    auto after = cd::connectCdStreamVolumes();
    expectFullAndOn(after->storedVolume(u'E'));
    EXPECT_EQ(after->defaultSinkMuted(), false);
    EXPECT_FALSE(repair().lines.contains(turnedOn));  // nothing is left to turn on

    // Playing and turned down again: the playing stream is turned on as well.
    playUnitMutedAtThirtyPercent();
    EXPECT_EQ(repair().lines.value(0), turnedOn);
    after = cd::connectCdStreamVolumes();
    expectFullAndOn(after->storedVolume(u'E'));
    expectFullAndOn(after->playingVolume(u'E'));
}

TEST(CdUnitSoundsWithoutServer, AServerThatNeverAnswersCostsNoMoreThanTheTimeout) {
    QTemporaryDir dir;
    QLocalServer silent;  // accepts the connection and never speaks
    ASSERT_TRUE(silent.listen(dir.filePath(QStringLiteral("silent.sock"))));
    const QStringList addresses{
        QStringLiteral("unix:") + silent.fullServerName(),
        QStringLiteral("unix:") + dir.filePath(QStringLiteral("none.sock"))};
    for (const QString& address : addresses) {
        SCOPED_TRACE(address.toStdString());
        qputenv("PULSE_SERVER", address.toUtf8());
        QElapsedTimer clock;
        clock.start();
        const auto volumes = cd::connectCdStreamVolumes(300);
        cd::CdUnitTable table;
        table.units = {{QChar(u'E'), dir.path()}};
        const CdRepairPlan plan = planCdVolumeRepair(findCdUnitSounds(table, *volumes));
        EXPECT_FALSE(volumes->storeFullVolume(u'E'));
        EXPECT_FALSE(volumes->unmuteDefaultSink());
        EXPECT_LT(clock.elapsed(), 1500);
        EXPECT_EQ(plan.lines.value(plan.lines.size() - 2),
                  QStringLiteral("ボリュームを変更する必要はありませんでした。"));
    }
}

// CD play recorded along through the whole recorder: a second start of the
// program hands its command line over, the real window plays a three-track
// disc image on the real device engine and records each entry into its own
// file, on a private sound server whose sink suspends when idle.
#include "support/CdSequenceRig.h"
#include "support/pulse/WavFacts.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class CdSequenceEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString(); }

    void run(const QStringList& arguments) {
        ASSERT_TRUE(rig.run(arguments, 120000)) << rig.failure().toStdString();
    }

    // Every file holds its track sample for sample after the take's lead of
    // silence, and has its log line naming the unit, the track and the file.
    void expectRecorded(const QList<int>& tracks) {
        const QStringList files = rig.savedFiles();
        const QStringList log = rig.logLines();
        ASSERT_EQ(files.size(), tracks.size()) << files.join(u' ').toStdString();
        ASSERT_EQ(log.size(), tracks.size()) << log.join(u'\n').toStdString();
        for (qsizetype i = 0; i < tracks.size(); ++i) {
            const test::TrackMatch match = test::alignTrack(files[i], rig.track(tracks[i]));
            EXPECT_TRUE(match.found) << files[i].toStdString();
            EXPECT_EQ(match.differing, 0) << files[i].toStdString() << ": track " << tracks[i] << " at frame "
                                          << match.offset << " of " << match.takeFrames << ", its last "
                                          << match.missingTail << " frames missing";
            EXPECT_GE(match.offset, 0);
            const QString line = log[i];
            EXPECT_TRUE(line.contains(QStringLiteral(" E:"))) << line.toStdString();
            EXPECT_TRUE(line.contains(QStringLiteral("1-3 %1").arg(tracks[i], 2))) << line.toStdString();
            EXPECT_TRUE(line.contains(QFileInfo(files[i]).fileName())) << line.toStdString();
        }
        EXPECT_TRUE(rig.boxTexts().isEmpty()) << rig.boxTexts().join(u'\n').toStdString();
    }

    test::CdSequenceRig rig{3, QStringLiteral(SONDEX_BINARY)};
};

TEST_F(CdSequenceEndToEndTest, PlayAndCloseSwitchesRecordTheRegisteredListTrackByTrackThenTheProgramCloses) {
    run({QStringLiteral("/PC"), QStringLiteral("/C")});
    EXPECT_TRUE(rig.closedItself());
    expectRecorded({1, 2, 3});
}

TEST_F(CdSequenceEndToEndTest, ATrackFileAloneRecordsOnlyItsTrack) {
    run({QStringLiteral("E:Track02.cda")});
    EXPECT_FALSE(rig.closedItself());
    expectRecorded({2});
}

}  // namespace
}  // namespace sondex

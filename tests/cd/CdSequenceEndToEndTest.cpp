// CD play recorded along through the whole recorder: a second start of the
// program hands its command line over, the real window plays a three-track
// disc image on the real device engine and records each entry into its own
// file, on a private sound server whose sink suspends when idle.
#include "support/FileBytes.h"
#include "support/RecorderRig.h"
#include "support/pulse/WavFacts.h"

#include "platform/AppPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <functional>

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

    // `strike` comes while the first track plays. That entry is saved and
    // logged, and the program still closes; the last box reports why the
    // others could not play.
    void expectFirstEntryKept(const std::function<void()>& strike, const QString& report) {
        ASSERT_TRUE(rig.run({QStringLiteral("/PC"), QStringLiteral("/C")}, 120000,
                            [&] { QTimer::singleShot(2500, strike); }))
            << rig.failure().toStdString();
        EXPECT_TRUE(rig.closedItself());
        ASSERT_EQ(rig.savedFiles().size(), 1);
        EXPECT_GT(QFileInfo(rig.savedFiles().first()).size(), 44 + 4 * 44100) << "at least a second of the track";
        EXPECT_EQ(rig.logLines().size(), 1);
        ASSERT_FALSE(rig.boxTexts().isEmpty());
        EXPECT_EQ(rig.boxTexts().constLast(), report);
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

TEST_F(CdSequenceEndToEndTest, AnImageDeletedWhileItPlaysKeepsTheEntryInHand) {
    expectFirstEntryKept([this] { QFile::remove(rig.discFolder() + QStringLiteral("/disc.bin")); },
                         QStringLiteral("再生エラー： [ E:]ドライブ\nCDが入っていません・・・"));
}

TEST_F(CdSequenceEndToEndTest, ADataDiscSwappedInKeepsTheEntryInHand) {
    expectFirstEntryKept(
        [this] {
            const QString cue = rig.discFolder() + QStringLiteral("/data.cue");
            ASSERT_TRUE(test::writeBytes(rig.discFolder() + QStringLiteral("/data.bin"), QByteArray(2352 * 300, '\0')) &&
                        test::writeBytes(cue, "FILE \"data.bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n") &&
                        test::writeBytes(paths::configFolder() + QStringLiteral("CDDRIVES.INI"),
                                         "[CDDRIVES]\r\nE=" + cue.toUtf8() + "\r\n"));
        },
        QStringLiteral("再生エラー： [ E:]ドライブ\n音楽ＣＤ(CDDA)では、ありません。"));
}

}  // namespace
}  // namespace sondex

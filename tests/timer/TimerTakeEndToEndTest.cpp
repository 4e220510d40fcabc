// The time-of-day timer through the whole recorder: the program starts with
// the timer running from the last exit, finds its entry in force, records it
// unattended to the entry's end, saves and logs the take, and closes itself
// because the entry ends with C.
#include "platform/AppPaths.h"
#include "platform/IniSettingsStore.h"
#include "support/RecorderRig.h"
#include "support/pulse/WavFacts.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(TimerTakeEndToEndTest, AnEntryInForceAtStartUpIsRecordedToItsEndSavedLoggedAndTheProgramCloses) {
    constexpr int kSecondsLeft = 6;
    test::TimerTakeRig rig(kSecondsLeft, QStringLiteral(SONDEX_BINARY));
    ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString();
    ASSERT_TRUE(rig.run({}, 40000)) << rig.failure().toStdString();

    EXPECT_TRUE(rig.closedItself()) << rig.boxTexts().join(u'|').toStdString();
    const QStringList saved = rig.savedFiles();
    ASSERT_EQ(saved.size(), 1) << saved.join(u' ').toStdString();
    // The entry's end, not a start-up later: the take runs from the start-up
    // to the end minute, a whole second of the take's own tick at most beyond.
    const test::WavFacts wav = test::readWavFacts(saved.front());
    EXPECT_GE(wav.seconds(), kSecondsLeft - 3.0);
    EXPECT_LE(wav.seconds(), kSecondsLeft + 1.5);
    const QStringList log = rig.logLines();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log.front().contains(QFileInfo(saved.front()).fileName())) << log.front().toStdString();
}

// Entries back to back that stop and save give a take each, the first too,
// which starts while the manual timer is still off.
TEST(TimerTakeEndToEndTest, BackToBackEntriesThatStopAndSaveGiveATakeEach) {
    constexpr int kSecondsLeft = 4;
    test::TimerTakeRig rig(kSecondsLeft, QStringLiteral(SONDEX_BINARY), 9000,
                           {QStringLiteral("08:00-08:01 E 44S16"), QStringLiteral("08:01-08:02 E 44S16")});
    ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString();
    ASSERT_TRUE(rig.run({}, 30000)) << rig.failure().toStdString();

    const QStringList saved = rig.savedFiles();
    ASSERT_EQ(saved.size(), 2) << saved.join(u' ').toStdString();
    const double first = test::readWavFacts(saved.front()).seconds();
    EXPECT_GE(first, kSecondsLeft - 3.0);
    EXPECT_LE(first, kSecondsLeft + 1.5);
    EXPECT_EQ(rig.logLines().size(), 2);
}

// Closed mid-take (the machine shutting down), the take is saved, and the
// timer is stored as running so that the next start resumes it.
TEST(TimerTakeEndToEndTest, AProgramClosedDuringATimerTakeSavesItAndResumesTheTimerNextTime) {
    test::TimerTakeRig rig(40, QStringLiteral(SONDEX_BINARY), 2000);
    ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString();
    ASSERT_TRUE(rig.run({}, 30000)) << rig.failure().toStdString();

    const QStringList saved = rig.savedFiles();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_LT(test::readWavFacts(saved.front()).seconds(), 10.0);
    EXPECT_EQ(IniSettingsStore(paths::settingsFile()).readText(QStringLiteral("JK")), QStringLiteral("実行中"));
}

}  // namespace
}  // namespace sondex

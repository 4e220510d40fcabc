// The runner on a fake clock: when takes start, how long they are, what it
// does when it cannot record, when the clock jumps, and a whole week.
#include "TimerWeekRig.h"

#include "timer/TimerFiles.h"

#include <QTimeZone>
#include <QTimer>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using test::TimerWeekRig;

// 2026-12-07 is a Monday.
QDateTime at(int day, const char* time) {
    return QDateTime(QDate(2026, 12, 7 + day),
                     QTime::fromString(QString::fromLatin1(time), u"hh:mm:ss.zzz"),
                     QTimeZone::utc());
}

const QStringList kMorning{QStringLiteral("07:00-07:30 E 44S16"),
                           QStringLiteral("08:00-08:30 C 22M 8")};

TEST(TimeOfDayTimerTest, AnEmptyScheduleLeavesItStoppedAndAStartUpRestartsItOnlyIfItRan) {
    TimerWeekRig rig(timerfiles::Daily, at(0, "06:30:00.000"));
    rig.start();
    EXPECT_EQ(rig.notices, QStringList{QStringLiteral("タイマー登録データがありません・・・")});
    const auto& view = rig.runner().view();
    EXPECT_FALSE(rig.runner().isRunning());
    EXPECT_EQ(view.runText, QStringLiteral("停止中"));
    EXPECT_TRUE(view.startShown && view.startEnabled);
    EXPECT_FALSE(view.panelShown || view.labelsShown);
    EXPECT_FALSE(rig.runner().Timer_JK().isActive());
    EXPECT_FALSE(rig.sleep.held);

    // At start-up it starts again only when it was running at the last exit.
    EXPECT_FALSE(rig.runner().runAutomaticStart({}));
    rig.writeList(0, kMorning);
    rig.settings().setText(Setting::JK, QStringLiteral("実行中"));
    EXPECT_TRUE(rig.runner().runAutomaticStart({}));
    EXPECT_TRUE(rig.runner().isRunning());
}

TEST(TimeOfDayTimerTest, StartsInsideAnEntryAtOnceAndOtherwiseAtTheStartMinute) {
    TimerWeekRig rig(timerfiles::Daily, at(0, "07:10:20.300"));
    rig.writeList(0, kMorning);
    rig.start();
    ASSERT_EQ(rig.takes.size(), 1);
    EXPECT_EQ(rig.takes[0].seconds, 1180);
    EXPECT_EQ(rig.takes[0].action, u'E');
    const auto& view = rig.runner().view();
    EXPECT_EQ(view.shade, TimeOfDayTimer::Shade::Recording);
    EXPECT_EQ(view.entryText, QStringLiteral("TM07:00-07:30 E"));
    EXPECT_EQ(view.formatText, QStringLiteral("44S16"));
    EXPECT_FALSE(rig.runner().Timer_JK().isActive());  // no tick while its recording runs
    EXPECT_TRUE(rig.sleep.held);

    // After the take the runner waits for 08:00, coarse, and fine from 07:59.
    rig.runUntil(at(0, "07:59:31.000"));
    EXPECT_EQ(view.shade, TimeOfDayTimer::Shade::Waiting);
    EXPECT_EQ(view.formatText, QStringLiteral("22M 8"));
    EXPECT_EQ(rig.runner().Timer_JK().interval(), TimeOfDayTimer::kFineMs);
    rig.runUntil(at(0, "08:00:01.000"));
    ASSERT_EQ(rig.takes.size(), 2);
    EXPECT_LE(at(0, "08:00:00.000").msecsTo(rig.takes[1].at), 1000);
    EXPECT_LE(rig.takes[1].seconds, 1800);
    EXPECT_EQ(rig.takes[1].action, u'C');

    rig.runner().Button_JK_STOPClick();
    EXPECT_FALSE(rig.runner().isRunning());
    EXPECT_FALSE(rig.sleep.held);
}

TEST(TimeOfDayTimerTest, WhenItCannotRecordItWaitsForTheNextEntry) {
    for (bool failingPrepare : {false, true}) {
        SCOPED_TRACE(failingPrepare ? "preparing fails" : "a CD recording runs");
        TimerWeekRig rig(timerfiles::Daily, at(0, "07:10:00.000"));
        rig.writeList(0, kMorning);
        rig.cdBlocks = !failingPrepare;
        rig.prepareFails = failingPrepare;
        rig.start();
        EXPECT_TRUE(rig.takes.isEmpty());
        EXPECT_TRUE(rig.runner().isRunning());
        EXPECT_EQ(rig.runner().view().shade, TimeOfDayTimer::Shade::Waiting);
        EXPECT_TRUE(rig.runner().Timer_JK().isActive());
        rig.cdBlocks = rig.prepareFails = false;
        rig.runUntil(at(0, "08:00:01.000"));
        ASSERT_EQ(rig.takes.size(), 1);
        EXPECT_EQ(rig.takes[0].at.time().hour(), 8);
    }
}

// Named once, and however much a damaged file holds, the box stays small.
TEST(TimeOfDayTimerTest, UnreadableLinesAreNamedOnceShortAndSkipped) {
    TimerWeekRig rig(timerfiles::Daily, at(0, "06:00:00.000"));
    rig.writeList(0, kMorning + QStringList{QStringLiteral("25:00-26:00 E 44S16")});
    rig.start();
    rig.start();
    EXPECT_EQ(
        rig.notices,
        QStringList{QStringLiteral("読めない登録時刻を飛ばしました・・・\n25:00-26:00 E 44S16")});
    EXPECT_TRUE(rig.runner().isRunning());

    QStringList damaged;
    for (int i = 0; i < 20; ++i) damaged.append(QStringLiteral("x%1").arg(i) + QString(5000, u'録'));
    rig.writeList(0, kMorning + damaged);
    rig.start();
    ASSERT_EQ(rig.notices.size(), 2);
    const QStringList shown = rig.notices[1].split(u'\n');
    EXPECT_EQ(shown.size(), 1 + 8 + 1);
    for (const QString& line : shown.mid(1)) EXPECT_LE(line.toUtf8().size(), 40 + 3);  // and "…"
}

// The clock set forward into an entry starts it at once; set over a whole
// entry, that entry is not made up; set back before one, it starts on time.
TEST(TimeOfDayTimerTest, AClockJumpReDerivesWhatIsInForce) {
    struct Case {
        const char* what;
        qint64 jumpMs;
        QList<int> startHours;
    };
    const Case cases[] = {
        {"into the first entry", 40 * 60 * 1000, {7, 8}},
        {"over the first entry", 70 * 60 * 1000, {8}},
        {"back before it", -60 * 60 * 1000, {7, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TimerWeekRig rig(timerfiles::Daily, at(0, c.jumpMs < 0 ? "07:40:00.000" : "06:30:00.000"));
        rig.writeList(0, kMorning);
        rig.start();
        rig.runUntil(rig.now.addSecs(5));
        rig.setJumpingClock(c.jumpMs);
        rig.runUntil(at(0, "08:30:00.000"));
        QList<int> hours;
        for (const auto& take : rig.takes) hours.append(take.at.time().hour());
        EXPECT_EQ(hours, c.startHours);
        if (c.jumpMs == 40 * 60 * 1000) {  // at the next tick, and only to the entry's end
            const auto& take = rig.takes[0];
            EXPECT_LE(at(0, "07:10:05.000").msecsTo(take.at),
                      TimeOfDayTimer::kCoarseMs + TimeOfDayTimer::kFineMs);
            EXPECT_EQ(take.seconds,
                      (7 * 60 + 30) * 60 - take.at.time().msecsSinceStartOfDay() / 1000);
        }
    }
}

TEST(TimeOfDayTimerTest, AWeekOfEntriesStartsEachOnceWithinASecond) {
    for (int mode : {timerfiles::Daily, timerfiles::Weekdays, timerfiles::Weekly}) {
        SCOPED_TRACE(mode);
        const QDateTime from = at(0, "03:00:17.250");
        const QDateTime until = from.addDays(7);
        TimerWeekRig rig(mode, from);
        rig.pendingTicks = true;
        const QList<QStringList> lists = test::weekScenario(mode);
        for (int i = 0; i < lists.size(); ++i) rig.writeList(i, lists[i]);
        rig.start();
        rig.runUntil(until);
        const test::WeekFigures figures =
            test::compare(test::expectedStarts(mode, lists, from, until), rig.takes);
        EXPECT_GE(figures.expected, 8);
        EXPECT_EQ(figures.made, figures.expected);
        EXPECT_EQ(figures.missed, 0);
        EXPECT_EQ(figures.doubled, 0);
        EXPECT_EQ(figures.stray, 0);
        EXPECT_LE(figures.worstErrorMs, 1000);
        QString actions;
        bool resumed = false;
        for (const auto& take : rig.takes) {
            if (!actions.contains(take.action)) actions += take.action;
            resumed = resumed || take.resumed;
        }
        EXPECT_EQ(actions.size(), 4) << actions.toStdString();
        EXPECT_TRUE(resumed);  // the action N leaves the take paused for the next entry
        EXPECT_TRUE(rig.runner().isRunning());
    }
}

}  // namespace
}  // namespace sondex

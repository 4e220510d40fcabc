// The week's schedule and what start decides from it at a given moment.
#include "timer/TimerFiles.h"
#include "timer/TimerSchedule.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using namespace timerschedule;

// 2026-12-07 is a Monday.
QDateTime at(int day, const char* time) {
    return QDateTime(QDate(2026, 12, 7 + day),
                     QTime::fromString(QString::fromLatin1(time), u"hh:mm:ss"), QTimeZone::utc());
}

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list.append(QString::fromUtf8(text));
    return list;
}

TEST(TimerScheduleTest, StartFindsTheEntryInForceOrTheNextOne) {
    struct Case {
        const char* what;
        int mode;
        QList<QStringList> lists;
        QDateTime now;
        bool inForce;
        const char* chosen;  // start key of the chosen line
        int seconds;
        const char* prepare;
    };
    // clang-format off
    const Case cases[] = {
        {"inside an entry", timerfiles::Daily, {lines({"07:00-07:30 E 44S16"})}, at(0, "07:10:20"), true, "007:00", 1180, "006:59"},
        {"before it", timerfiles::Daily, {lines({"07:00-07:30 E 44S16"})}, at(0, "06:30:00"), false, "007:00", 0, "006:59"},
        {"daily over midnight", timerfiles::Daily, {lines({"23:30-00:30 E 44S16"})}, at(1, "00:10:00"), true, "023:30", 1200, "023:29"},
        {"Sunday into Monday", timerfiles::Weekly, {{}, {}, {}, {}, {}, {}, lines({"23:00-01:00 E 44S16"})},
         at(7, "00:30:00"), true, "623:00", 1800, "622:59"},
        {"midnight start is prepared the day before", timerfiles::Weekly, {{}, lines({"00:00-01:00 E 44S16"})},
         at(0, "12:00:00"), false, "100:00", 0, "023:59"},
        {"weekdays from Saturday", timerfiles::Weekdays, {lines({"08:00-09:00 E 44S16"})}, at(5, "10:00:00"), false,
         "008:00", 0, "007:59"},
        {"start equal to end", timerfiles::Daily, {lines({"07:00-07:00 E 44S16", "08:00-09:00 E 44S16"})},
         at(0, "07:00:00"), false, "008:00", 0, "007:59"},
        {"an overlapped entry is over when the first ends", timerfiles::Daily,
         {lines({"07:00-09:00 E 44S16", "08:00-08:30 E 44S16"})}, at(0, "09:00:00"), false, "007:00", 0, "006:59"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList schedule = fromLists(c.mode, c.lists).lines;
        const Decision decision = decide(schedule, c.mode, c.now);
        ASSERT_GE(decision.chosen, 0);
        EXPECT_EQ(decision.inForce, c.inForce);
        EXPECT_EQ(startKey(schedule[decision.chosen]), QString::fromUtf8(c.chosen));
        EXPECT_EQ(decision.recordingSeconds, c.seconds);
        EXPECT_EQ(decision.prepareKey, QString::fromUtf8(c.prepare));
    }
    EXPECT_EQ(fromLists(timerfiles::Weekdays, {lines({"08:00-09:00 E 44S16"})}).lines.size(), 5);
}

TEST(TimerScheduleTest, TheEndActionAndTheFormatAreReadFromTheirPlaces) {
    struct Case {
        const char* line;
        QChar action;
        const char* shown;
        int rateIndex;
        bool stereo, sixteenBits;
    };
    // clang-format off
    const Case cases[] = {
        {"007:00-07:30 N 44S16", u'N', "44S16", 7, true, true},
        {"007:00-07:30 E  8M 8", u'E', " 8M 8", 0, false, false},
        {"007:00-07:30 C 48s16", u'C', "48s16", 8, true, true},
        {"007:00-07:30 W 11M16", u'W', "11M16", 1, false, true},
        {"007:00-07:30 X 44S16", u'N', "44S16", 7, true, true},
        {"007:00-07:30 E 44S1", u'E', "---", -1, false, false},
        {"007:00-07:30 E 45S16", u'E', "---", -1, false, false},
        {"007:00-07:30 E 44X16", u'E', "---", -1, false, false},
        {"007:00-07:30 E 44S12", u'E', "---", -1, false, false},
        {"007:00-07:30", u'N', "---", -1, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        const QString line = QString::fromUtf8(c.line);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(endAction(line), c.action);
        EXPECT_EQ(formatText(line), QString::fromUtf8(c.shown));
        const auto format = formatChoice(line);
        ASSERT_EQ(format.has_value(), c.rateIndex >= 0);
        if (!format) continue;
        EXPECT_EQ(format->rateIndex, c.rateIndex);
        EXPECT_EQ(format->stereo, c.stereo);
        EXPECT_EQ(format->sixteenBits, c.sixteenBits);
    }
}

TEST(TimerScheduleTest, LinesThatAreNoTimesAreLeftOutAndNamed) {
    const Schedule schedule = fromLists(
        timerfiles::Daily,
        {lines({"07:00-07:30 E 44S16", "7:00-07:30 E 44S16", "24:00-01:00 E 44S16", "07:60-08:00 E",
                "ab:cd-ef:gh", "07:00", "", "07:00-07:30 E 44S16", "23:59-00:00"})});
    EXPECT_EQ(schedule.lines, lines({"007:00-07:30 E 44S16", "023:59-00:00"}));
    EXPECT_EQ(schedule.unreadable, lines({"7:00-07:30 E 44S16", "24:00-01:00 E 44S16",
                                          "07:60-08:00 E", "ab:cd-ef:gh", "07:00"}));
    EXPECT_EQ(decide({}, timerfiles::Daily, at(0, "07:00:00")).chosen, -1);
}

}  // namespace
}  // namespace sondex

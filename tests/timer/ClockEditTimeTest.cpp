// The clock window's steps: one-touch moves from the present time, and the
// spins of the edit time with their carries and month ends.
#include "timer/ClockEditTime.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <functional>

namespace sondex {
namespace {

using clockedit::OneTouch;
using clockedit::Unit;

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text),
                                 QStringLiteral("yyyy/MM/dd hh:mm:ss.zzz"));
}

std::function<QDateTime(const QDateTime&)> touch(OneTouch step) {
    return [step](const QDateTime& now) { return clockedit::oneTouch(now, step); };
}

std::function<QDateTime(const QDateTime&)> spin(Unit unit, bool up) {
    return [unit, up](const QDateTime& edit) { return clockedit::stepped(edit, unit, up); };
}

TEST(ClockEditTimeTest, StepsCarryAndKeepDatesValid) {
    const struct {
        const char* what;
        const char* from;
        std::function<QDateTime(const QDateTime&)> step;
        const char* expected;
    } cases[] = {
        {"-00s", "2001/03/31 10:15:42.500", touch(OneTouch::Zero), "2001/03/31 10:15:00.000"},
        {"-30s", "2001/03/31 10:15:42.500", touch(OneTouch::Minus30), "2001/03/31 10:15:12.500"},
        {"-10s", "2001/03/31 10:15:42.500", touch(OneTouch::Minus10), "2001/03/31 10:15:32.500"},
        {"+10s over midnight", "2000/12/31 23:59:55.000", touch(OneTouch::Plus10),
         "2001/01/01 00:00:05.000"},
        {"+30s", "2001/03/31 10:15:42.500", touch(OneTouch::Plus30), "2001/03/31 10:16:12.500"},
        {"month down to February's end", "2001/03/31 12:00:00.000", spin(Unit::Month, false),
         "2001/02/28 12:00:00.000"},
        {"month up into a leap February", "2000/01/31 08:00:00.000", spin(Unit::Month, true),
         "2000/02/29 08:00:00.000"},
        {"month up into the next year", "2000/12/15 08:00:00.000", spin(Unit::Month, true),
         "2001/01/15 08:00:00.000"},
        {"month down into the last year", "2001/01/10 08:00:00.000", spin(Unit::Month, false),
         "2000/12/10 08:00:00.000"},
        {"year up from a leap day", "2000/02/29 08:00:00.000", spin(Unit::Year, true),
         "2001/02/28 08:00:00.000"},
        {"year never below 1", "0001/06/01 08:00:00.000", spin(Unit::Year, false),
         "0001/06/01 08:00:00.000"},
        {"hour up over midnight", "2001/03/31 23:30:00.000", spin(Unit::Hour, true),
         "2001/04/01 00:30:00.000"},
        {"second down over new year", "2001/01/01 00:00:00.000", spin(Unit::Second, false),
         "2000/12/31 23:59:59.000"},
        {"minute up", "2001/03/31 10:59:10.000", spin(Unit::Minute, true),
         "2001/03/31 11:00:10.000"},
        {"day up onto a leap day", "2000/02/28 10:00:00.000", spin(Unit::Day, true),
         "2000/02/29 10:00:00.000"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(at(c.from).isValid()) << c.what;
        EXPECT_EQ(c.step(at(c.from)), at(c.expected)) << c.what;
    }
}

}  // namespace
}  // namespace sondex

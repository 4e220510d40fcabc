#pragma once

#include <QDateTime>
#include <QString>

// The arithmetic of the clock-setting window: the one-touch steps from the
// present time, and the steps of the date and time being composed.
namespace sondex::clockedit {

enum class OneTouch { Minus30, Minus10, Zero, Plus10, Plus30 };

// The time the clock is set to when a one-touch button is pressed at `now`.
// "-00s" clears the seconds; the others move by their fraction of a day,
// a hair under 10 or 30 seconds, which comes to the whole seconds at
// millisecond resolution.
QDateTime oneTouch(const QDateTime& now, OneTouch step);

enum class Unit { Second, Minute, Hour, Day, Month, Year };

// One spin step (`up` or down) of the edit time, on the date and time as
// shown, so carries run into the larger units. A month or year step keeps the
// time of day and lowers the day until the date exists (31 March minus a
// month is 28 or 29 February); the year never goes below 1.
QDateTime stepped(const QDateTime& edit, Unit unit, bool up);

// "yyyy/mm/dd aaa hh:nn:ss", for example "2000/03/22 水 05:00:00".
QString shownText(const QDateTime& moment);

}  // namespace sondex::clockedit

#include "timer/ClockEditTime.h"

#include "platform/JapaneseCalendar.h"

#include <QDate>
#include <QTime>

namespace sondex::clockedit {
namespace {

constexpr double kMsPerDay = 86400000.0;
constexpr double kTenSecondsAsDays = 0.00011574;
constexpr double kThirtySecondsAsDays = 0.000347222;

qint64 daysAsMs(double days) {
    return qRound64(days * kMsPerDay);
}

// Spins work on the date and time as shown, not on the moment: a spin over a
// daylight-saving change still moves the shown hour by one.
QDateTime onWallClock(const QDateTime& edit, qint64 ms) {
    const QDateTime wall = QDateTime(edit.date(), edit.time(), Qt::UTC).addMSecs(ms);
    return QDateTime(wall.date(), wall.time(), edit.timeSpec());
}

QDateTime onCalendar(const QDateTime& edit, int months) {
    const QDate date = edit.date();
    int year = date.year();
    int month = date.month() + months;
    if (month < 1) {
        month += 12;
        --year;
    } else if (month > 12) {
        month -= 12;
        ++year;
    }
    if (year < 1) year = 1;
    int day = date.day();
    while (day > 1 && !QDate::isValid(year, month, day)) --day;
    return QDateTime(QDate(year, month, day), edit.time(), edit.timeSpec());
}

}  // namespace

QDateTime oneTouch(const QDateTime& now, OneTouch step) {
    switch (step) {
        case OneTouch::Minus30:
            return now.addMSecs(-daysAsMs(kThirtySecondsAsDays));
        case OneTouch::Minus10:
            return now.addMSecs(-daysAsMs(kTenSecondsAsDays));
        case OneTouch::Zero:
            return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()),
                             now.timeSpec());
        case OneTouch::Plus10:
            return now.addMSecs(daysAsMs(kTenSecondsAsDays));
        case OneTouch::Plus30:
            return now.addMSecs(daysAsMs(kThirtySecondsAsDays));
    }
    return now;
}

QDateTime stepped(const QDateTime& edit, Unit unit, bool up) {
    const int sign = up ? 1 : -1;
    switch (unit) {
        case Unit::Second:
            return onWallClock(edit, sign * 1000LL);
        case Unit::Minute:
            return onWallClock(edit, sign * 60 * 1000LL);
        case Unit::Hour:
            return onWallClock(edit, sign * 3600 * 1000LL);
        case Unit::Day:
            return onWallClock(edit, sign * 86400 * 1000LL);
        case Unit::Month:
            return onCalendar(edit, sign);
        case Unit::Year:
            return onCalendar(edit, sign * 12);
    }
    return edit;
}

QString shownText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy/MM/dd ")) + calendar::shortDayName(moment.date()) +
           moment.toString(QStringLiteral(" hh:mm:ss"));
}

}  // namespace sondex::clockedit

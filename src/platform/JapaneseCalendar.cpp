#include "platform/JapaneseCalendar.h"

namespace sondex::calendar {

QString shortDayName(const QDate& date) {
    static const char* const kNames[] = {"月", "火", "水", "木", "金", "土", "日"};
    const int day = date.dayOfWeek();
    return day >= 1 && day <= 7 ? QString::fromUtf8(kNames[day - 1]) : QString();
}

QString weekdayLabel(const QDate& date) { return shortDayName(date) + QStringLiteral("曜"); }

QString dateTimeText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yy/MM/dd ")) + shortDayName(moment.date()) +
           moment.toString(QStringLiteral(" hh:mm:ss"));
}

}  // namespace sondex::calendar

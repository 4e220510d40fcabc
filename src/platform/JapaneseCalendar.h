#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Day names and date texts in fixed Japanese, whatever the system locale.
namespace sondex::calendar {

// 日 月 火 水 木 金 土 for the date's weekday.
QString shortDayName(const QDate& date);

// The weekday label, for example "日曜".
QString weekdayLabel(const QDate& date);

// "yy/mm/dd ddd hh:mm:ss", for example "26/12/06 日 13:05:09".
QString dateTimeText(const QDateTime& moment);

}  // namespace sondex::calendar

#pragma once

#include <QChar>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The week the time-of-day timer runs: its schedule lines, their keys, and the
// decision what to record now or wait for. Pure functions of the lines and the
// present moment.
//
// A schedule line is a weekday digit (0 Monday .. 6 Sunday; always 0 in the
// daily mode) followed by an entry line "hh:mm-hh:mm A FFFFF": start, end,
// end action letter, format code. A key is a digit and "hh:mm"; keys compare
// as text, so by weekday, then by time.
namespace sondex::timerschedule {

struct Schedule {
    QStringList lines;       // ascending, each line once
    QStringList unreadable;  // entry lines left out: short, or a time that is no time
};

// The week from every list of `mode`: `lists[i]` holds the lines of sub-list i
// (the daily mode uses lists[0] only). The weekdays list counts for Monday to
// Friday.
Schedule fromLists(int mode, const QList<QStringList>& lists);
// The same, read from the mode's files in `folder` (with a trailing "/").
Schedule read(int mode, const QString& folder, const QString& groupName);

// True when the entry line's times are two-digit hours below 24 and minutes below 60.
bool usableEntry(const QString& entry);

// 0 (Monday) .. 6 (Sunday) from the date's fixed Japanese day name; always 0 in the daily mode.
int weekdayDigit(const QDate& date, int mode);
QString currentKey(const QDateTime& now, int mode);
QString startKey(const QString& line);
// In the weekdays and weekly modes an entry over midnight ends on the next day.
QString endKey(const QString& line, int mode);
// The minute before the start; a start at 00:00 is prepared on the day before
// (in the daily mode every day is day 0).
QString prepareKey(const QString& startKey, int mode);
// An entry with equal start and end is never in force.
bool inForce(const QString& start, const QString& end, const QString& key);
// Seconds from `now` to the end time "hh:mm", over midnight when it is not later today.
int recordingSeconds(const QTime& now, const QString& endTime);

// "TM" in the daily mode; "MF", "土", "日" in the weekdays mode; the day name in the weekly mode.
QString dayMark(int digit, int mode);
// What the labels show of a line: its day mark and "hh:mm-hh:mm A".
QString entryText(const QString& line, int mode);
// The end action letter N, E, C or W; any other letter is N.
QChar endAction(const QString& line);

struct FormatChoice {
    int rateIndex = 0;  // into kRecordingRates
    bool stereo = false;
    bool sixteenBits = false;
};
// The line's format code, when it is one the recorder can record in.
std::optional<FormatChoice> formatChoice(const QString& line);
QString formatText(const QString& line);  // the code, or "---"

// What start finds at `now`.
struct Decision {
    QString nextStartKey;
    QString prepareKey;
    int chosen = -1;  // the entry in force, else the next one
    bool inForce = false;
    int recordingSeconds = 0;  // to the end of the entry in force
};
Decision decide(const QStringList& lines, int mode, const QDateTime& now);

}  // namespace sondex::timerschedule

#include "timer/TimerSchedule.h"

#include "core/FormatCode.h"
#include "core/RecordingFormat.h"
#include "platform/JapaneseCalendar.h"
#include "platform/ListFile.h"
#include "timer/TimerFiles.h"

#include <algorithm>

namespace sondex::timerschedule {

namespace {

constexpr int kDaySeconds = 24 * 60 * 60;

int twoDigits(const QString& text, int at) {
    return text.mid(at, 2).toInt();
}

QString timeText(int minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The digits a sub-list's lines run on.
QList<int> digitsOf(int mode, int list) {
    if (mode == timerfiles::Weekdays && list == 0) return {0, 1, 2, 3, 4};
    if (mode == timerfiles::Weekdays) return {list + 4};
    return {list};
}

int listCount(int mode) {
    return mode == timerfiles::Weekly ? 7 : mode == timerfiles::Weekdays ? 3 : 1;
}

}  // namespace

bool usableEntry(const QString& entry) {
    if (entry.size() < 11 || entry[2] != u':' || entry[5] != u'-' || entry[8] != u':') return false;
    for (int at : {0, 1, 3, 4, 6, 7, 9, 10})
        if (entry[at] < u'0' || entry[at] > u'9') return false;
    return twoDigits(entry, 0) < 24 && twoDigits(entry, 3) < 60 && twoDigits(entry, 6) < 24 &&
           twoDigits(entry, 9) < 60;
}

Schedule fromLists(int mode, const QList<QStringList>& lists) {
    Schedule schedule;
    for (int list = 0; list < std::min(listCount(mode), int(lists.size())); ++list) {
        for (const QString& entry : lists[list]) {
            if (entry.trimmed().isEmpty()) continue;
            if (!usableEntry(entry)) {
                if (!schedule.unreadable.contains(entry)) schedule.unreadable.append(entry);
                continue;
            }
            for (int digit : digitsOf(mode, list))
                schedule.lines.append(QString::number(digit) + entry);
        }
    }
    schedule.lines.sort();
    schedule.lines.removeDuplicates();
    return schedule;
}

Schedule read(int mode, const QString& folder, const QString& groupName) {
    QList<QStringList> lists;
    for (int list = 0; list < listCount(mode); ++list) {
        const QString name = timerfiles::subListFileName(mode, list, groupName);
        lists.append(name.isEmpty() ? QStringList() : listfile::read(folder + name));
    }
    return fromLists(mode, lists);
}

int weekdayDigit(const QDate& date, int mode) {
    if (mode == timerfiles::Daily) return 0;
    static const QString kSundayFirst = QStringLiteral("日月火水木金土");
    const QString name = calendar::shortDayName(date);
    const int at = name.size() == 1 ? int(kSundayFirst.indexOf(name)) : -1;
    return at <= 0 ? 6 : at - 1;
}

QString currentKey(const QDateTime& now, int mode) {
    return QString::number(weekdayDigit(now.date(), mode)) +
           now.time().toString(QStringLiteral("hh:mm"));
}

QString startKey(const QString& line) {
    return line.left(6);
}

QString endKey(const QString& line, int mode) {
    const QString key = line.left(1) + line.mid(7, 5);
    if (mode == timerfiles::Daily || key >= startKey(line)) return key;
    return QString::number((line.left(1).toInt() + 1) % 7) + key.mid(1);
}

QString prepareKey(const QString& startKey, int mode) {
    const int minutes = twoDigits(startKey, 1) * 60 + twoDigits(startKey, 4);
    int digit = startKey.left(1).toInt();
    if (minutes == 0 && mode != timerfiles::Daily) digit = (digit + 6) % 7;
    return QString::number(digit) + timeText((minutes + 24 * 60 - 1) % (24 * 60));
}

bool inForce(const QString& start, const QString& end, const QString& key) {
    if (start <= end) return start <= key && key < end;
    return key >= start || key < end;
}

int recordingSeconds(const QTime& now, const QString& endTime) {
    const int nowSeconds = (now.hour() * 60 + now.minute()) * 60 + now.second();
    const int endSeconds = (twoDigits(endTime, 0) * 60 + twoDigits(endTime, 3)) * 60;
    return endSeconds > nowSeconds ? endSeconds - nowSeconds
                                   : kDaySeconds - nowSeconds + endSeconds;
}

QString dayMark(int digit, int mode) {
    if (mode == timerfiles::Daily) return QStringLiteral("TM");
    if (mode == timerfiles::Weekdays)
        return digit == 5   ? QStringLiteral("土")
               : digit == 6 ? QStringLiteral("日")
                            : QStringLiteral("MF");
    return QStringLiteral("月火水木金土日").mid(digit, 1);
}

QString entryText(const QString& line, int mode) {
    return dayMark(line.left(1).toInt(), mode) + line.mid(1, 13);
}

QChar endAction(const QString& line) {
    const QChar letter = line.size() > 13 ? line[13] : QChar(u'N');
    return QStringLiteral("NECW").contains(letter) ? letter : QChar(u'N');
}

std::optional<FormatChoice> formatChoice(const QString& line) {
    const QString code = line.mid(15, 5);
    if (code.size() != 5) return std::nullopt;
    const QChar channels = code[2].toUpper();
    const QString bits = code.mid(3, 2);
    if ((channels != u'S' && channels != u'M') || (bits != u" 8" && bits != u"16"))
        return std::nullopt;
    for (int index = 0; index < int(kRecordingRates.size()); ++index) {
        if (formatCode(kRecordingRates[size_t(index)], 1, 8).left(2) == code.left(2))
            return FormatChoice{index, channels == u'S', bits == u"16"};
    }
    return std::nullopt;
}

QString formatText(const QString& line) {
    return formatChoice(line) ? line.mid(15, 5) : QStringLiteral("---");
}

Decision decide(const QStringList& lines, int mode, const QDateTime& now) {
    Decision decision;
    if (lines.isEmpty()) return decision;
    const QString key = currentKey(now, mode);
    const auto later = std::find_if(lines.begin(), lines.end(),
                                    [&](const QString& line) { return startKey(line) > key; });
    const int next = later == lines.end() ? 0 : int(later - lines.begin());
    decision.nextStartKey = startKey(lines[next]);
    decision.prepareKey = prepareKey(decision.nextStartKey, mode);
    const int current = next == 0 ? int(lines.size()) - 1 : next - 1;
    decision.inForce = inForce(startKey(lines[current]), endKey(lines[current], mode), key);
    decision.chosen = decision.inForce ? current : next;
    if (decision.inForce)
        decision.recordingSeconds = recordingSeconds(now.time(), lines[current].mid(7, 5));
    return decision;
}

}  // namespace sondex::timerschedule

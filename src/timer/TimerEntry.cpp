#include "timer/TimerEntry.h"

namespace sondex::timerentry {

namespace {

std::optional<QString> timeField(const QString& line, int from) {
    // Only ASCII digits make a number the spin buttons can step.
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const QString field = line.mid(from, 2);
    if (field.size() != 2 || !digit(field[0]) || !digit(field[1])) return std::nullopt;
    return field;
}

}  // namespace

QChar actionLetter(int actionIndex) {
    switch (actionIndex) {
    case 1: return u'E';
    case 2: return u'C';
    case 3: return u'W';
    default: return u'N';
    }
}

int actionIndex(QChar letter) {
    if (letter == u'E') return 1;
    if (letter == u'C') return 2;
    if (letter == u'W') return 3;
    return 0;
}

QString makeLine(const QString& start, const QString& endHour, const QString& endMinute, int action,
                 const QString& format) {
    return start + u'-' + endHour + u':' + endMinute + u' ' + actionLetter(action) + u' ' + format;
}

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0')); }

EditorValues readLine(const QString& line) {
    EditorValues v;
    v.startHour = timeField(line, 0);
    v.startMinute = timeField(line, 3);
    v.endHour = timeField(line, 6);
    v.endMinute = timeField(line, 9);
    const QString rest = line.mid(14);
    if (rest.size() == 5 && (rest[2].toUpper() == u'S' || rest[2].toUpper() == u'M')) v.format = rest;
    v.actionIndex = line.size() > 12 ? actionIndex(line[12]) : 0;
    return v;
}

}  // namespace sondex::timerentry

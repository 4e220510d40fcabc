#pragma once

#include <QString>

#include <optional>

// One timer entry is one line: "hh:mm-hh:mm A FFFFF" (start, end, the end
// action's letter, the recording format code). Lines read from a file may be
// anything; reading one back never fails.
namespace sondex::timerentry {

// The end actions of `RadioGroup_JK`, by index: N pause, E stop, C exit, W power-off.
inline constexpr int kDefaultAction = 1;
QChar actionLetter(int actionIndex);  // 1 E, 2 C, 3 W, anything else N
int actionIndex(QChar letter);        // E 1, C 2, W 3, anything else 0

// `start` is "hh:mm" as the list compares it.
QString makeLine(const QString& start, const QString& endHour, const QString& endMinute, int actionIndex,
                 const QString& format);

// A number for a time editor: two digits, a single digit with a leading "0".
QString twoDigits(int value);

// What a line gives back to the editors. A time field that is not two digits
// gives nothing, so the editor keeps its text; the format only when it looks
// like a format code (five characters, "S" or "M" in the middle).
struct EditorValues {
    std::optional<QString> startHour, startMinute, endHour, endMinute;
    std::optional<QString> format;
    int actionIndex = 0;
};
EditorValues readLine(const QString& line);

}  // namespace sondex::timerentry

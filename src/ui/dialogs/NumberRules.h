#pragma once

#include <QString>

namespace sondex::number_rules {

// The number dialog never holds a value outside 0..32700.
inline constexpr int kLowest = 0;
inline constexpr int kHighest = 32700;

// A spin step: add (or subtract) and keep within 0..32700.
int stepped(int value, int step);

// A non-zero value below the minimum is raised to it; 0 always passes, it means "off".
int raisedToMinimum(int value, int minCount);

// The value as shown: with the unit, or as a count when the first line is empty.
QString valueText(int value, const QString& msg0, const QString& unit);

// The confirmation asked before a value is taken.
QString confirmationText(const QString& subject, int value, const QString& unit);

}  // namespace sondex::number_rules

#pragma once

#include <QString>

#include <functional>

namespace sondex {

// The single timer list of an older version ("<key>JK.LIS") becomes the first
// day group "DAY000.day" once, and is then removed. When the move is tried and
// fails, the old list is kept, so that it is never lost and the next start
// tries again. `rename` is the file system's rename (false on failure).
void adoptLegacyTimerList(const QString& programFolder, const QString& productKey,
                          const std::function<bool(const QString& from, const QString& to)>& rename);
void adoptLegacyTimerList(const QString& programFolder, const QString& productKey);

}  // namespace sondex

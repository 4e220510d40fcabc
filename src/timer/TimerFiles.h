#pragma once

#include <QString>

// Where the time-of-day timer keeps its lists: every file lies in the program
// folder. The daily mode keeps one file per day group, the other two modes a
// fixed file per sub-list.
namespace sondex::timerfiles {

enum Mode : int { Daily = 0, Weekdays = 1, Weekly = 2 };

// Daily: "<group>.day"; weekdays: "sondexf<i>.lis" (0 Monday-Friday, 1
// Saturday, 2 Sunday); weekly: "sondexw<i>.lis" (0 Monday .. 6 Sunday).
// Empty when the list has no file: no group name, or an index below 0.
QString subListFileName(int mode, int index, const QString& groupName);

}  // namespace sondex::timerfiles

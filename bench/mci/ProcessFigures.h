#pragma once

#include <QHash>
#include <QString>

namespace sondex::bench {

// CPU time in nanoseconds that the named threads of this process have used
// (from /proc/self/task/*/schedstat); -1 when none has that name.
qint64 threadCpuNanoseconds(const QString& threadName);

// CPU time in nanoseconds of every running thread of this process, summed by thread name.
QHash<QString, qint64> threadCpuByName();

// Name and CPU time in nanoseconds of every running thread of this process, by thread id.
struct ThreadCpu {
    QString name;
    qint64 nanoseconds = 0;
};
QHash<qint64, ThreadCpu> threadCpuById();

// CPU time (user + system) of this process, in nanoseconds.
qint64 processCpuNanoseconds();

// CPU time of the children this process has waited for, in nanoseconds.
qint64 childrenCpuNanoseconds();

// Resident set size of this process in KiB (VmRSS), and its peak (VmHWM).
qint64 residentKiB();
qint64 peakResidentKiB();

// The same figures of another running process: its CPU time in nanoseconds,
// threads that have ended included, and its VmRSS.
qint64 processCpuNanosecondsOf(qint64 pid);
qint64 residentKiBOf(qint64 pid);

}  // namespace sondex::bench

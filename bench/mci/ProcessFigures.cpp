#include "ProcessFigures.h"

#include <QDir>
#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

namespace sondex::bench {

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 statusField(const QByteArray& name, const QString& process = QStringLiteral("self")) {
    for (const QByteArray& line : readAll(QStringLiteral("/proc/") + process + QStringLiteral("/status")).split('\n'))
        if (line.startsWith(name)) return line.mid(name.size()).trimmed().split(' ').front().toLongLong();
    return -1;
}

qint64 nanoseconds(const timeval& t) { return qint64(t.tv_sec) * 1000000000 + qint64(t.tv_usec) * 1000; }

// User and system time in clock ticks from a /proc stat file (of a process or of one of its threads).
qint64 cpuTicks(const QString& statPath) {
    const QByteArray stat = readAll(statPath);
    // After the name in parentheses: the state is field 3, utime 14 and stime 15.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() < 13 ? 0 : fields[11].toLongLong() + fields[12].toLongLong();
}

}  // namespace

qint64 threadCpuNanoseconds(const QString& threadName) {
    qint64 total = -1;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString base = tasks.filePath(tid);
        if (QString::fromLocal8Bit(readAll(base + QStringLiteral("/comm")).trimmed()) != threadName) continue;
        total = qMax<qint64>(total, 0) + readAll(base + QStringLiteral("/schedstat")).split(' ').front().toLongLong();
    }
    return total;
}

QHash<qint64, ThreadCpu> threadCpuById() {
    QHash<qint64, ThreadCpu> byId;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString base = tasks.filePath(tid);
        byId.insert(tid.toLongLong(), {QString::fromLocal8Bit(readAll(base + QStringLiteral("/comm")).trimmed()),
                                       readAll(base + QStringLiteral("/schedstat")).split(' ').front().toLongLong()});
    }
    return byId;
}

QHash<QString, qint64> threadCpuByName() {
    QHash<QString, qint64> byName;
    for (const ThreadCpu& thread : threadCpuById()) byName[thread.name] += thread.nanoseconds;
    return byName;
}

qint64 processCpuNanoseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return nanoseconds(usage.ru_utime) + nanoseconds(usage.ru_stime);
}

qint64 childrenCpuNanoseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return nanoseconds(usage.ru_utime) + nanoseconds(usage.ru_stime);
}

qint64 residentKiB() { return statusField("VmRSS:"); }

qint64 processCpuNanosecondsOf(qint64 pid) {
    // The running threads to the nanosecond; the threads that have ended only
    // in the process's totals, in clock ticks. Without them a process whose
    // threads come and go would seem to use less, even less than a minute before.
    qint64 running = 0;
    qint64 runningTicks = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        running += readAll(tasks.filePath(tid) + QStringLiteral("/schedstat")).split(' ').front().toLongLong();
        runningTicks += cpuTicks(tasks.filePath(tid) + QStringLiteral("/stat"));
    }
    const qint64 endedTicks = qMax<qint64>(0, cpuTicks(QStringLiteral("/proc/%1/stat").arg(pid)) - runningTicks);
    return running + endedTicks * 1000000000 / ::sysconf(_SC_CLK_TCK);
}

qint64 residentKiBOf(qint64 pid) { return statusField("VmRSS:", QString::number(pid)); }
qint64 peakResidentKiB() { return statusField("VmHWM:"); }

}  // namespace sondex::bench

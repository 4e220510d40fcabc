// Figures of the time-of-day timer on a fake clock. First a simulated week
// in each mode (entries over midnight, Sunday into Monday, back to back, all
// four end actions): the starts expected, made, missed and doubled, and the
// worst start error. Then a simulated day with a start every ten minutes:
// the resident memory every simulated hour and its growth. Prints figures;
// judges nothing.
//
//   sondex-timer-week-bench

#include "BenchRun.h"
#include "ProcessFigures.h"
#include "TimerWeekRig.h"

#include "timer/TimerFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimeZone>

#include <cstdio>

using namespace sondex;

namespace {

const QDateTime kMonday(QDate(2026, 12, 7), QTime(3, 0, 17, 250), QTimeZone::utc());

void week(int mode) {
    static const char* const kNames[] = {"daily", "weekdays", "weekly"};
    const QDateTime until = kMonday.addDays(7);
    test::TimerWeekRig rig(mode, kMonday);
    const QList<QStringList> lists = test::weekScenario(mode);
    for (int i = 0; i < lists.size(); ++i) rig.writeList(i, lists[i]);
    QElapsedTimer clock;
    clock.start();
    rig.start();
    rig.runUntil(until);
    const qint64 elapsed = clock.elapsed();
    const test::WeekFigures f =
        test::compare(test::expectedStarts(mode, lists, kMonday, until), rig.takes);
    bench::figure("timer_week.starts_expected", f.expected);
    bench::figure("timer_week.starts_missed", f.missed);
    bench::figure("timer_week.starts_doubled", f.doubled + f.stray);
    bench::figure("timer_week.worst_error_ms", double(f.worstErrorMs));
    std::printf(
        "week %-8s starts expected %3d made %3d missed %d doubled %d stray %d  worst error %4lld "
        "ms  "
        "ticks %6d  %lld ms\n",
        kNames[mode], f.expected, f.made, f.missed, f.doubled, f.stray,
        static_cast<long long>(f.worstErrorMs), rig.ticks, static_cast<long long>(elapsed));
}

void day() {
    QStringList entries;
    for (int minute = 0; minute < 24 * 60; minute += 10) {
        const QString start = QStringLiteral("%1:%2")
                                  .arg(minute / 60, 2, 10, QLatin1Char('0'))
                                  .arg(minute % 60, 2, 10, QLatin1Char('0'));
        const int end = minute + 5;
        const QString stop = QStringLiteral("%1:%2")
                                 .arg(end / 60 % 24, 2, 10, QLatin1Char('0'))
                                 .arg(end % 60, 2, 10, QLatin1Char('0'));
        entries.append(start + u'-' + stop +
                       (minute % 20 ? QStringLiteral(" N 44S16") : QStringLiteral(" E 22M 8")));
    }
    test::TimerWeekRig rig(timerfiles::Daily, kMonday);
    rig.writeList(0, entries);
    rig.start();
    const qint64 first = bench::residentKiB();
    std::printf("day: %lld entries, VmRSS at start %lld KiB\n",
                static_cast<long long>(entries.size()), static_cast<long long>(first));
    QElapsedTimer clock;
    clock.start();
    for (int hour = 1; hour <= 24; ++hour) {
        rig.runUntil(kMonday.addSecs(hour * 3600));
        std::printf("  hour %2d  takes %3lld  VmRSS %lld KiB\n", hour,
                    static_cast<long long>(rig.takes.size()),
                    static_cast<long long>(bench::residentKiB()));
    }
    const qint64 last = bench::residentKiB();
    std::printf("day: growth %lld KiB over 24 simulated hours, %lld ms\n",
                static_cast<long long>(last - first), static_cast<long long>(clock.elapsed()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int mode : {timerfiles::Daily, timerfiles::Weekdays, timerfiles::Weekly}) week(mode);
    day();
    return 0;
}

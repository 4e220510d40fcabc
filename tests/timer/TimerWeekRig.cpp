#include "TimerWeekRig.h"

#include "platform/ListFile.h"
#include "timer/TimerFiles.h"

#include <QTimeZone>
#include <QTimer>

#include <algorithm>

namespace sondex::test {

TimerWeekRig::TimerWeekRig(int mode, const QDateTime& start)
    : now(start), settings_(dir_.path() + u'/') {
    lists.folder = dir_.path() + u'/';
    lists.listMode = mode;
    TimeOfDayTimer::Hooks hooks;
    hooks.cdBlocks = [this] { return cdBlocks; };
    hooks.applyEndAction = [this](QChar action) { action_ = action; };
    hooks.setForcedEndSeconds = [this](int seconds) { forcedSeconds_ = seconds; };
    hooks.manualPrepared = [this] { return manual_ != Manual::Idle; };
    hooks.manualPaused = [this] { return manual_ == Manual::Paused; };
    hooks.prepareManual = [this] {
        if (prepareFails) return false;
        manual_ = Manual::Prepared;
        return true;
    };
    hooks.startManual = [this] { began(false); };
    hooks.resumeManual = [this] { began(true); };
    hooks.notice = [this](const QString& text) { notices.append(text); };
    hooks.processEvents = [this] {
        if (!pendingTicks || inPendingTick_ || !runner_->Timer_JK().isActive()) return;
        inPendingTick_ = true;
        runner_->Timer_JKTimer();
        inPendingTick_ = false;
    };
    runner_ =
        std::make_unique<TimeOfDayTimer>(lists, settings_, sleep, hooks, [this] { return now; });
}

void TimerWeekRig::writeList(int index, const QStringList& lines) {
    listfile::write(lists.folder + timerfiles::subListFileName(lists.listMode, index, lists.group),
                    lines);
}

void TimerWeekRig::setJumpingClock(qint64 ms) {
    now = now.addMSecs(ms);
    if (tickDue_.isValid()) tickDue_ = tickDue_.addMSecs(ms);
    if (takeEnd_.isValid()) takeEnd_ = takeEnd_.addMSecs(ms);
}

void TimerWeekRig::start() {
    runner_->Button_JK_STARTClick();
    afterCall();
}

void TimerWeekRig::began(bool resumed) {
    manual_ = Manual::Recording;
    takes.append({now, forcedSeconds_, action_, resumed});
    takeEnd_ = now.addSecs(forcedSeconds_);
}

// Whatever the call did to the tick, a running one comes next after its interval.
void TimerWeekRig::afterCall() {
    const QTimer& tick = runner_->Timer_JK();
    tickDue_ = tick.isActive() ? now.addMSecs(tick.interval()) : QDateTime();
}

void TimerWeekRig::runUntil(const QDateTime& until) {
    for (;;) {
        const bool endFirst = takeEnd_.isValid() && (!tickDue_.isValid() || takeEnd_ <= tickDue_);
        const QDateTime next = endFirst ? takeEnd_ : tickDue_;
        if (!next.isValid() || next > until) break;
        now = next;
        if (endFirst) {
            takeEnd_ = QDateTime();
            manual_ = action_ == u'N' ? Manual::Paused : Manual::Idle;
            if (runner_->isRunning()) runner_->Button_JK_STARTClick();
        } else {
            ++ticks;
            runner_->Timer_JKTimer();
        }
        afterCall();
    }
    now = until;
}

QList<QDateTime> expectedStarts(int mode, const QList<QStringList>& lists, const QDateTime& from,
                                const QDateTime& until) {
    QList<QDateTime> starts;
    for (QDate day = from.date(); day <= until.date(); day = day.addDays(1)) {
        const int weekday = day.dayOfWeek() - 1;  // 0 Monday
        for (int list = 0; list < lists.size(); ++list) {
            const bool runsToday = mode == timerfiles::Daily ? list == 0
                                   : mode == timerfiles::Weekdays
                                       ? (list == 0 ? weekday < 5 : weekday == list + 4)
                                       : weekday == list;
            if (!runsToday) continue;
            for (const QString& entry : lists[list]) {
                if (entry.left(5) == entry.mid(6, 5)) continue;
                const QDateTime at(day, QTime(entry.left(2).toInt(), entry.mid(3, 2).toInt()),
                                   from.timeZone());
                if (at >= from && at < until) starts.append(at);
            }
        }
    }
    std::sort(starts.begin(), starts.end());
    return starts;
}

WeekFigures compare(const QList<QDateTime>& expected, const QList<TimerWeekRig::Take>& takes) {
    WeekFigures figures;
    figures.expected = int(expected.size());
    figures.made = int(takes.size());
    int matched = 0;
    for (const QDateTime& due : expected) {
        const auto within =
            std::count_if(takes.begin(), takes.end(), [&](const TimerWeekRig::Take& take) {
                return take.at >= due && due.msecsTo(take.at) <= 1000;
            });
        if (within == 0) ++figures.missed;
        if (within > 1) figures.doubled += int(within) - 1;
        matched += int(within);
        for (const TimerWeekRig::Take& take : takes) {
            if (take.at >= due && due.msecsTo(take.at) <= 1000)
                figures.worstErrorMs = std::max(figures.worstErrorMs, due.msecsTo(take.at));
        }
    }
    figures.stray = figures.made - matched;
    return figures;
}

QList<QStringList> weekScenario(int mode) {
    auto lines = [](std::initializer_list<const char*> texts) {
        QStringList list;
        for (const char* text : texts) list.append(QString::fromUtf8(text));
        return list;
    };
    switch (mode) {
        case timerfiles::Daily:
            return {lines({"00:30-01:00 N 44S16", "07:00-07:30 C 22M 8", "07:30-08:00 W 48S16",
                           "12:00-12:00 E 44S16", "12:05-12:35 N 11M16", "20:00-20:15 E 44S16",
                           "23:30-00:30 E 44S16"})};
        case timerfiles::Weekdays:
            return {lines({"01:00-01:30 E 44S16", "08:00-09:00 C 44S16", "09:00-09:10 N 44M16",
                           "23:50-00:10 W 44S16"}),
                    lines({"10:00-10:30 E 32S16", "10:30-11:00 W  8M 8"}),
                    lines({"06:00-06:00 E 44S16", "23:00-01:00 N 44S16"})};
        default:
            return {lines({"02:00-02:30 W 16S 8", "07:00-07:30 E 44S16"}),
                    lines({"00:00-01:00 C 44S16"}),
                    lines({"06:00-06:30 N 44S16", "06:30-07:00 E 44S16"}),
                    lines({"12:00-12:00 W 44S16", "12:01-12:02 W 44S16"}),
                    {},
                    lines({"23:59-00:00 E 44S16"}),
                    lines({"22:00-02:00 N 44S16"})};
    }
}

}  // namespace sondex::test

#include "timer/TimeOfDayTimer.h"

#include "core/Settings.h"
#include "core/TextCut.h"
#include "platform/JapaneseCalendar.h"
#include "platform/SleepInhibitor.h"
#include "timer/TimerFiles.h"
#include "timer/TimerListAccess.h"
#include "timer/TimerSchedule.h"

#include <QTimer>

#include <algorithm>

namespace sondex {

namespace {

const QString kRunning = QStringLiteral("実行中");
const QString kStopped = QStringLiteral("停止中");

// A tick later than its interval by more than this, or earlier than the last
// one, means the clock was set, the machine slept or daylight saving changed.
constexpr qint64 kJumpSlackMs = 5000;

bool ask(const std::function<bool()>& hook) {
    return hook && hook();
}

template <typename Hook, typename... Args>
void run(const Hook& hook, Args&&... args) {
    if (hook) hook(std::forward<Args>(args)...);
}

// The local clock's reading in milliseconds, so that a daylight-saving change
// counts as the jump it is for the entries' times.
qint64 wallMs(const QDateTime& moment) {
    return moment.date().toJulianDay() * 24 * 3600 * 1000 + moment.time().msecsSinceStartOfDay();
}

}  // namespace

TimeOfDayTimer::TimeOfDayTimer(TimerListAccess& lists, const Settings& settings,
                               SleepInhibitor& sleep, Hooks hooks, Clock clock, QObject* parent)
    : QObject(parent),
      lists_(lists),
      settings_(settings),
      sleep_(sleep),
      hooks_(std::move(hooks)),
      clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })),
      timer_(new QTimer(this)) {
    // A coarse timer may fire 5 % early or late: 1.5 s of a 30-second tick.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setObjectName(QStringLiteral("Timer_JK"));
    connect(timer_, &QTimer::timeout, this, &TimeOfDayTimer::Timer_JKTimer);
    view_.runText = kStopped;
    refreshDay();
}

bool TimeOfDayTimer::isRunning() const {
    return view_.runText == kRunning;
}

void TimeOfDayTimer::Button_JK_STOPClick() {
    stop(false);
}

void TimeOfDayTimer::stop(bool keepSleepLock) {
    busy(true);
    view_.stopEnabled = false;
    emit changed();
    process();
    timer_->stop();
    timer_->setInterval(0);
    view_.runText = kStopped;
    refreshDay();
    view_.labelsShown = false;
    view_.stopEnabled = true;
    view_.startShown = true;
    view_.panelShown = false;
    busy(false);
    if (!keepSleepLock) sleep_.release();
    emit changed();
}

void TimeOfDayTimer::Button_JK_STARTClick() {
    busy(true);
    view_.startEnabled = false;
    emit changed();
    process();
    stop(true);  // the lock stays while the runner starts again
    busy(true);
    process();
    view_.panelShown = true;
    emit changed();
    process();
    refreshDay();

    lists_.saveLoadedList();
    process();
    mode_ = lists_.mode();
    const timerschedule::Schedule schedule =
        timerschedule::read(mode_, lists_.programFolder(), lists_.groupName());
    reportUnreadable(schedule.unreadable);
    if (schedule.lines.isEmpty()) {
        sleep_.release();
        run(hooks_.notice, QStringLiteral("タイマー登録データがありません・・・"));
        view_.startEnabled = true;
        view_.panelShown = false;
        busy(false);
        emit changed();
        return;
    }
    search(schedule.lines);
    recordOrWait();
    emit changed();
}

// The lines are this start's own: a start run from the events it lets
// through builds its own schedule meanwhile.
void TimeOfDayTimer::search(const QStringList& lines) {
    // The start minute may arrive while the lists are read; then search again,
    // but never without end, whatever the lines hold.
    for (int pass = 0; pass < 3; ++pass) {
        const timerschedule::Decision decision = timerschedule::decide(lines, mode_, clock_());
        nextStartKey_ = decision.nextStartKey;
        prepareKey_ = decision.prepareKey;
        process();
        inForce_ = decision.inForce;
        recordingSeconds_ = decision.recordingSeconds;

        const QString chosen = lines[decision.chosen];
        view_.entryText = timerschedule::entryText(chosen, mode_);
        view_.formatText = timerschedule::formatText(chosen);
        if (const auto format = timerschedule::formatChoice(chosen))
            run(hooks_.applyFormat, format->rateIndex, format->stereo, format->sixteenBits);
        endAction_ = timerschedule::endAction(chosen);
        if (mode_ != timerfiles::Daily) {
            const int digit = chosen.left(1).toInt();
            lists_.showSubList(mode_ == timerfiles::Weekdays ? std::max(digit - 4, 0) : digit);
        }
        lists_.selectEntry(chosen.mid(1, 5));
        refreshDay();

        const QString key = timerschedule::currentKey(clock_(), mode_);
        armed_ = prepareKey_ == key;
        if (nextStartKey_ != key || lines.size() < 2) break;
    }
}

void TimeOfDayTimer::recordOrWait() {
    view_.runText = kRunning;
    view_.labelsShown = true;
    view_.startEnabled = true;
    view_.startShown = false;
    busy(false);
    sleep_.hold();
    if (inForce_ && recordNow()) return;
    wait();
}

// Starts the entry in force through manual recording; the tick stays off until
// manual recording calls start again at the entry's end. False when nothing
// was started: another kind of recording is on, or preparing failed.
bool TimeOfDayTimer::recordNow() {
    if (ask(hooks_.cdBlocks)) return false;
    run(hooks_.switchPanels);
    if (ask(hooks_.musicBlocks)) return false;
    run(hooks_.openManualPanel);
    view_.shade = Shade::Recording;
    emit changed();
    run(hooks_.applyEndAction, endAction_);
    run(hooks_.setForcedEndSeconds, recordingSeconds_);
    process();
    if (ask(hooks_.manualPrepared)) {
        if (ask(hooks_.manualPaused))
            run(hooks_.resumeManual);
        else
            run(hooks_.startManual);
        return true;
    }
    // A failed prepare has shown its own message; waiting for the next entry
    // keeps the runner alive without a message every minute.
    if (!ask(hooks_.prepareManual)) return false;
    process();
    run(hooks_.startManual);
    return true;
}

void TimeOfDayTimer::wait() {
    view_.shade = Shade::Waiting;
    tickBusy_ = false;
    fineTicking_ = true;
    setTimer(kFineMs);
}

void TimeOfDayTimer::Timer_JKTimer() {
    if (tickBusy_) return;
    tickBusy_ = true;
    process();
    const QDateTime now = clock_();
    if (clockJumped(now)) {
        // Start finds again what is in force: an entry still running starts
        // at once, one whose span was missed is not made up.
        tickBusy_ = false;
        Button_JK_STARTClick();
        return;
    }
    lastTick_ = now;
    const QString key = timerschedule::currentKey(now, mode_);
    if (!fineTicking_ && prepareKey_ == key) {
        armed_ = true;
        fineTicking_ = true;
        setTimer(kFineMs);
    }
    if (fineTicking_ && armed_) {
        if (nextStartKey_ == key) {
            Button_JK_STARTClick();
            process();
            if (ask(hooks_.closing)) {
                timer_->stop();
                timer_->setInterval(0);
                tickBusy_ = false;
                return;
            }
            fineTicking_ = false;
            // Restarts the tick only when start left it waiting.
            timer_->setInterval(kCoarseMs);
            lastTick_ = clock_();
        }
    } else if (fineTicking_ && now.time().second() == 0) {
        // From here the coarse ticks fall near :00 and :30 of each minute.
        fineTicking_ = false;
        setTimer(kCoarseMs);
    }
    tickBusy_ = false;
}

bool TimeOfDayTimer::clockJumped(const QDateTime& now) const {
    if (!lastTick_.isValid()) return false;
    const qint64 elapsed = wallMs(now) - wallMs(lastTick_);
    return elapsed < -kJumpSlackMs || elapsed > timer_->interval() + kJumpSlackMs;
}

void TimeOfDayTimer::setTimer(int intervalMs) {
    timer_->start(intervalMs);
    lastTick_ = clock_();
}

bool TimeOfDayTimer::runAutomaticStart(const SwitchRequest& startup) {
    Q_UNUSED(startup);
    if (settings_.text(Setting::JK) != kRunning || lists_.loadedListEmpty() || ask(hooks_.cdBlocks))
        return false;
    run(hooks_.switchPanels);
    if (ask(hooks_.musicBlocks)) return false;
    run(hooks_.openManualPanel);
    process();
    Button_JK_STARTClick();
    return true;
}

void TimeOfDayTimer::reportUnreadable(const QStringList& lines) {
    QStringList fresh;
    for (const QString& line : lines) {
        if (!reported_.contains(line)) fresh.append(line);
    }
    if (fresh.isEmpty()) return;
    for (const QString& line : fresh) reported_.insert(line);
    // A damaged file can hold any bytes: the box names a few lines, each cut short.
    constexpr int kShownLines = 8;
    constexpr qsizetype kShownBytes = 40;
    QStringList shown;
    for (const QString& line : fresh.mid(0, kShownLines)) {
        const QString cut = cutToUtf8Bytes(line, kShownBytes);
        shown.append(cut.size() < line.size() ? cut + QStringLiteral("…") : cut);
    }
    if (fresh.size() > kShownLines) shown.append(QStringLiteral("…"));
    run(hooks_.notice, QStringLiteral("読めない登録時刻を飛ばしました・・・\n") + shown.join(u'\n'));
}

void TimeOfDayTimer::refreshDay() {
    view_.dayName = calendar::shortDayName(clock_().date());
    view_.weekdayLabel = view_.dayName + QStringLiteral("曜");
    view_.modeCaption = lists_.modeCaption();
    view_.subListCaption = lists_.subListCaption();
}

void TimeOfDayTimer::process() {
    run(hooks_.processEvents);
}

void TimeOfDayTimer::busy(bool on) {
    run(hooks_.busyCursor, on);
}

}  // namespace sondex

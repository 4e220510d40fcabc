#pragma once

#include "core/Settings.h"
#include "support/FakeDesktop.h"
#include "timer/TimeOfDayTimer.h"
#include "timer/TimerListAccess.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace sondex::test {

// The timer's lists in a folder of their own.
class FakeTimerLists final : public TimerListAccess {
public:
    QString folder;
    int listMode = 0;
    QString group = QStringLiteral("DAY000");
    bool empty = false;

    QString programFolder() const override { return folder; }
    int mode() const override { return listMode; }
    QString groupName() const override { return group; }
    bool loadedListEmpty() const override { return empty; }
    QString modeCaption() const override { return QStringLiteral("毎日"); }
    QString subListCaption() const override { return group; }
    void saveLoadedList() override {}
    void showSubList(int) override {}
    void selectEntry(const QString&) override {}
};

// The runner on a fake clock, with a fake manual recording that behaves as
// manual recording does for the runner: a take ends after its forced-end
// seconds (paused for the action N, saved otherwise) and then calls start.
// The end actions C and W would close the program; here the run goes on.
class TimerWeekRig {
public:
    struct Take {
        QDateTime at;
        int seconds = 0;
        QChar action;
        bool resumed = false;
    };

    TimerWeekRig(int mode, const QDateTime& start);

    // Writes the lines of sub-list `index` (the daily mode: its one group).
    void writeList(int index, const QStringList& lines);
    void setJumpingClock(qint64 ms);  // the wall clock moves, the tick's own time does not

    void start();  // `Button_JK_START`
    // Lets the clock run to `until`: the tick at the intervals the runner
    // asks for, and the takes' ends.
    void runUntil(const QDateTime& until);

    TimeOfDayTimer& runner() { return *runner_; }
    Settings& settings() { return settings_; }

    QDateTime now;
    QList<Take> takes;
    QStringList notices;
    bool cdBlocks = false;
    bool prepareFails = false;
    // A tick that fell due is delivered wherever the runner lets events through.
    bool pendingTicks = false;
    FakeTimerLists lists;
    FakeSleepInhibitor sleep;
    int ticks = 0;

private:
    enum class Manual { Idle, Prepared, Recording, Paused };
    void began(bool resumed);
    void afterCall();

    QTemporaryDir dir_;
    Settings settings_;
    std::unique_ptr<TimeOfDayTimer> runner_;
    Manual manual_ = Manual::Idle;
    int forcedSeconds_ = 0;
    QChar action_ = u'N';
    QDateTime tickDue_;
    QDateTime takeEnd_;
    bool inPendingTick_ = false;
};

// Every moment in [from, until) at which an entry of the mode's lists should
// begin recording (entries with equal start and end never do).
QList<QDateTime> expectedStarts(int mode, const QList<QStringList>& lists, const QDateTime& from,
                                const QDateTime& until);

// How the takes made match the expected starts: each expected start wants
// exactly one take within a second after its minute.
struct WeekFigures {
    int expected = 0, made = 0, missed = 0, doubled = 0, stray = 0;
    qint64 worstErrorMs = 0;
};
WeekFigures compare(const QList<QDateTime>& expected, const QList<TimerWeekRig::Take>& takes);

// A week of entries for each mode: over midnight, Sunday into Monday, back to
// back, a start equal to its end, and all four end actions.
QList<QStringList> weekScenario(int mode);

}  // namespace sondex::test

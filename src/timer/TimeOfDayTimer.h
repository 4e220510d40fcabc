#pragma once

#include "core/RecordingController.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>

class QTimer;

namespace sondex {

class Settings;
class SleepInhibitor;
class TimerListAccess;

// The time-of-day timer's runner: start builds the week from the lists,
// records the entry in force through manual recording or waits for the next
// one; the tick `Timer_JK` watches the clock, coarse (30 s) while the next
// start is far, fine (999 ms) from the minute before it. It holds its whole
// state and what its labels show; the window draws that on changed().
class TimeOfDayTimer : public QObject, public RecordingController {
    Q_OBJECT
public:
    // What the runner does through the rest of the window.
    struct Hooks {
        // CD-synchronised recording ticked, or a CD recording running.
        std::function<bool()> cdBlocks;
        // Music-synchronised recording ticked, or a music recording running.
        std::function<bool()> musicBlocks;
        std::function<void()> switchPanels;     // `K1`: the music and manual panel
        std::function<void()> openManualPanel;  // `Button23`
        std::function<void(int rateIndex, bool stereo, bool sixteenBits)> applyFormat;
        // Sets the end-of-recording options for the end action letter N, E, C or W.
        std::function<void(QChar action)> applyEndAction;
        // The manual timer's forced end, in seconds from now, and its display.
        std::function<void(int seconds)> setForcedEndSeconds;
        std::function<bool()> manualPrepared;  // `Button1` disabled
        std::function<bool()> manualPaused;    // `Panel3` shows the resume button
        std::function<bool()> prepareManual;   // `Button1`; false when it failed
        std::function<void()> startManual;     // `Button18`
        std::function<void()> resumeManual;    // `Button19`
        std::function<void(const QString& text)> notice;
        std::function<void(bool busy)> busyCursor;
        std::function<void()> processEvents;
        std::function<bool()> closing;  // the program is closing
    };
    using Clock = std::function<QDateTime()>;  // local time

    // The background of the runner's labels: red (255, 0, 0) while its
    // recording runs, blue (0, 0, 255) while it waits.
    enum class Shade { None, Recording, Waiting };

    // What the runner's labels and buttons show.
    struct View {
        QString runText;                             // `Label_JK_MODE`
        QString entryText;                           // `Label_JK_TM`: day mark and "hh:mm-hh:mm A"
        QString formatText = QStringLiteral("---");  // `Label_Mode_TM`
        QString modeCaption, subListCaption;         // `Label_TM_Mode`, `Label_TM_SUB`
        QString weekdayLabel;                        // `Label_YoBI`, "月曜"
        QString dayName;                             // `Label_YoBI_2`, "月"
        Shade shade = Shade::None;  // of `Label_Mode_TM`, `Label_JK_TM`, `PSTBat_JK`
        bool panelShown = false;    // `Panel_TM_Mode`
        bool labelsShown = false;   // `Label_Mode_TM`, `Label_JK_TM`, `PSTBat_JK`
        bool startShown = true;     // `Button_JK_START`; `Button_JK_STOP` shows otherwise
        bool startEnabled = true;
        bool stopEnabled = true;
    };

    TimeOfDayTimer(TimerListAccess& lists, const Settings& settings, SleepInhibitor& sleep,
                   Hooks hooks, Clock clock = {}, QObject* parent = nullptr);

    void Button_JK_STARTClick();
    void Button_JK_STOPClick();
    void Timer_JKTimer();
    QTimer& Timer_JK() { return *timer_; }

    bool isRunning() const;  // `Label_JK_MODE` reads "実行中"
    const View& view() const { return view_; }

    // RecordingController
    RecordingKind kind() const override { return RecordingKind::Timer; }
    // Restarts the runner when it was running at the last exit.
    bool runAutomaticStart(const SwitchRequest& startup) override;
    bool isRunActive() const override { return isRunning(); }
    void saveRunning() override {}  // its recordings are manual recordings

    static constexpr int kFineMs = 999;
    static constexpr int kCoarseMs = 30000;

signals:
    void changed();

private:
    void stop(bool keepSleepLock);
    void search(const QStringList& lines);
    void recordOrWait();
    bool recordNow();
    void wait();
    void tick();
    bool clockJumped(const QDateTime& now) const;
    void setTimer(int intervalMs);
    void reportUnreadable(const QStringList& lines);
    void refreshDay();
    void process();
    void busy(bool on);

    TimerListAccess& lists_;
    const Settings& settings_;
    SleepInhibitor& sleep_;
    Hooks hooks_;
    Clock clock_;
    QTimer* timer_;
    View view_;

    int mode_ = 0;
    QString nextStartKey_;
    QString prepareKey_;
    bool inForce_ = false;
    int recordingSeconds_ = 0;
    QChar endAction_ = u'N';
    bool armed_ = false;
    bool fineTicking_ = false;
    bool tickBusy_ = false;
    QDateTime lastTick_;      // when the tick was last armed or ran: a jump is measured from here
    QSet<QString> reported_;  // unreadable lines already named in a notice
};

}  // namespace sondex

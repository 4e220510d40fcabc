#pragma once

#include "core/RecordingController.h"

#include <QObject>

#include <functional>

class QTimer;

namespace sondex {

class MciChannel;
class RecordingPrompts;
class RecordingSession;
class Settings;
struct RecorderFlags;

// Manual recording: prepare, start, pause, resume, stop and close, the
// one-second tick `Timer4`, the manual timer that pauses or stops the
// recording after a set number of seconds, and the recording device's
// completion notice that carries out what the user asked for. It holds the
// whole state; the manual panel only shows it (see changed()).
class ManualRecording : public QObject, public RecordingController {
    Q_OBJECT
public:
    enum class State {
        Idle,       // nothing prepared
        Prepared,   // the device is open on the template, not yet recording
        Recording,  // started (also while a stop or pause is on its way)
        Paused,     // the device is stopped for a pause; the tick watches for resume or stop
    };
    // What the user asked for; the completion notice carries it out.
    enum class Request { None = 0, Pause = 1, Resume = 2, Stop = 10 };

    // What the manual recording needs of the rest of the window.
    struct Hooks {
        // Shows the recording log after a recording ended (an automatic display).
        std::function<void()> showLog;
        // The time-of-day timer's run state, start and stop.
        std::function<bool()> timerRunning;
        std::function<void()> timerStart;
        std::function<void()> timerStop;
        // The exit after recording is armed.
        std::function<bool()> exitArmed;
        // Brings the manual panel up for a start from the command line; false
        // when another kind of recording is armed or running.
        std::function<bool()> openPanel;
    };

    ManualRecording(MciChannel& channel, RecordingSession& session, Settings& settings, RecordingPrompts& prompts,
                    RecorderFlags& flags, Hooks hooks, QObject* parent = nullptr);

    bool PrepareManualRecording();  // Button1
    void Button18Click();           // start
    void Button20Click();           // pause
    void Button19Click();           // resume
    void Button21Click();           // stop
    void Button22Click();           // stop, as the panel closes
    void Timer4Timer();

    // The recording device's completion notice. A failure (code 8: the
    // temporary folder is full, the sound server went away) ends the take.
    void onNotice(qint64 notifyCode, qint64 deviceId);
    // The session saved the recording: the shown seconds go back to 0.
    void onSaved();

    // Applies new timer seconds (clamped to 0..90000) to the setting and the end mark.
    void ShowManualTimer(int seconds);

    State state() const { return state_; }
    Request request() const { return request_; }
    bool isPaused() const { return state_ == State::Paused; }
    // Started and not yet ended: the recording log follows its end.
    bool isStarted() const { return state_ == State::Recording || state_ == State::Paused; }
    int elapsedMs() const { return elapsedMs_; }
    int shownSeconds() const { return elapsedMs_ / 1000; }
    int endMark() const { return endMark_; }
    int timerSeconds() const;
    QTimer& Timer4() { return *timer4_; }

    // RecordingController
    RecordingKind kind() const override { return RecordingKind::Manual; }
    void applySwitches(const SwitchRequest& request, SwitchSource source) override;
    bool runAutomaticStart(const SwitchRequest& startup) override;
    bool isRunActive() const override;
    bool onDeviceNotice(int message, qint64 wParam, qint64 lParam) override;
    void saveRunning() override;

    static constexpr int kMaxTimerSeconds = 90000;

signals:
    // The state, the recorded seconds, the end mark or the timer changed.
    void changed();

private:
    void prepareAndStart();
    void startOrResume();
    void readPosition();
    void end();
    void setState(State state);
    void postNotice(int notifyCode);
    void enableTick();

    MciChannel& channel_;
    RecordingSession& session_;
    Settings& settings_;
    RecordingPrompts& prompts_;
    RecorderFlags& flags_;
    Hooks hooks_;
    QTimer* timer4_;
    State state_ = State::Idle;
    Request request_ = Request::None;
    int elapsedMs_ = 0;
    int endMark_ = 0;
    // The forced end stopped the device: the notice that follows ends the
    // take there, whatever position the stopped device reports.
    bool stoppedAtEndMark_ = false;
};

}  // namespace sondex

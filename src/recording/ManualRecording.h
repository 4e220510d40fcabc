#pragma once

#include <QObject>

#include <functional>

class QTimer;

namespace sondex {

class Commands;
class ManualPanel;
class MciChannel;
class RecordingSession;
class Settings;
class TMKBoxDlg;
struct RecorderFlags;

// Manual recording: prepare, start, pause, resume, stop and close on the
// manual panel, the one-second tick `Timer4`, the manual timer that pauses or
// stops the recording after a set number of seconds, and the recording
// device's completion notice that carries out what the user asked for.
class ManualRecording : public QObject {
    Q_OBJECT
public:
    // What the user asked for; the completion notice carries it out.
    enum Request { None = 0, Pause = 1, Resume = 2, Stop = 10 };

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
        // The recording indicator colour (red, or blue in test mode).
        std::function<QColor()> indicatorColour;
    };

    ManualRecording(ManualPanel& panel, MciChannel& channel, RecordingSession& session, Settings& settings,
                    Commands& commands, TMKBoxDlg& messages, RecorderFlags& flags, Hooks hooks,
                    QObject* parent = nullptr);

    bool PrepareManualRecording();  // Button1
    void Button18Click();           // start
    void Button20Click();           // pause
    void Button19Click();           // resume
    void Button21Click();           // stop
    void Button22Click();           // stop and close the panel
    void Timer4Timer();

    // The recording device's completion notice (its code is not looked at).
    void onNotice(qint64 notifyCode, qint64 deviceId);

    // Applies new timer seconds (clamped to 0..90000) to the menus, labels and end mark.
    void ShowManualTimer(int seconds);

    Request request() const { return request_; }
    bool isPaused() const { return paused_; }
    int elapsedMs() const { return elapsedMs_; }
    int endMark() const { return endMark_; }
    QTimer& Timer4() { return *timer4_; }

    static constexpr int kMaxTimerSeconds = 90000;

private:
    void readPosition();
    int shownSeconds() const;
    void resetPanel();
    void postNotice();
    void enableTick();

    ManualPanel& panel_;
    MciChannel& channel_;
    RecordingSession& session_;
    Settings& settings_;
    Commands& commands_;
    TMKBoxDlg& messages_;
    RecorderFlags& flags_;
    Hooks hooks_;
    QTimer* timer4_;
    Request request_ = None;
    bool paused_ = false;
    int elapsedMs_ = 0;
    int endMark_ = 0;
};

}  // namespace sondex

#pragma once

#include "cd/CdDisc.h"
#include "core/RecordingController.h"
#include "core/SequenceSteps.h"

#include <QObject>

#include <functional>

class QTimer;

namespace sondex {

class CdDeviceAccess;
class CdDriveSelection;
class CdLists;
class CdPrompts;
class MciChannel;
class RecordingSession;
class Settings;
struct RecorderFlags;

// What the CD labels show while a sequence plays.
struct CdPlayLabels {
    QString drive = QStringLiteral("D:");      // `Label6`
    QString trackRange = QStringLiteral("1-1");  // `Label3`: first track "-" track count
    QString track = QStringLiteral("1");       // `Label4`: the track number, or "@"
    QString length = kNoTime;                  // `Label5`: the entry's playing time
    QString position = kNoTime;                // `Label2`: where the CD is (or resumes)
    QString end = kNoTime;                     // `Label1`: where the entry stops
    QString summary;                           // `Label8`, and " " + it in the status bar
    QString stopCaption = QStringLiteral("CD停止");  // `TR4`
};

// The CD play/record sequencer: plays the entries of the selection list one
// after another on the CD device and, with record along on, records each
// into a WAV file of its own. It runs on posted steps: a start or an advance
// plays the next entry and returns; the device's end-of-play notice (or the
// polling timer `Timer2` stopping the CD at the entry's end) carries out what
// the user asked for meanwhile (pause, resume, back, skip, a new entry, stop)
// and posts the next advance. It holds the whole state; the panels show it.
class CdSequencer : public QObject, public RecordingController {
    Q_OBJECT
public:
    // What the user asked for; the next end-of-play notice carries it out.
    using Request = sequence::Request;

    struct Hooks {
        std::function<void()> processEvents;
        std::function<void(bool on)> busyCursor;
        // Shows the recording log after a sequence that recorded (an automatic display).
        std::function<void()> showLog;
        // The one-CD search per track, for a start with an empty selection list.
        std::function<void()> searchOneCd;
    };

    CdSequencer(MciChannel& channel, RecordingSession& session, CdDeviceAccess& access, CdDriveSelection& drives,
                CdLists& lists, Settings& settings, CdPrompts& prompts, RecorderFlags& flags,
                QString registeredListFile, Hooks hooks, QObject* parent = nullptr);

    void TR0Click();       // `Button12`: start
    void Button13Click();  // pause (`TR1`, and clicks on `Label2` and `Label7`)
    void Button17Click();  // resume (`TR5`)
    void Button14Click();  // back (`TR2`)
    void Button15Click();  // skip (`TR3`)
    void Button16Click();  // stop (`TR4`)
    // Another entry was chosen in the selection list (`ComboBox1`).
    void ComboBox1Change(int index);
    // While paused: `SpinButton1` (field 0, minutes), `SpinButton2` (1,
    // seconds), `SpinButton3` (2, hundredths) move the resume position by
    // `delta`; `ButtonCDPOSINI` puts it back where the pause left it.
    void moveResumePosition(int field, int delta);
    void ButtonCDPOSINIClick();
    void Timer2Timer();

    // Record along (`CheckBox1`, `TRSAVE`); not kept from run to run.
    void setRecordAlong(bool on);
    bool recordAlong() const { return recordAlong_; }
    // Single mode (`MTANDOKU`): the sequence ends after its first entry.
    void setSingleMode(bool on);
    bool singleMode() const { return singleMode_; }

    // A sequence runs (from its start to its end, paused or not).
    bool isPlaying() const { return playing_; }
    bool isPaused() const { return paused_; }
    Request request() const { return request_; }
    const CdPlayLabels& labels() const { return labels_; }
    QTimer& Timer2() { return *timer2_; }

    // RecordingController
    RecordingKind kind() const override { return RecordingKind::Cd; }
    void loadLists() override;
    void applySwitches(const SwitchRequest& request, SwitchSource source) override;
    bool runAutomaticStart(const SwitchRequest& startup) override;
    bool isRunActive() const override;
    bool onDeviceNotice(int message, qint64 wParam, qint64 lParam) override;
    void saveRunning() override;
    void saveLists() override;

signals:
    // The state, a label or an option changed.
    void changed();

private:
    // Message 1045: -2 the selected entry, 0 the natural next, 1 skip, -1 back.
    void advance(int step);
    void postAdvance(int step);
    // Message 1035, as the polling sends it for a request made while paused.
    void postNotice();
    void onNotice();
    // Plays the selected entry (recording it along); false when it did not start.
    bool playEntry();
    // Sets the track start, the end position (intro, track end plus) and returns the entry's length.
    QString readTimes(int track);
    void showEntry(int track, const QString& length);
    // A failure once the devices are open: both are stopped and closed, then the message.
    bool failStarted(const QString& text);
    // The sequencer's error box; 中 断 breaks the sequence off.
    bool fail(const QString& text);
    void readPosition();
    void pause();
    void resume();
    void requestWithStop(Request request);
    void enterPlaying();
    void enterStopped();
    void endSequence();
    void processEvents();
    void busyCursor(bool on);
    int cd(QStringView verb, QStringView rest = {});
    QString cdReply() const;
    void setTimeFormat(QStringView format);

    MciChannel& channel_;
    RecordingSession& session_;
    CdDeviceAccess& access_;
    CdDriveSelection& drives_;
    CdLists& lists_;
    Settings& settings_;
    CdPrompts& prompts_;
    RecorderFlags& flags_;
    QString registeredListFile_;
    Hooks hooks_;
    QTimer* timer2_;
    Request request_ = Request::None;
    bool playing_ = false;
    bool paused_ = false;
    bool recordAlong_ = false;
    bool singleMode_ = false;
    int startDrive_ = 0;
    // Where the entry's play ends: the next track's start, the disc's end, or the intro's end.
    QString playEnd_ = kNoTime;
    CdPlayLabels labels_;
};

}  // namespace sondex

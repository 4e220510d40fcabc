#pragma once

#include "cd/CdDisc.h"
#include "core/PlaySequence.h"

#include <functional>

class QTimer;

namespace sondex {

class CdDeviceAccess;
class CdDriveSelection;
class CdLists;
class CdPrompts;
class Settings;

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
// into a WAV file of its own. Besides pause, resume, back, skip and stop,
// another entry chosen meanwhile plays next; the polling timer `Timer2` stops
// the CD at the entry's end. It holds the whole state; the panels show it.
class CdSequencer : public PlaySequence {
    Q_OBJECT
public:
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

    void TR0Click();                                // `Button12`: start
    void Button13Click() { ask(Request::Pause); }   // `TR1`, and clicks on `Label2` and `Label7`
    void Button17Click() { ask(Request::Resume); }  // `TR5`
    void Button14Click() { ask(Request::Back); }    // `TR2`
    void Button15Click() { ask(Request::Skip); }    // `TR3`
    void Button16Click() { ask(Request::Stop); }    // `TR4`
    // Another entry was chosen in the selection list (`ComboBox1`).
    void ComboBox1Change(int index);
    // While paused: `SpinButton1` (field 0, minutes), `SpinButton2` (1,
    // seconds), `SpinButton3` (2, hundredths) move the resume position by
    // `delta`; `ButtonCDPOSINI` puts it back where the pause left it.
    void moveResumePosition(int field, int delta);
    void ButtonCDPOSINIClick();
    void Timer2Timer() { poll(); }
    QTimer& Timer2() { return pollTimer(); }

    // Record along (`CheckBox1`, `TRSAVE`); not kept from run to run.
    void setRecordAlong(bool on);
    bool recordAlong() const override { return recordAlong_; }
    // Single mode (`MTANDOKU`): the sequence ends after its first entry.
    void setSingleMode(bool on);
    bool singleMode() const override { return singleMode_; }

    const CdPlayLabels& labels() const { return labels_; }

    // RecordingController
    RecordingKind kind() const override { return RecordingKind::Cd; }
    void loadLists() override;
    void applySwitches(const SwitchRequest& request, SwitchSource source) override;
    bool runAutomaticStart(const SwitchRequest& startup) override;
    bool isRunActive() const override;
    void saveLists() override;

private:
    int entryCount() const override;
    int currentEntry() const override;
    void selectEntry(int index) override;
    bool repeats() const override;
    bool playEntry() override;
    void readPosition() override;
    bool pastEntryEnd() const override;
    void holdPausePosition() override;
    void resume() override;
    BoxAnswer showFailure(const QString& text) override;
    void onStopped() override;

    // Sets the track start, the end position (intro, track end plus) and returns the entry's length.
    QString readTimes(int track);
    void showEntry(int track, const QString& length);
    void busyCursor(bool on);
    void setTimeFormat(QStringView format);

    CdDeviceAccess& access_;
    CdDriveSelection& drives_;
    CdLists& lists_;
    Settings& settings_;
    CdPrompts& prompts_;
    QString registeredListFile_;
    Hooks hooks_;
    bool recordAlong_ = false;
    bool singleMode_ = false;
    int startDrive_ = 0;
    // Where the entry's play ends: the next track's start, the disc's end, or the intro's end.
    QString playEnd_ = kNoTime;
    CdPlayLabels labels_;
};

}  // namespace sondex

#pragma once

#include "core/PlaySequence.h"
#include "music/MusicList.h"

#include <functional>

namespace sondex {

class RecordingPrompts;
class Settings;

// What the music panel shows while a sequence plays.
struct MusicPlayLabels {
    QString position = QStringLiteral("0");  // `Label14`: seconds played (one decimal while paused)
    QString end = QStringLiteral("0");       // `Label13`: seconds where the entry ends
    QString rate, bits, channels;            // `PSTBar2_0`..`PSTBar2_2`: a WAV entry's format
    QString fileName;                        // `PSTBar2_3` without its leading blank
};

// Music-file recording: the music list with its list file, files from
// command lines and drops joining it, and the sequence that plays the list
// entry by entry on the music device and, with "録音" (`MIDSAVE`) on, records
// each entry into a file of its own. It runs like the CD sequence, on the
// polling timer `Timer8`, which stops the device only at an intro's end.
class MusicRecording : public PlaySequence {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> processEvents;
        // The recording log after a sequence that recorded.
        std::function<void()> showLog;
        // The add dialog, for a start with an empty list.
        std::function<void()> addFiles;
        // The system beep.
        std::function<void()> beep;
        // Single mode (`MTANDOKU`, shared with the CD sequence).
        std::function<bool()> singleMode;
        // Shows the music area for a start from a command line; false when
        // a CD recording is armed or running.
        std::function<bool()> openMusicArea;
    };

    MusicRecording(MciChannel& channel, RecordingSession& session, Settings& settings, RecordingPrompts& prompts,
                   RecorderFlags& flags, QString listFile, Hooks hooks, QObject* parent = nullptr);

    MusicList& list() { return list_; }
    bool isRecordArmed() const { return recordArmed_; }
    void setRecordArmed(bool on);

    void Button24Click();                           // start
    void Button25Click() { ask(Request::Pause); }   // also a click on `Label14`
    void Button29Click() { ask(Request::Resume); }
    void Button26Click() { ask(Request::Back); }
    void Button27Click() { ask(Request::Skip); }
    void Button28Click() { ask(Request::Stop); }
    // `Button30`: the music area closes, and a sequence with it.
    void stopForClose();
    // Before a command line starts the list again.
    void stopAtOnce();
    // While paused: `SpinButton4` (60 s), `SpinButton5` (1 s), `SpinButton6`
    // (0.1 s) move the resume position by `deltaMs`; `ButtonMIDIPOSINI` puts it back.
    void moveResumePosition(int deltaMs);
    void ButtonMIDIPOSINIClick();
    void Timer8Timer() { poll(); }
    QTimer& Timer8() { return pollTimer(); }

    const MusicPlayLabels& labels() const { return labels_; }

    // RecordingController
    RecordingKind kind() const override { return RecordingKind::Music; }
    void loadLists() override { list_.load(listFile_); }
    void applySwitches(const SwitchRequest& request, SwitchSource source) override;
    bool runAutomaticStart(const SwitchRequest& startup) override;
    bool isRunActive() const override;
    void saveLists() override { list_.save(listFile_); }

private:
    int entryCount() const override { return static_cast<int>(list_.paths().size()); }
    int currentEntry() const override { return list_.current(); }
    void selectEntry(int index) override;
    bool recordAlong() const override { return recordArmed_; }
    bool singleMode() const override { return hooks_.singleMode && hooks_.singleMode(); }
    bool repeats() const override;
    bool playEntry() override;
    void readPosition() override;
    bool pastEntryEnd() const override { return introEnds_ && positionMs_ >= endMs_; }
    void holdPausePosition() override;
    void resume() override;
    BoxAnswer showFailure(const QString& text) override;

    void readRate(bool wav);
    bool startFromCommandLine();

    Settings& settings_;
    RecordingPrompts& prompts_;
    QString listFile_;
    Hooks hooks_;
    MusicList list_;
    bool recordArmed_ = false;
    qint64 positionMs_ = 0;
    qint64 endMs_ = 0;
    qint64 resumeMs_ = 0;
    qint64 pauseMs_ = 0;
    bool introEnds_ = false;  // the entry stops at the intro's end
    MusicPlayLabels labels_;
};

}  // namespace sondex

#pragma once

#include "core/RecordingController.h"
#include "core/SequenceSteps.h"
#include "music/MusicList.h"

#include <QObject>

#include <functional>

class QTimer;

namespace sondex {

class MciChannel;
class RecordingPrompts;
class RecordingSession;
class Settings;
struct RecorderFlags;

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
// each entry into a file of its own. It runs like the CD sequence: an advance
// plays one entry and returns; the device's end-of-play notice (message 1034)
// carries out what the user asked meanwhile and posts the next advance.
class MusicRecording : public QObject, public RecordingController {
    Q_OBJECT
public:
    using Request = sequence::Request;

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

    void Button24Click();  // start
    void Button25Click();  // pause (also a click on `Label14`)
    void Button29Click();  // resume
    void Button26Click();  // back
    void Button27Click();  // skip
    void Button28Click();  // stop
    // `Button30`: the music area closes, and a sequence with it.
    void stopForClose();
    // Before a command line starts the list again.
    void stopAtOnce();
    // While paused: `SpinButton4` (60 s), `SpinButton5` (1 s), `SpinButton6`
    // (0.1 s) move the resume position by `deltaMs`; `ButtonMIDIPOSINI` puts it back.
    void moveResumePosition(int deltaMs);
    void ButtonMIDIPOSINIClick();
    void Timer8Timer();

    bool isPlaying() const { return playing_; }
    bool isPaused() const { return paused_; }
    Request request() const { return request_; }
    const MusicPlayLabels& labels() const { return labels_; }
    QTimer& Timer8() { return *timer8_; }

    // RecordingController
    RecordingKind kind() const override { return RecordingKind::Music; }
    void loadLists() override { list_.load(listFile_); }
    void applySwitches(const SwitchRequest& request, SwitchSource source) override;
    bool runAutomaticStart(const SwitchRequest& startup) override;
    bool isRunActive() const override;
    bool onDeviceNotice(int message, qint64 wParam, qint64 lParam) override;
    void saveRunning() override;
    void saveLists() override { list_.save(listFile_); }

signals:
    void changed();

private:
    void advance(int step);
    void postAdvance(int step);
    void postNotice();
    void onNotice();
    bool playEntry(const QString& path);
    bool fail(const QString& text);
    bool failStarted(const QString& text);
    void readRate(bool wav);
    void readPosition();
    void pause();
    void resume();
    void requestWithStop(Request request);
    void enterStopped();
    void endSequence();
    bool startFromCommandLine();
    void processEvents();
    int mid(QStringView verb, QStringView rest = {});
    QString midReply() const;

    MciChannel& channel_;
    RecordingSession& session_;
    Settings& settings_;
    RecordingPrompts& prompts_;
    RecorderFlags& flags_;
    QString listFile_;
    Hooks hooks_;
    MusicList list_;
    QTimer* timer8_;
    bool recordArmed_ = false;
    bool playing_ = false;
    bool paused_ = false;
    Request request_ = Request::None;
    qint64 positionMs_ = 0;
    qint64 endMs_ = 0;
    qint64 resumeMs_ = 0;
    qint64 pauseMs_ = 0;
    bool introEnds_ = false;  // the entry stops at the intro's end
    MusicPlayLabels labels_;
};

}  // namespace sondex

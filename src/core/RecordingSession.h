#pragma once

#include <QString>

#include <array>
#include <chrono>
#include <functional>
#include <optional>

namespace sondex {

class MciChannel;
class RecordingPrompts;
class Settings;
struct RecorderFlags;

// The kinds of recording; they share the one recording device. The
// time-of-day timer records through manual recording, so the session only
// ever sees the first three.
enum class RecordingKind { Manual, Music, Cd, Timer };

// What the music and CD sequences are playing, as their labels show it at the
// moment of saving. The save names and the log lines read it.
struct PlayedMaterial {
    QString musicFile;        // full path of the music file being played; empty when none
    QString musicEndSeconds;  // `Label13`: the music file's end time in seconds
    QString trackName = QStringLiteral("--");  // "--" when the CD database has no entry
    QString discTitle = QStringLiteral("--");
    QString artist = QStringLiteral("--");
    QString discIdentity;
    QString volumeLabel;
    QString driveLabel;      // `Label6`: a blank, the drive letter and a colon
    QString firstLastLabel;  // `Label3`: "1-99"
    QString trackLabel;      // `Label4`: a track number, or "@" for a whole disc
    QString trackTimeLabel;  // `Label5`: the track's playing time
    QString cdDriveCaption;  // caption of the chosen CD drive item, for the failure message
};

// What the recording operations need of the window.
struct RecordingHooks {
    std::function<bool()> testMode;                 // `MRECTEST` checked
    std::function<bool()> exitAfterRecordingArmed;  // `MF_AUTO_OFF` checked
    std::function<bool()> timeOfDayTimerRunning;    // `Label_JK_MODE` reads "実行中"
    // A recording was saved: inspect the file and add the kind's full or short log line.
    std::function<void(RecordingKind kind, const QString& savedPath, int recordedMs)> onSaved;
    // A manual recording was saved: `Label11` goes back to "0".
    std::function<void()> onManualSaved;
    // How long the device is given after the template appeared.
    std::chrono::milliseconds templateSettle{500};
};

// The state every recording shares: the template file, the next automatic
// name, the test and discard flags, and per kind an open flag and the name it
// will be saved under; with the operations that prepare a recording on the
// recording device and that stop, save, close and log it at its end. Each
// operation reports its own failures and cleans up after them.
class RecordingSession {
public:
    RecordingSession(MciChannel& channel, const Settings& settings, RecorderFlags& flags,
                     RecordingPrompts& prompts, QString programFolder, RecordingHooks hooks = {});

    // Chooses the next automatic name and the test flags and writes the
    // template file the device takes its format from.
    bool WriteTemplateWav();
    // Opens `tavikREC` on the template and checks that it can record and save.
    bool OpenRecDevice();
    // The start of every recording: clears the kind's open flag and name and
    // both test flags, runs the two operations above and, when both succeed,
    // gives the kind the automatic name and opens it.
    bool prepare(RecordingKind kind);
    // After a start that failed once the device was prepared (the caller has
    // stopped and closed the device): the kind is closed, the file named in
    // its slot and the template are deleted, the slot is emptied.
    void abandon(RecordingKind kind);
    // Before a CD entry: the name of the last one is forgotten (not deleted),
    // and without recording the test and discard flags are cleared too.
    void forgetName(RecordingKind kind) { slot(kind).clear(); }
    void clearTestFlags() { test_ = discard_ = false; }

    // End a recording of the kind: stop, name, save, close, delete the
    // template, log. With the kind not open they only stop and close its
    // partner device. A recording that no folder takes leaves the device
    // open and the kind open; the next prepare and the next end save it again.
    void save(RecordingKind kind);
    void SaveManualRecording();
    void SaveMusicRecording();
    void SaveCdRecording();

    // The device ended a take by itself (notice 8: a full temporary folder, a
    // lost sound server): tells the user, in the timed box, before the save.
    void reportCutShort();

    const QString& templatePath() const { return templatePath_; }
    const QString& nextAutomaticName() const { return nextAutomaticName_; }
    bool isTestRecording() const { return test_; }
    bool discardsRecording() const { return discard_; }
    bool isOpen(RecordingKind kind) const { return open_[index(kind)]; }
    // The name the kind's recording will be saved under; the CD kind uses the
    // next automatic name itself.
    const QString& saveName(RecordingKind kind) const;

    PlayedMaterial& played() { return played_; }
    const PlayedMaterial& played() const { return played_; }

private:
    static size_t index(RecordingKind kind) {
        Q_ASSERT(kind != RecordingKind::Timer);
        return static_cast<size_t>(kind) % kSessionKinds;
    }
    QString& slot(RecordingKind kind);

    bool failPreparation(const QString& text);
    void stopAndCloseRecDevice();
    void deleteTemplate();
    void report(const QString& text);
    void busyCursor(bool on);

    void stopPartner(RecordingKind kind);
    QString proposedName(RecordingKind kind);
    bool asksForName(RecordingKind kind) const;
    // The user's name from the save dialog; empty when the user chose to skip.
    QString askName(const QString& proposal, bool& skipped);
    QString failureMessage(RecordingKind kind, const QString& name) const;
    // After the save under `failedName` failed: saves the recording into the
    // recording folder under a free name, else the program's rescue folder,
    // else the device's temporary folder. The path, or empty when all failed.
    QString rescue(const QString& failedName);
    bool saveAs(const QString& path);

    MciChannel& channel_;
    const Settings& settings_;
    RecorderFlags& flags_;
    RecordingPrompts& prompts_;
    QString programFolder_;
    RecordingHooks hooks_;

    QString templatePath_;
    QString nextAutomaticName_;
    bool test_ = false;
    bool discard_ = false;
    static constexpr size_t kSessionKinds = 3;  // manual, music, CD
    std::array<bool, kSessionKinds> open_{};
    std::array<bool, kSessionKinds> saving_{};
    std::array<QString, kSessionKinds> slots_;  // the CD entry stays unused
    // The kind whose recording no folder took; it lives only in the open device.
    std::optional<RecordingKind> unsaved_;
    PlayedMaterial played_;
};

}  // namespace sondex

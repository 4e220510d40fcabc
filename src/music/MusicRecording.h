#pragma once

#include "core/RecordingController.h"
#include "music/MusicList.h"

#include <QObject>

namespace sondex {

class RecordingSession;

// Music-file recording as far as the recorder has it: the music list with
// its list file, files from command lines and drops joining it, the "録音"
// switch `MIDSAVE`, and the save of an open music recording at the close.
class MusicRecording : public QObject, public RecordingController {
    Q_OBJECT
public:
    MusicRecording(RecordingSession& session, QString listFile, QObject* parent = nullptr);

    MusicList& list() { return list_; }
    bool isRecordArmed() const { return recordArmed_; }
    void setRecordArmed(bool on) { recordArmed_ = on; }

    RecordingKind kind() const override { return RecordingKind::Music; }
    void loadLists() override { list_.load(listFile_); }
    // Files named on a command line or dropped (CD track files aside) join the list.
    void applySwitches(const SwitchRequest& request, SwitchSource source) override;
    bool isRunActive() const override;
    void saveRunning() override;
    void saveLists() override { list_.save(listFile_); }

private:
    RecordingSession& session_;
    QString listFile_;
    MusicList list_;
    bool recordArmed_ = false;
};

}  // namespace sondex

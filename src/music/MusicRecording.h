#pragma once

#include "core/RecordingController.h"

#include <QStringList>

namespace sondex {

// Music-file play and record as far as the recorder has it: the music list,
// the "録音" switch of the music panel (`MIDSAVE`) and the save of an open
// music recording at the close.
class MusicRecording final : public RecordingController {
public:
    MusicRecording(RecordingSession& session, QString listFile);

    const QStringList& registered() const { return registered_; }
    bool isRecordArmed() const { return recordArmed_; }
    void setRecordArmed(bool on) { recordArmed_ = on; }

    RecordingKind kind() const override { return RecordingKind::Music; }
    void loadLists() override;
    bool isRunActive() const override;
    void saveRunning() override;
    void saveLists() override;

private:
    RecordingSession& session_;
    QString listFile_;
    QStringList registered_;
    bool recordArmed_ = false;
};

}  // namespace sondex

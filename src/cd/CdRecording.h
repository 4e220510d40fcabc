#pragma once

#include "core/RecordingController.h"

#include <QStringList>

namespace sondex {

// CD play and record as far as the recorder has it: the registered CD list,
// the "録音" switch of the CD panel (`CheckBox1`, mirrored by `TRSAVE`) and
// the save of an open CD recording at the close.
class CdRecording final : public RecordingController {
public:
    CdRecording(RecordingSession& session, QString listFile);

    const QStringList& registered() const { return registered_; }
    bool isRecordArmed() const { return recordArmed_; }
    void setRecordArmed(bool on) { recordArmed_ = on; }

    RecordingKind kind() const override { return RecordingKind::Cd; }
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

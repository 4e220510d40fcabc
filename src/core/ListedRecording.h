#pragma once

#include "core/RecordingController.h"

#include <QStringList>

namespace sondex {

// A kind of recording that plays a list (CD or music files) as far as the
// recorder has it: the list file read at the start-up and written at the
// close, the kind's "録音" switch (`CheckBox1` mirrored by `TRSAVE`, or
// `MIDSAVE`), and the save of an open recording of the kind at the close.
class ListedRecording final : public RecordingController {
public:
    ListedRecording(RecordingKind kind, RecordingSession& session, QString listFile);

    const QStringList& registered() const { return registered_; }
    bool isRecordArmed() const { return recordArmed_; }
    void setRecordArmed(bool on) { recordArmed_ = on; }

    RecordingKind kind() const override { return kind_; }
    void loadLists() override;
    bool isRunActive() const override;
    void saveRunning() override;
    void saveLists() override;

private:
    RecordingKind kind_;
    RecordingSession& session_;
    QString listFile_;
    QStringList registered_;
    bool recordArmed_ = false;
};

}  // namespace sondex

#include "core/ListedRecording.h"

#include "platform/ListFile.h"

namespace sondex {

ListedRecording::ListedRecording(RecordingKind kind, RecordingSession& session, QString listFile)
    : kind_(kind), session_(session), listFile_(std::move(listFile)) {}

void ListedRecording::loadLists() { registered_ = listfile::read(listFile_); }

bool ListedRecording::isRunActive() const { return recordArmed_ || session_.isOpen(kind_); }

void ListedRecording::saveRunning() {
    if (kind_ == RecordingKind::Cd) {
        session_.SaveCdRecording();
    } else {
        session_.SaveMusicRecording();
    }
}

void ListedRecording::saveLists() { listfile::write(listFile_, registered_); }

}  // namespace sondex

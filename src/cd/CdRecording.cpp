#include "cd/CdRecording.h"

#include "platform/ListFile.h"

namespace sondex {

CdRecording::CdRecording(RecordingSession& session, QString listFile)
    : session_(session), listFile_(std::move(listFile)) {}

void CdRecording::loadLists() { registered_ = listfile::read(listFile_); }

bool CdRecording::isRunActive() const { return recordArmed_ || session_.isOpen(RecordingKind::Cd); }

void CdRecording::saveRunning() { session_.SaveCdRecording(); }

void CdRecording::saveLists() { listfile::write(listFile_, registered_); }

}  // namespace sondex

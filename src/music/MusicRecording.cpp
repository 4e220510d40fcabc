#include "music/MusicRecording.h"

#include "platform/ListFile.h"

namespace sondex {

MusicRecording::MusicRecording(RecordingSession& session, QString listFile)
    : session_(session), listFile_(std::move(listFile)) {}

void MusicRecording::loadLists() { registered_ = listfile::read(listFile_); }

bool MusicRecording::isRunActive() const { return recordArmed_ || session_.isOpen(RecordingKind::Music); }

void MusicRecording::saveRunning() { session_.SaveMusicRecording(); }

void MusicRecording::saveLists() { listfile::write(listFile_, registered_); }

}  // namespace sondex

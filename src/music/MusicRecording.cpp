#include "music/MusicRecording.h"

#include "core/RecordingSession.h"

namespace sondex {

MusicRecording::MusicRecording(RecordingSession& session, QString listFile, QObject* parent)
    : QObject(parent), session_(session), listFile_(std::move(listFile)) {}

void MusicRecording::applySwitches(const SwitchRequest& request, SwitchSource) { list_.append(request.paths); }

bool MusicRecording::isRunActive() const { return recordArmed_ || session_.isOpen(RecordingKind::Music); }

void MusicRecording::saveRunning() { session_.SaveMusicRecording(); }

}  // namespace sondex

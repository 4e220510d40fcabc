#pragma once

#include "platform/mci/ErrorCode.h"

#include <QString>

namespace sondex::mci {

class RecordingFile;

// Saves the recording as a WAV file with the canonical 44-byte header,
// replacing a file of that name. On the recording's own file system the saved
// file is a second name of the temporary file (no sample is copied; the
// recording moves to a private copy only if it is recorded on afterwards);
// elsewhere the samples are streamed through a fixed buffer. The target
// appears whole or not at all, and the recording is untouched by a failure.
Error saveRecording(RecordingFile& recording, const QString& targetPath);

}  // namespace sondex::mci

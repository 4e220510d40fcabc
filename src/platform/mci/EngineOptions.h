#pragma once

#include "platform/mci/WavHeader.h"

#include <QString>

namespace sondex::mci {

// Settings of the engine that a caller (a test, a benchmark) may change; the
// defaults are what the recorder uses.
struct EngineOptions {
    // A recording ends cleanly before its WAV file would pass this many bytes.
    qint64 recordingFileSizeLimit = kWavFileSizeLimit;
    // Where recordings grow; empty means TEMP, else TMP, else TMPDIR, else /tmp at each new recording.
    QString temporaryFolder;
    // Seconds of capture buffering when an open command gives no "buffer".
    int defaultBufferSeconds = 4;
};

}  // namespace sondex::mci

#pragma once

#include "platform/cd/DiscDrive.h"
#include "platform/mci/PlaybackStreams.h"
#include "platform/mci/WavHeader.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace sondex::mci {

// $SONDEX_SOUNDFONT, then the Debian sound font packages' General MIDI files (MidiSynth.cpp).
QStringList defaultSoundFontPaths();

// Settings of the engine that a caller (a test, a benchmark) may change; the
// defaults are what the recorder uses.
struct EngineOptions {
    // A recording ends cleanly before its WAV file would pass this many bytes.
    qint64 recordingFileSizeLimit = kWavFileSizeLimit;
    // Where recordings grow; empty means TEMP, else TMP, else TMPDIR, else /tmp at each new recording.
    QString temporaryFolder;
    // Seconds of capture buffering when an open command gives no "buffer".
    int defaultBufferSeconds = 4;
    // A recording records the engine's own playback (a playing CD unit) instead
    // of the default source while such a stream is open.
    bool recordOwnPlayback = true;
    // The playback streams of this engine; the engine makes the list when none is given.
    std::shared_ptr<PlaybackStreams> playbackStreams;
    // Where CDDRIVES.INI lists the CD units; empty means the recorder's config folder.
    QString configFolder;
    // The unit "open cdaudio" without an element opens; null means the first unit in letter order.
    QChar defaultCdUnit;
    // Opens a unit's disc (a test hands in fake drives); null means cd::openDiscDrive.
    std::function<std::unique_ptr<cd::DiscDrive>(const QString& target)> openDrive;
    // The General MIDI sound fonts the MIDI sequencer tries in turn; empty means none.
    QStringList soundFontPaths = defaultSoundFontPaths();
};

}  // namespace sondex::mci

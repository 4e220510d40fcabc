// Command-line switches: a line forwarded by a second start (as many
// characters as the forwarding takes), the pieces of a start-up command line
// and dropped files.
#include "FuzzInput.h"
#include "core/Switches.h"
#include "platform/LineForwarding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex;
    const QString line = QString::fromUtf8(fuzz::bytes(data, size));
    if (line.size() <= kMaxForwardedCharacters)
        parseForwardedLine(line);
    const QStringList pieces = line.split(u'\n');
    parseSwitches(pieces, SwitchSource::StartUp);
    parseDroppedFiles(pieces);
    for (const QString& piece : pieces) {
        readTrackFilePiece(piece);
        timerSecondsFromSwitch(piece);
    }
    return 0;
}

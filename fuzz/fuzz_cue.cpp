// .cue sheets, and the disc laid out from one over its files' sizes.
#include "FuzzInput.h"
#include "platform/cd/CueSheet.h"
#include "platform/cd/DiscLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex::cd;
    const CueReading reading = parseCueSheet(sondex::fuzz::bytes(data, size));
    reading.message();
    if (reading.error != CueError::None)
        return 0;
    // Sizes from nothing to a full disc, so that tracks both fit and fall short.
    QList<qint64> sizes;
    for (qsizetype i = 0; i < reading.sheet.files.size(); ++i)
        sizes.append((i % 3 == 0) ? 0 : (i % 3 == 1) ? 2352LL * 75 * 60 : 2352LL * 75 * 80 * 60);
    const ImageLayout layout = layOutImage(reading.sheet, sizes);
    if (layout.error == CueError::None) {
        discIdentity(layout.disc);
        discLength(layout.disc);
        for (const TrackEntry& track : layout.disc.tracks)
            trackLength(layout.disc, track.number);
    }
    return 0;
}

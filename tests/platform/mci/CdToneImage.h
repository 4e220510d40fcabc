#pragma once

#include <QString>

#include <vector>

namespace sondex::mci::test {

// Writes a disc image whose every track is the same `trackSeconds` of a sine
// tone (44.1 kHz 16-bit stereo; whole seconds of a whole-Hz tone join without
// a click): `name`.bin holds it once and `name`.cue lists it as one FILE per
// track, so a 74-minute disc costs a few megabytes. Returns the sheet's path.
QString writeToneImage(const QString& folder, const QString& name, int tracks, int trackSeconds,
                       double frequency, double amplitude);

// Writes a disc image of one audio track holding the 16-bit stereo samples
// (padded with silence to whole sectors): `name`.bin and `name`.cue. Returns the sheet's path.
QString writeSamplesImage(const QString& folder, const QString& name,
                          const std::vector<qint16>& samples);

// The same with one audio track after another in `name`.bin, each padded to
// whole sectors and starting where the sheet's INDEX 01 says.
QString writeTracksImage(const QString& folder, const QString& name,
                         const std::vector<std::vector<qint16>>& tracks);

// Writes a CDDRIVES.INI into the folder that lists `target` as unit `letter`.
void writeCdDrives(const QString& configFolder, QChar letter, const QString& target);

}  // namespace sondex::mci::test

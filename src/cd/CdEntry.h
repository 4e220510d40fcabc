#pragma once

#include <QChar>
#include <QString>

#include <optional>

// A play entry of the CD lists: the drive label (a blank, the drive letter and
// a colon) followed by a track number, or by "@" for the whole disc: " E:5",
// " E:@". An entry carries nothing else.
namespace sondex::cdentry {

inline constexpr int kWholeDisc = -1;

// " E:5" for track 5 of unit E, " E:@" for its whole disc (track kWholeDisc).
QString make(QChar letter, int track);

// An entry as the sequencer reads it: the drive part up to and including the
// first ":", and the trimmed rest as the track ("@" is kWholeDisc; a rest that
// is no number is 0, which no disc has).
struct Entry {
    QString drivePart;
    int track = 0;
};
Entry read(const QString& entry);

// A line of the registered list file that is a play entry, in its stored
// form; nothing for anything else (garbage, over-long lines, a bad letter).
std::optional<QString> fromListLine(const QString& line);

}  // namespace sondex::cdentry

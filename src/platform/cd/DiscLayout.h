#pragma once

#include "platform/cd/Msf.h"

#include <QList>
#include <QString>

// What a CD unit knows of the disc in it, and the numbers the recorder derives
// from it. Addresses are absolute frames: the 2-second lead-in included, so
// track 1 of a pressed CD starts at frame 150 (00:02:00).
namespace sondex::cd {

struct TrackEntry {
    int number = 0;
    qint64 start = 0;  // absolute frames of INDEX 01
    bool audio = true;
};

struct DiscLayout {
    QList<TrackEntry> tracks;  // in disc order, numbers rising by one
    qint64 leadOut = 0;        // absolute frames just past the last track
    QString albumTitle;        // CD-TEXT (or the cue sheet's TITLE); empty when none

    int firstTrack() const { return tracks.isEmpty() ? 0 : tracks.first().number; }
    int lastTrack() const { return tracks.isEmpty() ? 0 : tracks.last().number; }
    // The entry of track number n, or nullptr.
    const TrackEntry* track(int n) const;
};

// The disc identity other machines key their title files by: the sum over all
// tracks of (minutes << 16 | seconds << 8 | frames) of each start address;
// with fewer than 3 tracks, also the frames field of the first track's start
// and the disc length in frames (lead-out minus the first track's start).
// Unsigned 32-bit arithmetic, wrapping as it always has.
quint32 discIdentity(const DiscLayout& disc);

// The identity as title-file sections name it: upper-case hexadecimal without
// leading zeros (so 0 gives the empty text, as a disc without identity).
QString identityHex(quint32 identity);

// Frames from track n's start to the next track's start; the last track's is
// one frame less than up to the lead-out. -1 for a track the disc lacks.
qint64 trackLength(const DiscLayout& disc, int n);

// Lead-out minus the first track's start, minus one frame (0 on an empty disc).
qint64 discLength(const DiscLayout& disc);

// The part of the addresses [from, to) that audio tracks cover: from the first
// audio sector on to the end of the last; empty (first == last) when the range
// holds data tracks only.
struct AddressSpan {
    qint64 first = 0;
    qint64 last = 0;
    bool isEmpty() const { return last <= first; }
};
AddressSpan audioSpan(const DiscLayout& disc, qint64 from, qint64 to);

}  // namespace sondex::cd

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The reader of MIDI (".MID") and RMI (".RMI") music files. Pure: bytes in,
// the song as one list of timed events out, or one clear error, so that any
// bytes at all can be fed to it. What it reads, cuts and refuses:
// docs/music-files.md.
namespace sondex::mci::midi {

// More events than any real song holds; a file past it is refused rather
// than allowed to fill the memory (16 bytes an event).
inline constexpr qsizetype kMaxEvents = 2'000'000;

// A song that would play longer than this is refused: only a damaged file
// gets there, and its player would never reach the end.
inline constexpr qint64 kMaxSongMicros = 24LL * 60 * 60 * 1'000'000;

enum class MidiError {
    None,
    NotMidi,          // neither "MThd" nor a RIFF "RMID" file
    NoMidiData,       // an RMI file without its "data" chunk
    ShortHeader,      // "MThd" shorter than 6 bytes, or cut before them
    UnknownFormat,    // a format other than 0, 1 and 2
    NoTracks,         // the header counts no tracks
    BadDivision,      // no ticks per quarter note, or an unknown frame rate
    LongNumber,       // a variable-length number of more than 4 bytes
    NoRunningStatus,  // a data byte with no channel status before it in its track
    BadStatus,        // a status byte no MIDI file holds, or one among a message's data
    NothingPlayable,  // cut short before a single event could be read
    TooManyEvents,    // more than kMaxEvents
    TooLong,          // plays longer than kMaxSongMicros
};

// One message for the synthesizer: a channel message (status 0x80-0xEF with
// its one or two data bytes) or a system exclusive message (0xF0 or 0xF7,
// bytes in MidiSong::sysexOf).
struct MidiEvent {
    qint64 micros = 0;  // from the start of the song
    quint8 status = 0;
    quint8 data1 = 0;
    quint8 data2 = 0;   // 0 for program change and channel pressure
    quint32 sysex = 0;  // index into MidiSong::sysexSpans for 0xF0 and 0xF7
};

struct MidiSong {
    int format = 0;        // 0 one track, 1 tracks played together, 2 tracks one after another
    int trackCount = 0;    // tracks read (fewer than the header counts when the file is cut)
    quint16 division = 0;  // ticks per quarter note; with the high bit set, -fps and ticks a frame
    QList<MidiEvent> events;  // in playing order; equal times keep track order, then file order
    qint64 lengthMicros = 0;  // the last event's time, the tracks' ends included

    // The bytes a system exclusive event carries after its status byte, as stored in the file.
    QByteArrayView sysexOf(const MidiEvent& event) const;

    // Whole milliseconds, rounded up so that every event lies within them.
    qint64 lengthMs() const { return (lengthMicros + 999) / 1000; }

    // The index of the first event at or after the given millisecond (events.size()
    // when none is): where a play from that position starts.
    qsizetype firstEventAt(qint64 ms) const;

    // Where each system exclusive message lies in sysexBytes.
    struct Span {
        qsizetype offset = 0;
        qsizetype size = 0;
    };
    QList<Span> sysexSpans;
    QByteArray sysexBytes;
};

struct MidiReadResult {
    MidiSong song;
    MidiError error = MidiError::None;
    int track = 0;           // the track (1-based) an error was found in; 0 when none
    bool truncated = false;  // the file was cut short: the song holds what was read before the cut
    bool ok() const { return error == MidiError::None; }
    // The error's text for the user, or the empty text when the song was read.
    QString message() const;
};

// The note the player may give when a song was read from a cut file.
QString truncatedNote();

// Reads a standard MIDI file of format 0, 1 or 2, bare or in an RMI file.
// Missing bytes cut: a track whose chunk or last event runs past the end of
// the file or of its chunk keeps the events read before it (truncated).
// Wrong bytes refuse: anything in a track that cannot be read as MIDI is an
// error for the whole file, as is a cut file with no event at all.
MidiReadResult readMidi(QByteArrayView bytes);

}  // namespace sondex::mci::midi

#pragma once

#include "platform/cd/DiscLayout.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// The cue sheet reader for disc images. Pure: text (and the sizes of the
// files it names) in, a disc layout or one clear error out, so that any bytes
// at all can be fed to it.
namespace sondex::cd {

enum class CueError {
    None,
    NotText,         // NUL bytes, or no line that reads as a cue command
    UnknownCommand,  // a line that is no cue command, or one with missing words
    NoFile,          // a TRACK before any FILE, or a FILE without tracks
    UnsupportedFile, // a FILE type other than BINARY or MOTOROLA
    BadTrack,        // track number or mode not understood
    TrackOrder,      // numbers not rising by one from the first, or above 99
    BadTime,         // an INDEX, PREGAP or POSTGAP time that is not mm:ss:ff
    IndexOrder,      // INDEX numbers or positions going backwards
    NoIndex01,       // a track without INDEX 01
    TooLarge,        // a sheet far larger than any real one (refused before reading)
    FileShort,       // a file ends before a track the sheet places in it
};

struct CueFile {
    QString name;            // as written in the sheet
    bool bigEndian = false;  // MOTOROLA: audio samples stored high byte first
};

struct CueTrack {
    int number = 0;
    int file = 0;        // index into CueSheet::files
    int sectorSize = 2352;
    bool audio = true;
    qint64 index0 = -1;  // frames into the file; -1 when absent
    qint64 index1 = -1;
    qint64 pregap = 0;   // silence not stored in the file
    qint64 postgap = 0;
};

struct CueSheet {
    QList<CueFile> files;
    QList<CueTrack> tracks;
    QString title;  // the disc's TITLE (before the first TRACK)
};

struct CueReading {
    CueSheet sheet;
    CueError error = CueError::None;
    int line = 0;  // where the error was found, 1-based; 0 when not tied to a line
    QString message() const;
};

// Reads the text of a cue sheet. Lines may end in CR LF, LF or CR; a UTF-8
// byte order mark is skipped; text that is not UTF-8 is read as Shift-JIS.
CueReading parseCueSheet(QByteArrayView text);

// One stretch of the disc: sectors from a file, or silence (file -1).
struct ImageSegment {
    qint64 start = 0;   // sectors after the lead-in (absolute frames - 150)
    qint64 count = 0;
    int file = -1;
    qint64 offset = 0;  // byte offset in the file
    int sectorSize = 2352;
    bool audio = true;
    bool bigEndian = false;
};

struct ImageLayout {
    DiscLayout disc;
    QList<ImageSegment> segments;
    CueError error = CueError::None;
    int track = 0;  // the track an error concerns
};

// Places the sheet's tracks on the disc, given the size in bytes of each of
// its files (same order as sheet.files). The files follow each other; the
// last track of a file runs to the file's end (a partial last sector is
// ignored). Every track needs at least one sector from INDEX 01 on.
ImageLayout layOutImage(const CueSheet& sheet, const QList<qint64>& fileSizes);

}  // namespace sondex::cd

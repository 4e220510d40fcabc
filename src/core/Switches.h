#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace sondex {

// A CD track file among the paths: track `track` of the CD unit `letter`.
struct CdTrackFile {
    QChar letter;  // upper case
    int track = 0;
};

// What one command line asks for: the start-up arguments, a line forwarded by
// a later start, or dropped files. Every line starts from an empty request.
struct SwitchRequest {
    bool RS = false;   // start (or resume) a manual recording
    bool PC = false;   // start CD play; also set by CD track files
    bool T = false;    // go to the notification area
    bool C = false;    // exit after recording
    bool W = false;    // power off after recording
    int J = -1;        // manual timer seconds; -1: not given
    int NE = -1;       // 0: pause at the timer's end, 1: stop; -1: not given
    QStringList paths; // existing files named by absolute path, in order
    QList<CdTrackFile> cdTracks;  // CD track files, in order; taken out of the paths
};

enum class SwitchSource { StartUp, Forwarded, Dropped };

// Reads the switches of a command line: start-up arguments one piece each, a
// forwarded line split at "?". A leading "-" counts as "/", switches ignore
// letter case, and anything that matches nothing is ignored.
SwitchRequest parseSwitches(const QStringList& pieces, SwitchSource source);
SwitchRequest parseForwardedLine(const QString& line);
// Files dropped on the window: every absolute path, existing or not, and CD track files.
SwitchRequest parseDroppedFiles(const QStringList& paths);

// The seconds of a "/J" value: "m.s", "m." or ".s" as minutes and seconds,
// otherwise plain seconds; -1 when it is not a number.
int timerSecondsFromSwitch(const QString& value);

// What a piece of a command line or a dropped name is as a CD track file:
// "<letter>:<anything>NN.cda" (any letter case) names track NN of the CD unit
// with that letter, and no such file needs to exist: "E:Track05.cda",
// "e:\Track05.CDA" and "E:/cd/Track05.cda" all name track 5 of unit E.
struct TrackFilePiece {
    enum class Kind {
        NotTrackFile,  // anything else
        Track,         // `track` names it
        NoNumber,      // the name's last two characters are no number: the piece is dropped
        TooShort,      // the name is shorter than three characters: the piece stays a path
    };
    Kind kind = Kind::NotTrackFile;
    CdTrackFile track;
};
TrackFilePiece readTrackFilePiece(const QString& piece);

}  // namespace sondex

#pragma once

#include "core/WavInspector.h"

#include <QDateTime>
#include <QString>

// The recording log's line for each kind of recording: the full line when the
// inspection of the saved file succeeded, the short line when it failed.
namespace sondex::loglines {

// The CD panel's texts at the moment a CD recording is saved.
struct CdTexts {
    QString drive;       // drive label, " E:"
    QString trackRange;  // first-last track label, "1-99"
    QString track;       // track number, or "@" for a whole disc
    QString trackTime;   // the track's playing-time label
    QString trackName;   // these three are "--" when the title file has no entry
    QString discTitle;
    QString artist;
    QString discIdentity;
    QString volumeLabel;  // "[" + label + "]"
};

// What the save knows of the recording beside the inspection of its file.
struct Saved {
    QString path;             // the full path of the saved file
    qint64 milliseconds = 0;  // recorded position at the save, 0 when unknown
};

// The current date and time with a trailing blank: "yy/mm/dd ddd hh:mm:ss ".
QString timestamp(const QDateTime& now);

// Whole recorded seconds.
QString recordedSeconds(qint64 milliseconds);

// Recorded time "mm:ss:hh" (minutes at least two digits, then seconds and hundredths).
QString recordedTime(qint64 milliseconds);

// Track name, title and artist of the disc; the disc's identity and volume
// label when the title file knows none of them.
QString cdText(const CdTexts& cd);

QString manualLine(const WavSummary& wav, const Saved& saved, const QDateTime& now);

// endSeconds: the music file's end time as its label shows it; musicFile: the
// path of the music file played, empty when none is known.
QString musicLine(const WavSummary& wav, const Saved& saved, const QString& endSeconds,
                  const QString& musicFile, const QDateTime& now);

QString cdLine(const WavSummary& wav, const Saved& saved, const CdTexts& cd);

}  // namespace sondex::loglines

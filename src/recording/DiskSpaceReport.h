#pragma once

#include "core/RecordingFormat.h"
#include "platform/DiskSpace.h"
#include "platform/DiskVolumes.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The size report (how long one can record with the free space of the
// temporary folder's and the recording folder's volumes) and the list of
// every volume's free space. A volume is named by its mount point where the
// texts name a drive letter ("/home:").
namespace sondex::diskspace {

inline constexpr qint64 kLargestRecording = 2147483647;  // a WAV file's sizes are 32-bit
inline constexpr char kDriveListFile[] = "DrV$$$$$.TXT";

// Shown in place of a byte count that cannot be read.
QString unreadableText();

qint64 bytesPerMinute(const RecordingFormat& format);

// The minutes of recording the bytes hold; 0 for none.
double minutes(qint64 bytes, const RecordingFormat& format);

// "44100/ 16/ ｽﾃﾚｵ".
QString formatText(const RecordingFormat& format);

// One side of the report. Free bytes -1: cannot be read; 0: no folder.
struct ReportVolume {
    QString name;
    qint64 freeBytes = 0;
};

struct SizeReportInput {
    ReportVolume temporary;
    ReportVolume recording;
    bool oneVolume = false;  // the temporary file and the saved file need room at the same time
    RecordingFormat format;
};

struct LargestRecording {
    bool known = false;    // false when a volume's free space cannot be read
    qint64 megabytes = 0;  // of a million bytes
    double minutes = 0;
};

LargestRecording largestRecording(const SizeReportInput& input);

// The report's lines, joined by "\n".
QString sizeReport(const SizeReportInput& input);

// The two volumes as the disks tell them now. An empty folder text is no
// folder (0 bytes); a volume is named by its mount point, or by the folder
// itself when that cannot be looked at.
SizeReportInput readSizeReport(DiskSpaceQueries& disks, const QString& temporaryFolder,
                               const QString& recordingFolder, const RecordingFormat& format);

// One volume of the list; space -1 when it is gone or cannot be read.
struct ListedVolume {
    QString name;
    VolumeSpace space;
};

// The listed mount points' space now. One that is no longer a mount point
// (unmounted, or its folder gone) counts as gone: its folder would only tell
// the space of the volume beneath.
QList<ListedVolume> readListedVolumes(DiskSpaceQueries& disks, const QStringList& mountPoints);

// The list file's lines: heading with the time, format, one line per volume, rules.
QStringList driveList(const QList<ListedVolume>& volumes, const RecordingFormat& format,
                      const QDateTime& now);

}  // namespace sondex::diskspace

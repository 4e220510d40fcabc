#pragma once

#include "platform/cd/CdStreamVolumes.h"

#include <QChar>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace sondex {

// What the volume repair finds for one CD unit.
struct CdUnitSound {
    QChar letter;
    bool present = false;                     // its device or disc image exists
    std::optional<cd::StreamVolume> stored;   // the volume the sound server remembers for it
    std::optional<cd::StreamVolume> playing;  // its stream that plays now
};

struct CdRepairFindings {
    int unreadableLines = 0;  // CDDRIVES.INI problems: units whose letter could not be read
    QList<CdUnitSound> units;
    bool defaultSinkMuted = false;  // silences every unit at once
};

// What "すべてのＣＤで、音が出るようにする" does and says.
struct CdRepairPlan {
    bool noUnits = false;       // the one message says so; no report
    QStringList messages;       // the boxes, in order
    QStringList lines;          // the report below its heading
    QList<QChar> toStore;       // units remembered at 100 %, unmuted, from now on
    QList<QChar> toSetPlaying;  // units whose playing stream goes to 100 %, unmuted
    bool unmuteDefaultSink = false;
};

CdRepairPlan planCdVolumeRepair(const CdRepairFindings& findings);

// The report file: the program title, the date line and a separator above the lines.
QStringList cdRepairReport(const QString& programTitle, const QDateTime& now,
                           const QStringList& lines);

inline constexpr char kCdRepairReportFile[] = "CDVSET$$.TXT";

}  // namespace sondex

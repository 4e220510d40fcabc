#pragma once

#include "platform/DiskVolumes.h"
#include "platform/cd/CdUnits.h"

#include <QStringList>

namespace sondex::cd {

// Every volume the recorder lists: the CD units and the disk volumes, found
// once at start-up.
struct Volumes {
    CdUnitTable cdUnits;
    QList<DiskVolume> disks;
};

// The CD units of the config folder's CDDRIVES.INI (or the optical drives)
// and the machine's disk volumes.
Volumes readVolumes(const QString& configFolder);

// The drive list: each disk volume by its mount point, in mount point order,
// then each CD unit by its label (" E:"), in letter order.
QStringList driveListEntries(const QList<DiskVolume>& disks, const QList<CdUnit>& units);

}  // namespace sondex::cd

#include "platform/cd/Volumes.h"

namespace sondex::cd {

Volumes readVolumes(const QString& configFolder) {
    return {readCdUnits(configFolder, opticalDrives()), diskVolumes()};
}

QStringList driveListEntries(const QList<DiskVolume>& disks, const QList<CdUnit>& units) {
    QStringList entries;
    for (const DiskVolume& disk : disks) entries.append(disk.mountPoint);
    for (const CdUnit& unit : units) entries.append(driveLabel(unit.letter));
    return entries;
}

}  // namespace sondex::cd

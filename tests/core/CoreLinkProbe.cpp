// Linked from the widget-free libraries only, so that the layer check can see
// which Qt libraries they pull in.
#include "cd/CdUnitQueries.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdVolumeRepair.h"
#include "core/Settings.h"
#include "files/FolderPaths.h"
#include "recording/ManualRecording.h"
#include "timer/LegacyTimerList.h"

#include <QFile>

int main() {
    sondex::Settings settings(QStringLiteral("/tmp/"));
    const char* name = sondex::ManualRecording::staticMetaObject.className();
    sondex::CdUnitsOnDisk units(QStringLiteral("/nonexistent/"));
    const char* cd = sondex::CdDriveSelection::staticMetaObject.className();
    sondex::adoptLegacyTimerList(QStringLiteral("/nonexistent/"), QStringLiteral("SONDEX"));
    const bool repair = sondex::planCdVolumeRepair({}).noUnits;
    return settings.isOn(sondex::Setting::BackColor) && name && cd && repair && units.hasReadableDisc(u'Z') ? 1 : 0;
}

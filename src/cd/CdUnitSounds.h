#pragma once

#include "cd/CdVolumeRepair.h"
#include "platform/cd/CdStreamVolumes.h"
#include "platform/cd/CdUnits.h"

namespace sondex {

// The volume repair's findings for the units table, asked of the sound server.
CdRepairFindings findCdUnitSounds(const cd::CdUnitTable& table, cd::CdStreamVolumes& volumes);

// Makes the plan's changes on the sound server; false when it refused one.
bool applyCdRepair(const CdRepairPlan& plan, cd::CdStreamVolumes& volumes);

}  // namespace sondex

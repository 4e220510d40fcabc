#include "cd/CdUnitSounds.h"

#include <QFileInfo>

namespace sondex {

CdRepairFindings findCdUnitSounds(const cd::CdUnitTable& table, cd::CdStreamVolumes& volumes) {
    CdRepairFindings findings;
    findings.unreadableLines = int(table.problems.size());
    bool anyPresent = false;
    for (const cd::CdUnit& unit : table.units) {
        CdUnitSound sound{unit.letter, QFileInfo::exists(unit.target), std::nullopt, std::nullopt};
        if (sound.present) {
            anyPresent = true;
            sound.stored = volumes.storedVolume(unit.letter);
            sound.playing = volumes.playingVolume(unit.letter);
        }
        findings.units << sound;
    }
    // Only a unit that can play makes the default sink's mute matter.
    findings.defaultSinkMuted = anyPresent && volumes.defaultSinkMuted().value_or(false);
    return findings;
}

bool applyCdRepair(const CdRepairPlan& plan, cd::CdStreamVolumes& volumes) {
    bool ok = true;
    for (QChar letter : plan.toStore) ok = volumes.storeFullVolume(letter) && ok;
    for (QChar letter : plan.toSetPlaying) ok = volumes.setPlayingFullVolume(letter) && ok;
    if (plan.unmuteDefaultSink) ok = volumes.unmuteDefaultSink() && ok;
    return ok;
}

}  // namespace sondex

#include "cd/CdUnitQueries.h"

#include "platform/cd/CdUnits.h"
#include "platform/cd/DiscDrive.h"

#include <optional>

namespace sondex {

namespace {

// The disc in the unit `letter` names, or nothing when the letter is not
// listed, the drive is not ready or its table of contents cannot be read.
std::optional<cd::DiscLayout> readableDisc(const QString& configFolder, QChar letter) {
    const cd::CdUnitTable table = cd::readCdUnits(configFolder, cd::opticalDrives());
    const cd::CdUnit* unit = table.find(letter.toUpper());
    if (!unit) return std::nullopt;
    const auto drive = cd::openDiscDrive(unit->target);
    if (drive->state() != cd::DriveState::Ready) return std::nullopt;
    cd::DiscReading reading = drive->readDisc();
    if (!reading.ok() || reading.disc.tracks.isEmpty()) return std::nullopt;
    return std::move(reading.disc);
}

}  // namespace

CdUnitsOnDisk::CdUnitsOnDisk(QString configFolder) : configFolder_(std::move(configFolder)) {}

bool CdUnitsOnDisk::hasReadableDisc(QChar letter) {
    return readableDisc(configFolder_, letter).has_value();
}

QString CdUnitsOnDisk::albumTitle(QChar letter) {
    const auto disc = readableDisc(configFolder_, letter);
    return disc ? disc->albumTitle : QString();
}

}  // namespace sondex

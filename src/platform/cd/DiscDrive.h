#pragma once

#include "platform/cd/DiscLayout.h"

#include <QString>

#include <memory>

// Disc access of one CD unit: a real drive or a disc image. One thread uses a
// drive at a time; the engine's player may read on its own thread.
namespace sondex::cd {

enum class DriveState {
    Ready,        // a disc is in and its table of contents can be read
    NoDisc,       // the drive is empty, or the image file is gone
    NotReady,     // a disc is in but the drive is still spinning up
    DoorOpen,
    Unavailable,  // no such drive
};

enum class DoorResult { Done, NotSupported, Failed };

struct DiscReading {
    DiscLayout disc;
    QString error;  // why the disc could not be read; empty on success
    bool ok() const { return error.isEmpty(); }
};

inline constexpr int kAudioSectorBytes = 2352;

class DiscDrive {
public:
    virtual ~DiscDrive() = default;

    virtual DriveState state() = 0;

    // The table of contents and the album title, read afresh.
    virtual DiscReading readDisc() = 0;

    // Reads `count` audio sectors from the absolute address (as track starts
    // are given) into `out` (count * 2352 bytes, 16-bit little-endian stereo).
    // False on a read error, a data sector or an address off the disc.
    virtual bool readAudio(qint64 address, int count, char* out) = 0;

    // Opens or closes the tray where the unit has one.
    virtual DoorResult setDoorOpen(bool open) = 0;
};

// True for the targets that are disc images (.cue, .toc) rather than devices.
bool isDiscImage(const QString& target);

// The drive for a unit's target: a .cue image is read by our own cue reader,
// a cdrdao .toc image and a device (/dev/sr0) through libcdio. Never null;
// a target that does not exist reports NoDisc or Unavailable.
std::unique_ptr<DiscDrive> openDiscDrive(const QString& target);

}  // namespace sondex::cd

#pragma once

#include "platform/cd/DiscDrive.h"

#include <QList>

namespace sondex::cd {

// A drive whose disc and faults a test sets up: no disc, not ready for a
// number of attempts, the door open, sectors that fail to read. Its audio is
// a known pattern (sampleAt), so a reader can check what it got.
class FakeDiscDrive final : public DiscDrive {
public:
    DiscLayout disc;
    bool hasDisc = true;
    bool doorOpen = false;
    bool hasDoor = true;
    int notReadyFor = 0;         // state() answers NotReady this many times first
    QList<qint64> badSectors;    // absolute addresses whose reads fail
    int readCalls = 0;

    // The 16-bit sample the drive holds at an absolute address, for the
    // sample index 0..1175 within the sector (left and right interleaved).
    static qint16 sampleAt(qint64 address, int index);

    DriveState state() override;
    DiscReading readDisc() override;
    bool readAudio(qint64 address, int count, char* out) override;
    DoorResult setDoorOpen(bool open) override;
};

}  // namespace sondex::cd

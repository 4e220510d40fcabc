#include "platform/cd/FakeDiscDrive.h"

#include <QtEndian>

namespace sondex::cd {

qint16 FakeDiscDrive::sampleAt(qint64 address, int index) {
    return qint16(quint16((address * 1176 + index) & 0xFFFF));
}

DriveState FakeDiscDrive::state() {
    if (doorOpen)
        return DriveState::DoorOpen;
    if (!hasDisc)
        return DriveState::NoDisc;
    if (notReadyFor > 0) {
        --notReadyFor;
        return DriveState::NotReady;
    }
    return DriveState::Ready;
}

DiscReading FakeDiscDrive::readDisc() {
    DiscReading r;
    if (state() != DriveState::Ready)
        r.error = QStringLiteral("ディスクを読めません");
    else
        r.disc = disc;
    return r;
}

bool FakeDiscDrive::readAudio(qint64 address, int count, char* out) {
    ++readCalls;
    if (doorOpen || !hasDisc || disc.tracks.isEmpty())
        return false;
    for (qint64 a = address; a < address + count; ++a) {
        const TrackEntry* owner = nullptr;
        for (const TrackEntry& t : disc.tracks) {
            if (t.start <= a)
                owner = &t;
        }
        if (owner == nullptr || !owner->audio || a >= disc.leadOut || badSectors.contains(a))
            return false;
        char* sector = out + (a - address) * kAudioSectorBytes;
        for (int i = 0; i < kAudioSectorBytes / 2; ++i)
            qToLittleEndian<qint16>(sampleAt(a, i), sector + 2 * i);
    }
    return true;
}

DoorResult FakeDiscDrive::setDoorOpen(bool open) {
    if (!hasDoor)
        return DoorResult::NotSupported;
    doorOpen = open;
    return DoorResult::Done;
}

}  // namespace sondex::cd

#pragma once

#include "platform/cd/CueSheet.h"
#include "platform/cd/DiscDrive.h"

#include <QFile>

#include <memory>
#include <vector>

namespace sondex::cd {

// A .cue/.bin disc image, read with our own cue reader and plain file reads.
// The sheet is checked in full before a single sector is handed out.
class CueImageDrive final : public DiscDrive {
public:
    explicit CueImageDrive(QString cuePath);

    DriveState state() override;
    DiscReading readDisc() override;
    bool readAudio(qint64 address, int count, char* out) override;
    DoorResult setDoorOpen(bool open) override;

    // Where a FILE of the sheet is found: beside the sheet (a relative name,
    // Windows "\" taken as "/"), else its base name there, in any letter case.
    static QString resolveFile(const QString& cueFolder, const QString& name);

    // Sheets larger than this are refused unread; a real one is a few kilobytes.
    static constexpr qint64 kMaxSheetBytes = 1 << 20;

private:
    bool readSector(const ImageSegment& segment, qint64 lba, char* out);

    QString cuePath_;
    ImageLayout layout_;
    bool loaded_ = false;
    std::vector<std::unique_ptr<QFile>> files_;
};

}  // namespace sondex::cd

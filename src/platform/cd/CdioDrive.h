#pragma once

#include "platform/cd/DiscDrive.h"

// libcdio's CdIo_t, kept out of the header.
struct _CdIo;

namespace sondex::cd {

// A real drive (/dev/sr0) or a cdrdao .toc image, through libcdio. The
// drive's state comes from the kernel (tray open, not ready, no disc), which
// libcdio does not tell apart.
class CdioDrive final : public DiscDrive {
public:
    explicit CdioDrive(QString target);
    ~CdioDrive() override;
    CdioDrive(const CdioDrive&) = delete;
    CdioDrive& operator=(const CdioDrive&) = delete;

    DriveState state() override;
    DiscReading readDisc() override;
    bool readAudio(qint64 address, int count, char* out) override;
    DoorResult setDoorOpen(bool open) override;

private:
    void release();

    QString target_;
    bool image_;
    _CdIo* cdio_ = nullptr;
};

}  // namespace sondex::cd

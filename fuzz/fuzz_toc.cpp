// cdrdao .toc images: the sheet is rewritten with absolute names and read
// through libcdio.
#include "FuzzInput.h"
#include "platform/cd/DiscDrive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex::cd;
    const std::unique_ptr<DiscDrive> drive = openDiscDrive(sondex::fuzz::inputFile(data, size, QStringLiteral("input.toc")));
    if (drive->state() == DriveState::Ready)
        drive->readDisc();
    return 0;
}

// The uninstall record removal reads back.
#include "FuzzInput.h"
#include "platform/UninstallRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sondex::UninstallRecord record;
    sondex::UninstallRecord::read(sondex::fuzz::inputFile(data, size, QStringLiteral("uninstall")), record);
    return 0;
}

// user-dirs.dirs, read for the desktop folder.
#include "FuzzInput.h"
#include "platform/AppPaths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool pointed = [] {
        qputenv("XDG_CONFIG_HOME", sondex::fuzz::scratchFolder().toUtf8());
        qputenv("HOME", sondex::fuzz::scratchFolder().toUtf8());
        return true;
    }();
    (void)pointed;
    sondex::fuzz::inputFile(data, size, QStringLiteral("user-dirs.dirs"));
    sondex::paths::desktopFolder();
    return 0;
}

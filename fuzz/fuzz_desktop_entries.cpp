// Menu and desktop entry files setup reads: the groups of a merged menu file,
// and whether an entry carries the program's marker.
#include "FuzzInput.h"
#include "platform/DesktopEntries.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex;
    static const bool made = QDir().mkpath(fuzz::scratchFolder() + QStringLiteral("menus"));
    (void)made;
    const QString menu = fuzz::inputFile(data, size, QStringLiteral("menus/group.menu"));
    entries::menuGroups(fuzz::scratchFolder() + QStringLiteral("menus/"));
    entries::carriesMarker(menu, QStringLiteral("SONDEX"));
    return 0;
}

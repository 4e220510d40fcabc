// CDDRIVES.INI (the CD units) and CDPLAYER.INI (disc and track titles).
#include "FuzzInput.h"
#include "platform/cd/CdUnits.h"
#include "platform/cd/DiscTitles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex::cd;
    const QByteArray text = sondex::fuzz::bytes(data, size).toByteArray();
    cdUnitsFromText(text, QStringLiteral("/home/user/.config/sondex"));
    discTitlesFrom(text, QStringLiteral("1a2b3c4d"), 1);
    discTitlesFrom(text, QStringLiteral("1A2B3C4D"), 12);
    return 0;
}

// The CD registered list: list-file lines read back as play entries.
#include "FuzzInput.h"
#include "cd/CdEntry.h"
#include "cd/CdLists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sondex::CdLists lists;
    lists.loadRegistered(sondex::fuzz::inputFile(data, size, QStringLiteral("cd.lst")));
    for (const QString& entry : lists.registered())
        sondex::cdentry::read(entry);
    lists.useAsSelection(sondex::CdLists::Source::Registered, QStringLiteral("x"));
    return 0;
}

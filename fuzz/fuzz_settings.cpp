// The settings file: values read, then one changed and one added in place.
#include "FuzzInput.h"
#include "platform/IniSettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sondex::IniSettingsStore store(sondex::fuzz::inputFile(data, size, QStringLiteral("SONDEX.INI")));
    const QStringList names{QStringLiteral("Version"), QStringLiteral("TEMPALL"), QStringLiteral("start"),
                            QStringLiteral("JK")};
    store.readTexts(names);
    store.writeTexts({{QStringLiteral("START"), QStringLiteral("1")},
                      {QStringLiteral("FP"), QStringLiteral("5000,5000")}});
    store.readTexts(names);
    return 0;
}

// Device command strings, as an application sends them.
#include "FuzzInput.h"
#include "platform/mci/Command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(sondex::fuzz::bytes(data, size));
    const sondex::mci::ParsedCommand parsed = sondex::mci::parseCommand(text);
    if (parsed.error == sondex::mci::Error::None) {
        const sondex::mci::Command& c = parsed.command;
        sondex::mci::isKnownVerb(c.verb);
        for (qsizetype i = 0; i <= c.args.size(); ++i)
            c.phraseFrom(i);
    }
    return 0;
}

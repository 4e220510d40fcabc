// The recording device's WAV reading: the header of a file to play or append to.
#include "FuzzInput.h"
#include "platform/mci/WavHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex::mci;
    const QByteArray head = sondex::fuzz::bytes(data, size).toByteArray();
    parseWavHeader(head);
    isOtherWavFormat(head);
    const QString path = sondex::fuzz::inputFile(data, size, QStringLiteral("input.wav"));
    int error = 0;
    readWavFormat(path, error);
    readWavContents(path, error);
    isOtherWavFormat(path);
    return 0;
}

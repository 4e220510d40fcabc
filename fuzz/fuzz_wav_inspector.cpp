// The WAV inspector, on any file the user points it at.
#include "FuzzInput.h"
#include "core/WavInspector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sondex::InspectWav(sondex::fuzz::inputFile(data, size, QStringLiteral("input.wav")));
    return 0;
}

#pragma once

#include <QString>

namespace sondex {

// The five-character format code shown on the format label, written into
// timer entries and printed in the recording log: two characters of the rate
// (its ten-thousands and thousands digits, "44" for 44100, " 8" for 8000),
// "S" for stereo, "M" for mono or a blank for any other channel count, then
// the bits as two characters (" 8", "16").
QString formatCode(int samplesPerSecond, int channels, int bitsPerSample);

}  // namespace sondex

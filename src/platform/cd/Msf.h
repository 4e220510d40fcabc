#pragma once

#include <QString>

// Time texts "mm:ss:ff" as the CD device speaks them. A position is an
// absolute address on the disc (the 2-second lead-in included, so track 1
// usually starts at 00:02:00) and its third field counts CD frames, 75 a second.
namespace sondex::cd {

inline constexpr int kFramesPerSecond = 75;
inline constexpr int kLeadInFrames = 2 * kFramesPerSecond;

// Frames as a time text: at least two digits of minutes (more when needed),
// two of seconds and two of frames. Negative counts are written as 00:00:00.
QString msfText(qint64 frames);

// The frames a time text stands for. Fields carry freely, so a text whose
// third field is 75 or more (the recorder's own sums make such texts) is the
// same position as the one with that carry moved into the seconds:
// "00:05:80" is "00:06:05". A field that is not a number counts as 0.
qint64 msfFrames(const QString& text);

// The recorder's sum and difference of two time texts. These carry between the
// third field and the seconds at 100, not at 75, as the recorder has always
// done; msfFrames() makes the result a true position again. With minusOne the
// sum is one second less.
QString msfAdd(const QString& a, const QString& b, bool minusOne);
QString msfSub(const QString& a, const QString& b);

}  // namespace sondex::cd

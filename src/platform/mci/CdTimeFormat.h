#pragma once

#include "platform/cd/DiscLayout.h"

#include <optional>

namespace sondex::mci {

// How the CD device writes and reads positions. Addresses are absolute CD
// frames (the lead-in included); msf is "mm:ss:ff" of the address, tmsf is
// "tt:mm:ss:ff" from the start of track tt, milliseconds count from 00:00:00.
enum class CdTimeFormat { Msf, Tmsf, Milliseconds };

// The track that holds the address: the last track starting at or before it
// (the first track before the first start); 0 on an empty disc.
int cdTrackAt(const cd::DiscLayout& disc, qint64 address);

// A position reply in the time format.
QString cdPositionText(const cd::DiscLayout& disc, qint64 address, CdTimeFormat format);

// A length reply: "mm:ss:ff" in msf and tmsf, else milliseconds.
QString cdLengthText(qint64 frames, CdTimeFormat format);

// The address a command's position names: msf "m[:s[:f]]" (a third field of
// 75 or more carries into the seconds), tmsf "t[:m[:s[:f]]]" (a bare number is
// the start of that track), milliseconds a number. Nothing for a text that is
// no position of this disc (past the lead-out, an unknown track, not a number).
std::optional<qint64> cdPositionAddress(const cd::DiscLayout& disc, const QString& text,
                                        CdTimeFormat format);

}  // namespace sondex::mci

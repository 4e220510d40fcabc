#pragma once

#include <QString>

namespace sondex {

// The longest start of text that fits maxBytes in UTF-8, never ending inside
// a character: limits that were counted in bytes of the code page (the tray
// tip's 63) count UTF-8 bytes here.
QString cutToUtf8Bytes(const QString& text, qsizetype maxBytes);

}  // namespace sondex

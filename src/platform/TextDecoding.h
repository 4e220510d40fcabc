#pragma once

#include <QByteArray>
#include <QString>

namespace sondex {

// Text files written by this program are UTF-8; files carried over from the
// older Windows version are Shift-JIS (code page 932). Bytes that are valid
// UTF-8 are read as UTF-8, anything else as code page 932.
QString decodeLegacyText(const QByteArray& bytes);

}  // namespace sondex

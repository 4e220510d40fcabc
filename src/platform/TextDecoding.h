#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sondex {

// Text files written by this program are UTF-8; files carried over from the
// older Windows version are Shift-JIS (code page 932). Bytes that are valid
// UTF-8 are read as UTF-8, anything else as code page 932.
QString decodeLegacyText(const QByteArray& bytes);

// The lines of a text file's bytes, decoded as above: CR LF, LF and a lone CR
// all end a line, a final line break adds no line, and a UTF-8 byte order
// mark is skipped.
QStringList decodedLines(QByteArray bytes);

}  // namespace sondex

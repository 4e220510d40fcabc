#pragma once

#include <QString>

// The pieces of printf-like formatting the log and the reports use, with
// fixed rules whatever the system locale.
namespace sondex::printf_text {

// Columns the text takes in a fixed-width editor: full-width characters
// (kanji, kana, full-width forms) take two, as their two bytes did in the
// legacy code page, so Japanese texts keep the columns aligned.
int columns(const QString& text);

// "%Ns": blanks in front up to the given columns; a longer text is not cut.
QString rightAligned(const QString& text, int width);

// "%N.0n": the number with "," between groups of three digits, right-aligned.
QString grouped(qint64 number, int width = 0);

}  // namespace sondex::printf_text

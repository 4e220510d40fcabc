#include "core/PrintfText.h"

#include <QList>

namespace sondex::printf_text {

namespace {

// East Asian Wide and Fullwidth ranges; half-width katakana (U+FF61..FF9F) stay narrow.
bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int columns(const QString& text) {
    int count = 0;
    for (const char32_t c : text.toUcs4()) count += isWide(c) ? 2 : 1;
    return count;
}

QString rightAligned(const QString& text, int width) {
    const int missing = width - columns(text);
    return missing > 0 ? QString(missing, u' ') + text : text;
}

QString grouped(qint64 number, int width) {
    const QString digits = QString::number(number);
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && digits[i - 1].isDigit() && (digits.size() - i) % 3 == 0) text += u',';
        text += digits[i];
    }
    return rightAligned(text, width);
}

}  // namespace sondex::printf_text

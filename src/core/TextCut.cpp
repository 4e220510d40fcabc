#include "core/TextCut.h"

namespace sondex {

QString cutToUtf8Bytes(const QString& text, qsizetype maxBytes) {
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const QChar c = text[end];
        const bool pair = c.isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const qsizetype size = pair ? 4 : c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
        if (bytes + size > maxBytes) break;
        bytes += size;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

}  // namespace sondex

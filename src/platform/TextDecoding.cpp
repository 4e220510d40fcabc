#include "platform/TextDecoding.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace sondex {

namespace {

QString decodeCodePage932(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(bytes);
    std::vector<char> out(static_cast<size_t>(bytes.size()) * 3 + 4);
    QByteArray input = bytes;
    char* in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;
        // A byte that is no Shift-JIS becomes U+FFFD instead of ending the text.
        static const char kReplacement[] = "\xEF\xBF\xBD";
        if (outLeft < 3) break;
        for (char c : {kReplacement[0], kReplacement[1], kReplacement[2]}) *outPtr++ = c;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(outPtr - out.data()));
}

}  // namespace

QString decodeLegacyText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return decodeCodePage932(bytes);
}

QStringList decodedLines(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QString text = decodeLegacyText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.isEmpty()) return {};
    if (text.endsWith(u'\n')) text.chop(1);
    return text.split(u'\n');
}

}  // namespace sondex

#include "core/FormatCode.h"

namespace sondex {

QString formatCode(int samplesPerSecond, int channels, int bitsPerSample) {
    const QString rate = QStringLiteral("  ") + QString::number(samplesPerSecond);
    const QString bits = QStringLiteral(" ") + QString::number(bitsPerSample);
    const QChar channel = channels == 2 ? u'S' : channels == 1 ? u'M' : u' ';
    return rate.right(5).left(2) + channel + bits.right(2);
}

}  // namespace sondex

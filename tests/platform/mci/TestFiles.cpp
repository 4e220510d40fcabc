#include "TestFiles.h"

#include <QFile>
#include <QtEndian>

namespace sondex::mci::test {

QByteArray templateWavBytes(int rate, int bits, int channels) {
    QByteArray b(58, '\0');
    char* p = b.data();
    const auto put32 = [p](int at, quint32 v) { qToLittleEndian<quint32>(v, p + at); };
    const auto put16 = [p](int at, quint16 v) { qToLittleEndian<quint16>(v, p + at); };
    const int align = channels * bits / 8;
    memcpy(p, "RIFF", 4);
    put32(4, 50);
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 18);
    put16(20, 1);
    put16(22, quint16(channels));
    put32(24, quint32(rate));
    put32(28, quint32(rate * align));
    put16(32, quint16(align));
    put16(34, quint16(bits));
    put16(36, rate == 8000 && bits == 8 ? (channels == 2 ? 0x38 : 0x34) : 0);
    memcpy(p + 38, "fact", 4);
    put32(42, 4);
    put32(46, 0);
    memcpy(p + 50, "data", 4);
    put32(54, 0);
    return b;
}

bool writeTemplateWav(const QString& path, int rate, int bits, int channels) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(templateWavBytes(rate, bits, channels)) == 58;
}

void spinFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace sondex::mci::test

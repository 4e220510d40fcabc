#include "TestFiles.h"

#include "core/RecordingFormat.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace sondex::mci::test {

QByteArray templateWavBytes(int rate, int bits, int channels) {
    return templateWavHeader({rate, channels, bits});
}

bool writeTemplateWav(const QString& path, int rate, int bits, int channels) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(templateWavBytes(rate, bits, channels)) == 58;
}

QByteArray bigEndian(quint32 value, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i) out.append(char(value >> (8 * i)));
    return out;
}

QByteArray vlq(quint32 value) {
    QByteArray out(1, char(value & 0x7F));
    while (value >>= 7) out.prepend(char(0x80 | (value & 0x7F)));
    return out;
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

QByteArray smfHeader(int format, int tracks, quint16 division, quint32 length) {
    return "MThd" + bigEndian(length, 4) + bigEndian(format, 2) + bigEndian(tracks, 2) +
           bigEndian(division, 2);
}

QByteArray smfTrack(const QByteArray& body, qint64 length) {
    return "MTrk" + bigEndian(quint32(length < 0 ? body.size() : length), 4) + body;
}

QByteArray smf(int format, quint16 division, const QList<QByteArray>& bodies) {
    QByteArray file = smfHeader(format, int(bodies.size()), division);
    for (const QByteArray& body : bodies) file += smfTrack(body);
    return file;
}

QByteArray riffChunk(const char* id, const QByteArray& body) {
    QByteArray c = QByteArray(id, 4) + QByteArray(4, '\0') + body;
    qToLittleEndian<quint32>(quint32(body.size()), c.data() + 4);
    if (body.size() & 1) c.append('\0');
    return c;
}

QByteArray riff(const QByteArray& chunks) {
    QByteArray file = "RIFF" + QByteArray(4, '\0') + "RMID" + chunks;
    qToLittleEndian<quint32>(quint32(file.size() - 8), file.data() + 4);
    return file;
}

QByteArray rmi(const QByteArray& midi) {
    return riff(riffChunk("LIST", "INFOx") + riffChunk("data", midi));
}

QByteArray midiFileOf(QList<TimedMidi> messages, qint64 endMs) {
    std::stable_sort(messages.begin(), messages.end(),
                     [](const TimedMidi& a, const TimedMidi& b) { return a.ms < b.ms; });
    // 1000 ticks a quarter note of a second.
    QByteArray body = hex("00 FF5103 0F4240");
    qint64 at = 0;
    for (const TimedMidi& m : messages) {
        body += vlq(quint32(m.ms - at)) + m.bytes;
        at = m.ms;
    }
    body += vlq(quint32(qMax(at, endMs) - at)) + hex("FF2F00");
    return smf(0, 1000, {body});
}

QList<TimedMidi> midiNote(int channel, int key, qint64 onMs, qint64 offMs, int velocity) {
    const char on = char(0x90 | channel);
    const char off = char(0x80 | channel);
    return {{onMs, QByteArray(1, on) + char(key) + char(velocity)},
            {offMs, QByteArray(1, off) + char(key) + char(0)}};
}

TimedMidi midiProgram(int channel, int program, qint64 ms) {
    return {ms, QByteArray(1, char(0xC0 | channel)) + char(program)};
}

void spinFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace sondex::mci::test

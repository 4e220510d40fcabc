#pragma once

#include "platform/mci/Engine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

namespace sondex::mci::test {

// The 58-byte template the recorder opens the device on, and a file of it.
QByteArray templateWavBytes(int rate, int bits, int channels);
bool writeTemplateWav(const QString& path, int rate, int bits, int channels);

// An engine and the reply to the last command sent to it.
struct EngineClient {
    std::unique_ptr<Engine> engine;
    QString reply;

    int send(const QString& text, const NoticeTarget& target = {}) {
        return engine->sendString(text, reply, target);
    }
    // The reply to a command that should succeed, else "error" and its code.
    QString ask(const QString& text) {
        const int code = send(text);
        return code == 0 ? reply : QStringLiteral("error %1").arg(code);
    }
};

// Collects the notices posted to it, in order.
class NoticeLog : public QObject {
public:
    struct Notice {
        qint64 code;
        qint64 deviceId;
    };

    NoticeTarget target() {
        return {this, [this](qint64 code, qint64 id) { notices.append({code, id}); }};
    }

    // Runs the event loop until at least count notices arrived or the time is up.
    bool waitFor(qsizetype count, int timeoutMs = 5000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (notices.size() < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return notices.size() >= count;
    }

    QList<qint64> codes() const {
        QList<qint64> result;
        for (const Notice& n : notices) result << n.code;
        return result;
    }

    QList<Notice> notices;
};

// Pieces of MIDI and RMI files.
QByteArray bigEndian(quint32 value, int bytes);
QByteArray vlq(quint32 value);  // a variable-length number
QByteArray hex(const char* text);  // bytes written as hex; blanks between them are for the reader
QByteArray smfHeader(int format, int tracks, quint16 division, quint32 length = 6);
QByteArray smfTrack(const QByteArray& body, qint64 length = -1);  // length < 0: the body's
QByteArray smf(int format, quint16 division, const QList<QByteArray>& bodies);
QByteArray riffChunk(const char* id, const QByteArray& body);
QByteArray riff(const QByteArray& chunks);
// An RMI file: an odd-sized chunk before the data, so that its pad byte is needed.
QByteArray rmi(const QByteArray& midi);

// A MIDI message (status and data bytes) at a time in milliseconds.
struct TimedMidi {
    qint64 ms = 0;
    QByteArray bytes;
};
// A format 0 file of the messages in time order, one tick a millisecond,
// whose track ends at endMs (or with its last message).
QByteArray midiFileOf(QList<TimedMidi> messages, qint64 endMs = 0);
// Note on and off, and a program change, on a channel (0-15).
QList<TimedMidi> midiNote(int channel, int key, qint64 onMs, qint64 offMs, int velocity = 100);
TimedMidi midiProgram(int channel, int program, qint64 ms = 0);

// Runs the event loop for a while (notices and capture reports keep coming).
void spinFor(int milliseconds);

}  // namespace sondex::mci::test

#pragma once

#include "platform/mci/CommandEngine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QString>

namespace sondex::mci::test {

// Writes the recorder's 58-byte template: an 18-byte fmt chunk (with the odd
// cbSize the recorder writes at 8000/8), a fact chunk and an empty data chunk.
bool writeTemplateWav(const QString& path, int rate, int bits, int channels);

// The 58 template bytes themselves.
QByteArray templateWavBytes(int rate, int bits, int channels);

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

// Runs the event loop for a while (notices and capture reports keep coming).
void spinFor(int milliseconds);

}  // namespace sondex::mci::test

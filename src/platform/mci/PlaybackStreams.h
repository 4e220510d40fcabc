#pragma once

#include <QList>
#include <QMutex>
#include <QString>

#include <optional>

namespace sondex::mci {

// The engine's own playback streams that are open now (a CD unit's digital
// playback), so that a recording device of the same engine can record one of
// them instead of the default source. One list per engine, shared by its
// devices; players register from open to close.
class PlaybackStreams {
public:
    struct Stream {
        qint64 deviceId = 0;
        quint32 sinkInputIndex = 0;  // the server's index of the playback stream
        QString sinkName;            // the sink it plays to; its monitor carries it
    };

    void add(const Stream& stream) {
        QMutexLocker lock(&mutex_);
        remove(stream.deviceId, lock);
        streams_.append(stream);
    }

    void remove(qint64 deviceId) {
        QMutexLocker lock(&mutex_);
        remove(deviceId, lock);
    }

    // The stream registered last, if any.
    std::optional<Stream> current() const {
        QMutexLocker lock(&mutex_);
        if (streams_.isEmpty()) return std::nullopt;
        return streams_.back();
    }

private:
    void remove(qint64 deviceId, QMutexLocker<QMutex>&) {
        streams_.removeIf([deviceId](const Stream& s) { return s.deviceId == deviceId; });
    }

    mutable QMutex mutex_;
    QList<Stream> streams_;
};

}  // namespace sondex::mci

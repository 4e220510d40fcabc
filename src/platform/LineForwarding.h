#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace sondex {

// The longest forwarded line, in characters (UTF-16 units, as QString counts
// them); a longer one arrives as the empty line.
inline constexpr int kMaxForwardedCharacters = 255;

// Receives the lines that later starts of the program hand over. Listen only
// while holding the instance lock: listening removes a socket left by a
// process that died.
class LineForwardServer : public QObject {
    Q_OBJECT
public:
    explicit LineForwardServer(QString socketPath, QObject* parent = nullptr);
    bool listen();
    const QString& socketPath() const { return socketPath_; }

signals:
    // Emitted from the event loop after the sender has been answered.
    void lineReceived(const QString& line);

private:
    void accept();
    void readFrom(QLocalSocket* socket);

    QString socketPath_;
    QLocalServer* server_;
};

// Hands a line to the running instance and waits until it has been read.
// A line over kMaxForwardedCharacters is sent as the empty line. False when no
// instance answered within the time.
bool forwardLine(const QString& socketPath, const QString& line, int timeoutMs = 5000);

}  // namespace sondex

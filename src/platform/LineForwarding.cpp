#include "platform/LineForwarding.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

namespace sondex {

namespace {

constexpr int kHeaderBytes = 4;
constexpr char kAck = 'K';
// A UTF-16 unit takes at most three bytes of UTF-8 (a pair of them four).
constexpr int kMaxPayloadBytes = 3 * kMaxForwardedCharacters;
// A sender that says nothing for this long is dropped.
constexpr int kIdleSenderMs = 5000;

}  // namespace

LineForwardServer::LineForwardServer(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &LineForwardServer::accept);
}

bool LineForwardServer::listen() {
    QLocalServer::removeServer(socketPath_);
    return server_->listen(socketPath_);
}

void LineForwardServer::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        QTimer::singleShot(kIdleSenderMs, socket, [socket] { socket->abort(); });
        readFrom(socket);
    }
}

void LineForwardServer::readFrom(QLocalSocket* socket) {
    if (socket->bytesAvailable() < kHeaderBytes) return;
    QByteArray header = socket->peek(kHeaderBytes);
    const quint32 length = qFromBigEndian<quint32>(header.constData());
    if (length > static_cast<quint32>(kMaxPayloadBytes)) {
        socket->abort();  // not one of ours
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + static_cast<qint64>(length)) return;
    socket->read(kHeaderBytes);
    QString line = QString::fromUtf8(socket->read(length));
    if (line.size() > kMaxForwardedCharacters) line.clear();
    socket->write(&kAck, 1);
    socket->flush();
    socket->disconnectFromServer();
    QMetaObject::invokeMethod(this, [this, line] { emit lineReceived(line); }, Qt::QueuedConnection);
}

bool forwardLine(const QString& socketPath, const QString& line, int timeoutMs) {
    QByteArray payload = line.size() > kMaxForwardedCharacters ? QByteArray() : line.toUtf8();
    QByteArray message(kHeaderBytes, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), message.data());
    message += payload;

    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) return false;
    socket.write(message);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    }
    return socket.read(1).at(0) == kAck;
}

}  // namespace sondex

#pragma once

#include <QObject>

namespace sondex {

// A hidden object that a device names as its notice target. It passes every
// notice on, with both parameters, as its own message number, so the main
// window can tell the music device's notices (SUB0, 1034) from the CD
// device's (SUB1, 1035).
class NoticeRelay : public QObject {
    Q_OBJECT
public:
    NoticeRelay(const QString& objectName, int message, QObject* parent = nullptr);

    int message() const { return message_; }

public slots:
    void deviceNotice(qint64 wParam, qint64 lParam);

signals:
    void forwarded(int message, qint64 wParam, qint64 lParam);

private:
    int message_;
};

}  // namespace sondex

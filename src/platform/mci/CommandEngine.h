#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace sondex::mci {

// Notify codes of a completion notice (first parameter; the second is the device id).
enum NotifyCode : int {
    NotifySuccessful = 1,
    NotifySuperseded = 2,
    NotifyAborted = 4,
    NotifyFailure = 8,
};

// Where a device posts the completion notices of an alias. Notices are
// delivered on the receiver's thread through its event loop (a queued call),
// never from inside the sending call.
struct NoticeTarget {
    QPointer<QObject> receiver;
    std::function<void(qint64 notifyCode, qint64 deviceId)> deliver;

    bool isSet() const { return receiver && deliver; }
};

// Carries out command strings ("open ... alias tavikREC", "record tavikREC",
// "status tavikREC position wait", ...) on the devices. 0 is success; any
// other result is an error code whose text errorText() gives.
class CommandEngine {
public:
    virtual ~CommandEngine() = default;

    virtual int sendString(const QString& command, QString& reply, const NoticeTarget& target) = 0;
    virtual QString errorText(int code) const = 0;
};

}  // namespace sondex::mci

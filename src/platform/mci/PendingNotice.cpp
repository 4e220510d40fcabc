#include "platform/mci/PendingNotice.h"

#include <QMetaObject>

namespace sondex::mci {

void postNotice(const NoticeTarget& target, NotifyCode code, qint64 deviceId) {
    if (!target.isSet()) return;
    QMetaObject::invokeMethod(
        target.receiver.data(),
        [deliver = target.deliver, code, deviceId] { deliver(code, deviceId); },
        Qt::QueuedConnection);
}

void PendingNotice::arm(const NoticeTarget& target) {
    supersede();
    target_ = target;
    armed_ = true;
}

void PendingNotice::finish(NotifyCode code) {
    if (!armed_) return;
    armed_ = false;
    postNotice(std::exchange(target_, NoticeTarget{}), code, deviceId_);
}

}  // namespace sondex::mci
